#include "CaptionFit.h"

#include "Probe.h"
#include "Screenshot.h"

#include "app/Layout.h"
#include "platform/win32/Win32NarrowText.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace vp::gui {
namespace {

// The font the program makes from a layout's font: its face and size at the screen's
// resolution.
class LayoutFont {
public:
    LayoutFont(const FontSpec& wanted, int dpi) {
        LOGFONTW font{};
        font.lfHeight = -static_cast<LONG>(std::lround(wanted.points * dpi / 72.0));
        font.lfWeight = wanted.bold ? std::max(wanted.weight, 700) : wanted.weight;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfOutPrecision = OUT_TT_PRECIS;
        const std::wstring face = win32::widen(wanted.face);
        wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        font_ = CreateFontIndirectW(&font);
    }
    ~LayoutFont() { DeleteObject(font_); }
    LayoutFont(const LayoutFont&) = delete;
    LayoutFont& operator=(const LayoutFont&) = delete;

    HFONT handle() const { return font_; }

private:
    HFONT font_;
};

// The caption's width and the room its control gives it, or "" when it fits.
std::string measured(HDC dc, ControlKind kind, const std::wstring& text, RECT client) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (kind == ControlKind::Label) {
        // Word-wrapped: cut by a word wider than the line, or by more lines than fit.
        RECT wrapped{0, 0, width, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &wrapped,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        if (wrapped.right > width) {
            return std::to_string(wrapped.right) + " pixels wide, has " + std::to_string(width);
        }
        return wrapped.bottom > height
                   ? std::to_string(wrapped.bottom) + " pixels high, has " + std::to_string(height)
                   : "";
    }
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    // A frame's caption is drawn 8 pixels in; a button's inside its one-pixel border.
    const int room = kind == ControlKind::Frame ? width - 16 : width - 2;
    return extent.cx > room
               ? std::to_string(extent.cx) + " pixels wide, has " + std::to_string(room)
               : "";
}

// The caption as drawn: its last dark pixel against the control's last column.
std::string drawn(const Screenshot& shot, RECT at) {
    int last = -1;
    for (int y = at.top; y < at.bottom; ++y) {
        for (int x = at.left; x < at.right; ++x) {
            const std::uint32_t p = shot.at(x, y);
            if ((p >> 16 & 0xFF) < 0x80 && (p >> 8 & 0xFF) < 0x80 && (p & 0xFF) < 0x80) {
                last = std::max(last, x);
            }
        }
    }
    return last >= at.right - 1 ? "drawn up to the control's right edge" : "";
}

} // namespace

std::string cutCaptions(HWND window, int firstId, const std::wstring& keepShotsIn) {
    const auto& layout = ControlsLayout();
    const auto control = [&](std::string_view name) -> HWND {
        for (std::size_t i = 0; i < layout.size(); ++i) {
            if (layout[i].desc.name == name) {
                return descendant(window, firstId + static_cast<int>(i));
            }
        }
        return nullptr;
    };
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);

    std::string cut;
    std::set<std::size_t> seen;
    for (const char* panel : {"ButtonPlus3", "ButtonPlus4", "ButtonPlus2"}) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control(panel), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pause(300);
        const Screenshot shot = screenshotOf(window);
        if (!keepShotsIn.empty()) {
            shot.writePng(keepShotsIn + L"\\panel-" + win32::widen(panel) + L".png");
        }
        RECT shotArea{};
        GetWindowRect(window, &shotArea);
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const ControlSpec& desc = layout[i].desc;
            HWND child = descendant(window, firstId + static_cast<int>(i));
            const std::string caption = child != nullptr ? textOf(child) : std::string();
            RECT at{};
            GetWindowRect(child, &at);
            RECT inside{};
            const bool onScreen = IntersectRect(&inside, &at, &client) && EqualRect(&inside, &at);
            if (caption.empty() || !IsWindowVisible(child) || !onScreen || seen.count(i) != 0 ||
                desc.kind == ControlKind::ListBox) {
                continue;
            }
            seen.insert(i);
            std::string why;
            if (desc.font) {
                const LayoutFont font(*desc.font, dpi);
                const HGDIOBJ previous = SelectObject(dc, font.handle());
                RECT area{};
                GetClientRect(child, &area);
                why = measured(dc, desc.kind, win32::widen(caption), area);
                SelectObject(dc, previous);
            } else {
                OffsetRect(&at, -shotArea.left, -shotArea.top);
                why = drawn(shot, at);
            }
            if (!why.empty()) {
                cut += "\n    " + desc.name + " \"" + caption + "\": " + why;
            }
        }
    }
    DeleteDC(dc);
    return cut;
}

} // namespace vp::gui
