// The program's window moved to a monitor of another resolution, in the program's own process
// (the window, its controls and its pictures, which this driver carries as resources too):
// Wine has one resolution for every monitor, so the driver sends the window the message
// Windows sends, WM_DPICHANGED, for 144 dpi and then back. At 144 dpi every control is where
// its twips put it, its font is made for 144 dpi, the pictures are the ones drawn for 150 %
// pixel for pixel, the round corners and the progress bar follow; back at the first
// resolution the window is, pixel for pixel, what it was. Prints one "ok"/"FAIL" line per
// check; the exit code is the number of failures.
//
//   vp-dpi-driver OUTPUT_FOLDER    screenshots before, at 144 dpi and back
// The logic's headers name registry constants that <windows.h> makes macros: they come first.
#include "app/Form1.h"
#include "app/Layout.h"
#include "platform/win32/Win32Platform.h"

#include "Checks.h"
#include "Probe.h"
#include "Screenshot.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vp::gui {
namespace {

using testing::check;

constexpr int FirstControlId = 1000;
constexpr int Moved = 144;

// The pixels of a picture resource of this module, 0x00RRGGBB, rows from the top.
Screenshot resourcePicture(const std::wstring& name) {
    Screenshot out;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        return out;
    }
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    BITMAPINFO header{};
    header.bmiHeader = {sizeof header.bmiHeader, out.width, -out.height, 1, 32, BI_RGB};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(out.height), out.pixels.data(), &header,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (auto& pixel : out.pixels) {
        pixel &= 0xFFFFFFU;
    }
    DeleteObject(bitmap);
    return out;
}

