// The simulated platform's window and controls. Every control keeps its state here (there is
// no other copy), and the window records, in order, what the program did to it, so a test
// can assert the sequence a command produces.
#pragma once

#include "platform/ControlHosting.h"
#include "platform/Graphics.h"
#include "platform/PropertyBag.h"
#include "platform/Windowing.h"
#include "platform/sim/SimGraphics.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vp::sim {

struct WindowEvent {
    enum class Kind {
        Caption,      // text: the new caption
        MousePointer, // number: the pointer
        DoEvents,
        MessageBox, // text: the message, title: the title, number: the style
        SaveDialog, // text: the filter, title: the answer ("" when cancelled)
        Region,     // number: ellipse width; text: "left,top,right,bottom,ew,eh"
        Drag,
        Minimize,
        Close,
    };
    Kind kind;
    std::string text;
    std::string title;
    int number = 0;

    bool operator==(const WindowEvent&) const = default;
};

class SimControl : public virtual Control {
public:
    explicit SimControl(ControlSpec desc) : spec_(std::move(desc)) {}

    const std::string& name() const override { return spec_.name; }
    void setVisible(bool visible) override { spec_.visible = visible; }
    bool visible() const override { return spec_.visible; }
    void setCaption(std::string_view text) override { spec_.caption = std::string(text); }
    std::string caption() const override { return spec_.caption; }
    void onClick(std::function<void()> handler) override { onClick_ = std::move(handler); }

    // What the window was asked to create, with the current caption and visibility.
    const ControlSpec& desc() const { return spec_; }
    // A user's click: runs the click handler, if any.
    void click() const {
        if (onClick_) {
            onClick_();
        }
    }

protected:
    ControlSpec spec_;
    std::function<void()> onClick_;
};

class SimCheckBox final : public SimControl, public CheckBox {
public:
    using SimControl::SimControl;
    int value() const override { return spec_.value; }
    void setValue(int value) override { spec_.value = value; }
};

class SimListBox final : public SimControl, public ListBox {
public:
    using SimControl::SimControl;
    void clear() override;
    void addItem(std::string_view text) override;
    void insertItem(int index, std::string_view text) override;
    void removeItem(int index) override;
    int listCount() const override { return static_cast<int>(items_.size()); }
    std::string list(int index) const override;
    int listIndex() const override { return listIndex_; }
    void setListIndex(int index) override;

    const std::vector<std::string>& items() const { return items_; }

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

// The site of a custom-drawn control: its own device context is a pixel buffer of the site's
// size, which holds what the user sees of the control. Its size in pixels is its size in twips
// at its resolution (96 dpi unless given), rounded as Windows rounds it.
class SimControlSite final : public SimControl, public ControlSite {
public:
    explicit SimControlSite(ControlSpec desc, int dpi = 96);
    std::uintptr_t hWnd() const override { return reinterpret_cast<std::uintptr_t>(this); }
    DeviceContext& hDC() override { return screen_; }
    int scaleWidth() const override { return width_; }
    int scaleHeight() const override { return height_; }
    int dpi() const override { return dpi_; }
    void valueShown(std::string_view text) override { valuesShown.emplace_back(text); }
    void propertyChanged(std::string_view property) override {
        changedProperties.emplace_back(property);
    }
    PropertyBag& properties() override { return hosting_.properties(); }
    void host(HostedControl& control) override { hosting_.host(control); }
    void unhost(HostedControl& control) override { hosting_.unhost(control); }

    // --- For tests ---
    // The control as the user sees it.
    const SimRaster& screen() const { return screen_.raster(); }
    // Block copies that reached the screen: one per repaint drawn off-screen.
    int copiesShown() const { return screen_.copiesReceived(); }
    // The window asks the control to paint itself.
    void paint() const { hosting_.paint(); }
    // The control's size changes (the screen is cleared to white) and the control is told.
    void resize(int widthPixels, int heightPixels);
    // The control writes its properties into a fresh store, which becomes the saved one.
    void saveProperties() { hosting_.saveProperties(); }

    std::vector<std::string> changedProperties;
    // What the control told its readers, in order.
    std::vector<std::string> valuesShown;

private:
    int dpi_;
    int width_;
    int height_;
    SimDeviceContext screen_;
    ControlHosting hosting_;
};

class SimMainWindow final : public MainWindow {
public:
    explicit SimMainWindow(WindowSpec desc) : spec_(std::move(desc)) {}

    std::uintptr_t hWnd() const override { return reinterpret_cast<std::uintptr_t>(this); }
    void setCaption(std::string_view text) override;
    std::string caption() const override { return spec_.caption; }
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }
    void doEvents() override;
    PixelRect clientRect() const override;
    void setRoundRectRegion(PixelRect bounds, int ellipseWidth, int ellipseHeight) override;
    void beginDrag() override { record({WindowEvent::Kind::Drag, {}, {}, 0}); }
    void minimize() override;
    void close() override;
    int messageBox(std::string_view text, int style, std::string_view title) override;
    std::optional<std::string> showSaveDialog(std::string_view filter) override;
    void onMouseDown(std::function<void(int, int, int, int)> handler) override {
        onMouseDown_ = std::move(handler);
    }
    Control& createControl(const ControlSpec& desc) override;
    CheckBox& createCheckBox(const ControlSpec& desc) override;
    ListBox& createListBox(const ControlSpec& desc) override;
    ControlSite& createControlSite(const ControlSpec& desc) override;

    // --- For tests ---
    const std::vector<WindowEvent>& journal() const { return journal_; }
    void clearJournal() { journal_.clear(); }
    // Called for every journal entry as it is recorded.
    std::function<void(const WindowEvent&)> onRecord;
    // Work that doEvents will find waiting (a click the user made meanwhile, for instance).
    void postEvent(std::function<void()> event) { pending_.push_back(std::move(event)); }
    // Answers for the next save-file dialogs, in order; nullopt is a cancel. With no answer
    // queued the dialog is cancelled.
    void queueSaveDialogAnswer(std::optional<std::string> answer) {
        saveAnswers_.push_back(std::move(answer));
    }
    void mouseDown(int button, int shift, int x, int y) const;
    // Controls in creation order.
    const std::vector<std::unique_ptr<SimControl>>& controls() const { return controls_; }
    SimControl* find(std::string_view name) const;
    void click(std::string_view name) const;
    bool minimized() const { return minimized_; }
    bool closed() const { return closed_; }
    const WindowSpec& desc() const { return spec_; }

private:
    void record(WindowEvent event);

    WindowSpec spec_;
    int pointer_ = 0;
    bool minimized_ = false;
    bool closed_ = false;
    std::vector<WindowEvent> journal_;
    std::deque<std::function<void()>> pending_;
    std::deque<std::optional<std::string>> saveAnswers_;
    std::function<void(int, int, int, int)> onMouseDown_;
    std::vector<std::unique_ptr<SimControl>> controls_;
};

class SimWindowing final : public Windowing {
public:
    std::unique_ptr<MainWindow> createMainWindow(const WindowSpec& desc) override;
    // The window made last (the program makes one); nullptr before.
    SimMainWindow* window() const { return last_; }

private:
    SimMainWindow* last_ = nullptr;
};

} // namespace vp::sim
