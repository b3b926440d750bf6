// The window and its controls. Form1 creates every control through this interface and keeps
// no copy of their state: on Windows each control is a real child window, in the simulation
// a recorded one.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

class DeviceContext;
class PropertyBag;

// Left, top, width, height in twips (15 twips per pixel at 96 dpi), relative to the parent.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Left, top, right, bottom in pixels; right and bottom are outside.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct FontSpec {
    std::string face;
    double points = 0;
    bool bold = false;
    int weight = 400;

    bool operator==(const FontSpec&) const = default;
};

enum class ControlKind {
    ExternalButton, // themed push button with a caption
    PictureButton,  // themed push button showing a picture
    Frame,          // themed panel with a caption
    PictureBox,     // plain panel
    CommandButton,
    Label,
    ListBox,
    CheckBox,
    Picture,
    DirListBox,
    FileListBox,
    ProgressBar,
    DropDownList, // a closed list of choices; its caption is the chosen one
};

class Control;

struct ControlSpec {
    std::string name;
    ControlKind kind = ControlKind::Label;
    Control* parent = nullptr; // nullptr: the window itself
    TwipRect rect;
    std::string caption;
    std::optional<FontSpec> font;
    std::string tooltip;
    bool visible = true;
    int value = 0;                      // check boxes: 0 unchecked, 1 checked, 2 grayed
    int tabIndex = -1;                  // keyboard focus order; -1 leaves the control out
    std::string picture;                // resource name of the picture, if any
    std::vector<std::string> choices;   // drop-down lists: the choices in order
    std::uint32_t backColor = 0xFFFFFF; // 0x00BBGGRR
    // What a screen reader calls the control; empty: its tooltip, else its caption.
    std::string accessibleName;
};

class Control {
public:
    virtual ~Control() = default;
    virtual const std::string& name() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
    virtual void setCaption(std::string_view text) = 0;
    virtual std::string caption() const = 0;
    // The handler runs when the user clicks the control (buttons, pictures).
    virtual void onClick(std::function<void()> handler) = 0;
};

class CheckBox : public virtual Control {
public:
    virtual int value() const = 0; // 0 unchecked, 1 checked, 2 grayed
    virtual void setValue(int value) = 0;
};

// An unsorted list of lines with one selected line. Counts and indices are plain ints: the
// list holds as many lines as memory allows. A line added can be read back at once, by the
// program and by any reader outside it, in order; a window may draw the lines in batches.
class ListBox : public virtual Control {
public:
    virtual void clear() = 0;
    virtual void addItem(std::string_view text) = 0;               // at the end
    virtual void insertItem(int index, std::string_view text) = 0; // before `index`
    virtual void removeItem(int index) = 0;
    virtual int listCount() const = 0;
    virtual std::string list(int index) const = 0; // "" outside the list
    virtual int listIndex() const = 0;             // -1 when none is selected
    virtual void setListIndex(int index) = 0;
};

// What a site delivers to the control it hosts, in this order: Initialize once, then
// ReadProperties with the saved properties; Paint whenever the control must be drawn, Resize
// when its size changed (the next Paint follows), WriteProperties when the site saves;
// Terminate last, after which the site delivers nothing more.
class HostedControl {
public:
    virtual ~HostedControl() = default;
    virtual void Initialize() = 0;
    virtual void ReadProperties(const PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) = 0;
    virtual void Paint() = 0;
    virtual void Resize() = 0;
    virtual void Terminate() = 0;
};

// The site that hosts a custom-drawn control (the progress bar): its window, its own device
// context, its size in pixels (the site's scale unit is the pixel, its origin 0, 0) and the
// property store of its saved properties.
class ControlSite : public virtual Control {
public:
    virtual std::uintptr_t hWnd() const = 0;
    virtual DeviceContext& hDC() = 0;
    virtual int scaleWidth() const = 0; // pixels
    virtual int scaleHeight() const = 0;
    // Marks the saved properties as needing a save.
    virtual void propertyChanged(std::string_view property) = 0;
    // The saved properties, read by the control when it is hosted.
    virtual PropertyBag& properties() = 0;
    // Starts delivering notices to `control`: Initialize, then ReadProperties at once.
    virtual void host(HostedControl& control) = 0;
    // Delivers Terminate to `control` and forgets it, if it is the control hosted here.
    virtual void unhost(HostedControl& control) = 0;
    // Pixels per inch of the screen the site is on; the control draws its geometry for 96 and
    // scales it. A site that says nothing is at 96.
    virtual int dpi() const { return 96; }
    // The control tells what it shows as its value ("45 %"), for screen readers, each time it
    // draws; the site announces the changes. A site without readers ignores it.
    virtual void valueShown(std::string_view /*text*/) {}
};

class MainWindow {
public:
    virtual ~MainWindow() = default;

    virtual std::uintptr_t hWnd() const = 0;
    virtual void setCaption(std::string_view text) = 0;
    virtual std::string caption() const = 0;
    // 0 default pointer, 11 wait (hourglass).
    virtual void setMousePointer(int pointer) = 0;
    virtual int mousePointer() const = 0;
    // Handles the window events that are waiting, once, and returns.
    virtual void doEvents() = 0;

    virtual PixelRect clientRect() const = 0;
    // CreateRoundRectRgn + SetWindowRgn with redraw: the window owns the region afterwards.
    // The corner's ellipse is in pixels at 96 dpi: the window scales it to its screen, and
    // shapes itself again when it moves to a screen of another resolution.
    virtual void setRoundRectRegion(PixelRect bounds, int ellipseWidth, int ellipseHeight) = 0;
    // ReleaseCapture, then WM_NCLBUTTONDOWN with HTCAPTION: the window follows the mouse.
    virtual void beginDrag() = 0;
    virtual void minimize() = 0;
    virtual void close() = 0;

    // A modal message box; returns the button pressed (1 for OK).
    virtual int messageBox(std::string_view text, int style, std::string_view title) = 0;
    // The save-file dialog with the given "Name|pattern|Name|pattern" filter; nullopt when the
    // user cancels.
    virtual std::optional<std::string> showSaveDialog(std::string_view filter) = 0;

    // Mouse button pressed on the window's own surface (not on a child control).
    virtual void onMouseDown(std::function<void(int button, int shift, int x, int y)> handler) = 0;

    virtual Control& createControl(const ControlSpec& desc) = 0;
    virtual CheckBox& createCheckBox(const ControlSpec& desc) = 0;
    virtual ListBox& createListBox(const ControlSpec& desc) = 0;
    virtual ControlSite& createControlSite(const ControlSpec& desc) = 0;
};

struct WindowSpec {
    std::string caption;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    std::uint32_t backColor = 0xFFFFFF;
    std::string picture;
};

class Windowing {
public:
    virtual ~Windowing() = default;
    virtual std::unique_ptr<MainWindow> createMainWindow(const WindowSpec& desc) = 0;
};

} // namespace vp