// The first pixel of `shown` that differs from `picture` inside `margin` of the edges; "" when
// all match.
std::string samePicture(const Screenshot& shown, const Screenshot& picture, int margin) {
    if (shown.width != picture.width || shown.height != picture.height) {
        return std::to_string(shown.width) + " x " + std::to_string(shown.height) +
               " shown, the picture is " + std::to_string(picture.width) + " x " +
               std::to_string(picture.height);
    }
    for (int y = margin; y < shown.height - margin; ++y) {
        for (int x = margin; x < shown.width - margin; ++x) {
            if (shown.at(x, y) != picture.at(x, y)) {
                char where[96];
                std::snprintf(where, sizeof where, "(%d,%d) is %s, the picture's %s", x, y,
                              hexColour(shown.at(x, y)).c_str(),
                              hexColour(picture.at(x, y)).c_str());
                return where;
            }
        }
    }
    return {};
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

class Moves {
public:
    Moves(Form1& form, std::wstring output)
        : form_(form), window_(reinterpret_cast<HWND>(form.window().hWnd())),
          output_(std::move(output)), first_(screenDpi()) {}

    HWND control(std::size_t index) const {
        return descendant(window_, FirstControlId + static_cast<int>(index));
    }
    HWND control(std::string_view name) const {
        const auto& layout = ControlsLayout();
        for (std::size_t i = 0; i < layout.size(); ++i) {
            if (layout[i].desc.name == name) {
                return control(i);
            }
        }
        return nullptr;
    }

    // What Windows sends when the window reaches a monitor of `dpi`: the suggested rectangle
    // is the window scaled about its top-left corner.
    void moveTo(int from, int dpi) const {
        RECT box{};
        GetWindowRect(window_, &box);
        RECT suggested{box.left, box.top, box.left + MulDiv(box.right - box.left, dpi, from),
                       box.top + MulDiv(box.bottom - box.top, dpi, from)};
        SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        settle();
    }
    void settle() const {
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pause(300);
    }

    void laidOutAt(int dpi) const {
        RECT client{};
        GetClientRect(window_, &client);
        std::string wrong;
        if (client.right != MulDiv(5730, dpi, 1440) || client.bottom != MulDiv(3720, dpi, 1440)) {
            wrong += "\n    the window: " + std::to_string(client.right) + " x " +
                     std::to_string(client.bottom);
        }
        // The region's box leaves out the ellipse's last row and column, as GDI does.
        RECT region{};
        if (GetWindowRgnBox(window_, &region) == ERROR || region.left != 0 || region.top != 0 ||
            std::abs(region.right - client.right) > 1 ||
            std::abs(region.bottom - client.bottom) > 1) {
            wrong += "\n    the round region's box: " + std::to_string(region.left) + "," +
                     std::to_string(region.top) + " to " + std::to_string(region.right) + "," +
                     std::to_string(region.bottom);
        }
        const auto& layout = ControlsLayout();
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const ControlSpec& desc = layout[i].desc;
            HWND child = control(i);
            RECT at{};
            GetWindowRect(child, &at);
            MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&at), 2);
            const bool dropDown = desc.kind == ControlKind::DropDownList;
            if (at.left != MulDiv(desc.rect.left, dpi, 1440) ||
                at.top != MulDiv(desc.rect.top, dpi, 1440) ||
                at.right - at.left != MulDiv(desc.rect.width, dpi, 1440) ||
                (!dropDown && at.bottom - at.top != MulDiv(desc.rect.height, dpi, 1440))) {
                wrong += "\n    " + desc.name + " at " + std::to_string(at.left) + "," +
                         std::to_string(at.top) + " " + std::to_string(at.right - at.left) + "x" +
                         std::to_string(at.bottom - at.top);
            }
            if (desc.font) {
                LOGFONTW font{};
                const auto handle =
                    reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0));
                GetObjectW(handle, sizeof font, &font);
                const long want = -std::lround(desc.font->points * dpi / 72.0);
                if (font.lfHeight != want) {
                    wrong += "\n    " + desc.name + "'s font " + std::to_string(font.lfHeight) +
                             " pixels high instead of " + std::to_string(want);
                }
            }
        }
        check(wrong.empty(),
              "at " + std::to_string(dpi) +
                  " dpi the window and every control are where their twips put them, the "
                  "fonts made for it, the round corners around the window",
              wrong);
    }

    void picturesAt(int dpi, const std::wstring& suffix) const {
        std::string wrong;
        const struct {
            const char* control;
            const wchar_t* picture;
            int margin; // the buttons' border is drawn over the picture's edge
        } pictures[] = {{"Image1", L"BROOM", 0},
                        {"ButtonPlus6", L"FORUM", 2},
                        {"ButtonPlus2", L"PANEL_CLEAN", 2}};
        for (const auto& item : pictures) {
            const std::string why =
                samePicture(screenshotOf(control(item.control)),
                            resourcePicture(item.picture + suffix), item.margin);
            if (!why.empty()) {
                wrong += "\n    " + std::string(item.control) + ": " + why;
            }
        }
        check(wrong.empty(),
              "at " + std::to_string(dpi) +
                  " dpi the pictures are the ones drawn for that scale, pixel for pixel",
              wrong);
    }

    void barAt(int dpi) const {
        form_.ProgressBar1->setVisible(true);
        form_.ProgressBar1->setValue(45);
        settle();
        const Screenshot bar = screenshotOf(control("ProgressBar1"));
        const int frame = dpi >= 144 ? 2 : 1;
        const int y = bar.height / 2;
        bool framed = bar.width == MulDiv(4215, dpi, 1440) && bar.height == MulDiv(255, dpi, 1440);
        for (int x = 0; x < frame; ++x) {
            framed = framed && bar.at(x, y) == 0x686868U;
        }
        framed = framed && bar.at(frame, y) != 0x686868U;
        check(framed,
              "at " + std::to_string(dpi) + " dpi the bar is " + std::to_string(frame) +
                  " pixel(s) framed at its size in twips",
              std::to_string(bar.width) + " x " + std::to_string(bar.height) + ", left pixels " +
                  hexColour(bar.at(0, y)) + " " + hexColour(bar.at(1, y)) + " " +
                  hexColour(bar.at(2, y)));
        bar.writePng(output_ + L"\\bar-" + std::to_wstring(dpi) + L"dpi.png");
        form_.ProgressBar1->setValue(0);
        form_.ProgressBar1->setVisible(false);
        settle();
    }

    void scenario() const {
        settle();
        const Screenshot before = screenshotOf(window_);
        before.writePng(output_ + L"\\window-" + std::to_wstring(first_) + L"dpi.png");
        moveTo(first_, Moved);
        laidOutAt(Moved);
        picturesAt(Moved, L"_150");
        barAt(Moved);
        screenshotOf(window_).writePng(output_ + L"\\window-" + std::to_wstring(Moved) +
                                       L"dpi.png");
        moveTo(Moved, first_);
        laidOutAt(first_);
        const Screenshot back = screenshotOf(window_);
        back.writePng(output_ + L"\\window-back.png");
        std::string differs;
        if (back.width != before.width || back.height != before.height) {
            differs =
                "the window is " + std::to_string(back.width) + " x " + std::to_string(back.height);
        } else {
            int count = 0;
            for (std::size_t i = 0; i < back.pixels.size(); ++i) {
                count += back.pixels[i] != before.pixels[i] ? 1 : 0;
            }
            differs = count > 0 ? std::to_string(count) + " pixels differ" : "";
        }
        check(differs.empty(),
              "moved back to " + std::to_string(first_) +
                  " dpi the window is, pixel for pixel, what it was",
              differs);
    }

private:
    Form1& form_;
    HWND window_;
    std::wstring output_;
    int first_;
};

} // namespace
} // namespace vp::gui

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vp-dpi-driver OUTPUT_FOLDER\n");
        return 100;
    }
    vp::win32::Win32Platform win32;
    vp::Platform platform = win32.bundle();
    vp::Form1 form(platform);
    form.Form_Load();
    HWND window = reinterpret_cast<HWND>(form.window().hWnd());
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);
    const vp::gui::Moves moves(form, argv[1]);
    moves.scenario();
    return vp::testing::summary();
}
