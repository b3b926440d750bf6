// The drawing helpers the window and its controls share: one owner per GDI handle kind, the
// units and colours of the layout, fonts, pictures from the resources, and the theme.
#pragma once

#include "platform/Windowing.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace vp::win32 {

// The theme of the buttons and frames, as COLORREF (0x00BBGGRR, like the layout's colours).
constexpr COLORREF ThemeColour = 0xE39E71;
constexpr COLORREF ThemeDark = 0xC56A31;
constexpr COLORREF ThemeLight = 0xFBEEE4;
constexpr COLORREF White = 0xFFFFFF;

HINSTANCE instance();

class ScopedGdiObject {
public:
    explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {}
    ~ScopedGdiObject() {
        if (object_ != nullptr) {
            DeleteObject(object_);
        }
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    HGDIOBJ get() const { return object_; }

private:
    HGDIOBJ object_;
};

// The one way an object is selected into a device context for a scope: the previous object
// comes back at its end, unless the selection failed (then nothing was changed).
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemoryDC() { DeleteDC(dc_); }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// The system's resolution (the screen's, for a program that is not aware of each monitor's).
int screenDpi();
// The resolution of the monitor the window is on: the system's where Windows cannot tell
// (before Windows 10).
int dpiOfWindow(HWND window);
// Declares the program aware of each monitor's resolution, in the second form where Windows
// has it (10, from 1703); elsewhere the manifest's declaration holds (per monitor from 8.1,
// the system's resolution on 7).
void declarePerMonitorDpiAware();
// Twips to pixels at the screen's resolution, to the nearest pixel.
int toPixels(int twips, int dpi);
// Pixels of the 96-dpi design at `dpi`.
int scaledPixels(int pixels, int dpi);

// The user chose a high-contrast theme: the program's own drawing takes the system colours.
bool highContrast();
// A layout colour (0x00BBGGRR, or a system colour code with the top bit set) as COLORREF.
COLORREF colourOf(std::uint32_t colour);
HFONT makeFont(const FontSpec& desc, int dpi);

// Pictures named in the layout ("panel-clean") are BITMAP resources named in capitals with
// '_' for '-' ("PANEL_CLEAN"), drawn for 96 dpi, and again for 125, 150 and 200 % with the
// scale after another '_' ("PANEL_CLEAN_150"). The picture for `dpi` is the smallest drawn
// for at least that resolution (the 200 % one above it); nullptr for no picture.
HBITMAP loadPicture(std::string_view picture, int dpi);
// The resource name of that picture.
std::wstring pictureResource(std::string_view picture, int dpi);
// Draws the picture into `box` at its own size, never stretched: from the box's top-left
// corner when `fromCorner` (a picture as large as the box), else centred; clipped to the box.
void drawPicture(HDC dc, HBITMAP picture, const RECT& box, bool fromCorner);
// A top-to-bottom blend from `top` to `bottom`, one line per row.
void fillGradient(HDC dc, const RECT& box, COLORREF top, COLORREF bottom);

std::wstring windowText(HWND window);

} // namespace vp::win32
