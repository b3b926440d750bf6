// The common part of the native controls: caption, visibility, clicks and colours.
#include "platform/win32/Win32Control.h"

#include "platform/win32/Win32Accessible.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32NarrowText.h"

#include <commctrl.h>

#include <iterator>
#include <map>

namespace vp::win32 {
namespace {

constexpr UINT_PTR FilterId = 2; // the list box's own filter is 1

bool keyboardMovesFocus = false; // the window's thread only

bool isPushButton(ControlKind kind) {
    return kind == ControlKind::ExternalButton || kind == ControlKind::PictureButton ||
           kind == ControlKind::CommandButton;
}

} // namespace

Win32Control::Win32Control(const ControlSpec& desc, HWND window, int dpi)
    : spec_(desc), window_(window), dpi_(dpi), font_(nullptr),
      picture_(loadPicture(desc.picture, dpi)),
      background_(CreateSolidBrush(colourOf(desc.backColor))) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    makeFonts();
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fontOrDefault()), FALSE);
    SetWindowSubclass(window_, filter, FilterId, reinterpret_cast<DWORD_PTR>(this));
}

Win32Control::~Win32Control() {
    if (IsWindow(window_)) {
        RemoveWindowSubclass(window_, filter, FilterId);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(defaultFont_),
                           static_cast<HGDIOBJ>(picture_), static_cast<HGDIOBJ>(background_)}) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
}

LRESULT CALLBACK Win32Control::filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR self) {
    const auto* control = reinterpret_cast<const Win32Control*>(self);
    switch (message) {
    case WM_GETFONT:
        // The panels tell their font as the standard controls do.
        if (control->spec_.kind == ControlKind::Frame ||
            control->spec_.kind == ControlKind::PictureBox) {
            return reinterpret_cast<LRESULT>(control->fontOrDefault());
        }
        break;
    case WM_GETOBJECT:
        if (const LRESULT answer = answerGetObject(window, wParam, lParam); answer != 0) {
            return answer;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        keyboardMovesFocus = false;
        break;
    case WM_GETDLGCODE: {
        // Enter reaches a focused push button instead of the dialog navigation, which would
        // only look for a default button.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN &&
            (key->wParam == VK_TAB || (key->wParam >= VK_LEFT && key->wParam <= VK_DOWN))) {
            keyboardMovesFocus = true;
        }
        if (isPushButton(control->spec_.kind) && key != nullptr && key->message == WM_KEYDOWN &&
            key->wParam == VK_RETURN) {
            return DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTMESSAGE;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN && isPushButton(control->spec_.kind)) {
            SendMessageW(GetParent(window), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                         reinterpret_cast<LPARAM>(window));
            return 0;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

namespace {

// The GUI font's height for `dpi`: the largest whose text is no wider, in proportion, than the
// 96-dpi font's (a little less). Hinted small text widens faster than it grows, and the layout's
// twips were measured at 96 dpi: the stock font scaled by height alone cuts the captions.
int guiFontHeight(const LOGFONTW& stock, int dpi) {
    static std::map<int, int> heights;
    if (const auto known = heights.find(dpi); known != heights.end()) {
        return known->second;
    }
    constexpr wchar_t Sample[] = L"Adresses tapées récemment, Documents ouverts récemment, "
                                 L"Fichiers Internet temporaire, Historique Internet";
    const ScopedMemoryDC memory(nullptr);
    const HDC dc = memory.get();
    const auto width = [&](int height) {
        LOGFONTW font = stock;
        font.lfHeight = height;
        font.lfWidth = 0;
        const ScopedGdiObject made(CreateFontIndirectW(&font));
        const ScopedSelectObject selected(dc, made.get());
        SIZE size{};
        GetTextExtentPoint32W(dc, Sample, static_cast<int>(std::size(Sample)) - 1, &size);
        return size.cx;
    };
    const int height96 = MulDiv(stock.lfHeight, 96, screenDpi()); // negative: a pixel height
    // A little narrower still: the check box's own square and the gap after it grow faster
    // than the resolution.
    const long room = MulDiv(width(height96), dpi * 94, 96 * 100);
    int height = MulDiv(height96, dpi, 96);
    while (height < height96 && width(height) > room) {
        ++height; // one pixel smaller
    }
    heights[dpi] = height;
    return height;
}

} // namespace

bool Win32Control::keyboardCues() {
    return keyboardMovesFocus;
}

void Win32Control::makeFonts() {
    font_ = spec_.font ? makeFont(*spec_.font, dpi_) : nullptr;
    // The stock GUI font as it is at 96 dpi; at any other resolution the same face at the
    // height that keeps the captions' widths in proportion.
    defaultFont_ = nullptr;
    if (!spec_.font && dpi_ != 96) {
        LOGFONTW font{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        font.lfHeight = guiFontHeight(font, dpi_);
        font.lfWidth = 0;
        defaultFont_ = CreateFontIndirectW(&font);
    }
}

RECT Win32Control::placement(const ControlSpec& desc, int dpi) {
    const int left = toPixels(desc.rect.left, dpi);
    const int top = toPixels(desc.rect.top, dpi);
    int height = toPixels(desc.rect.height, dpi);
    if (desc.kind == ControlKind::DropDownList) {
        height *= static_cast<int>(desc.choices.size()) + 2; // room for the open list
    }
    return RECT{left, top, left + toPixels(desc.rect.width, dpi), top + height};
}

void Win32Control::rescale(int dpi) {
    if (dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    const RECT at = placement(spec_, dpi);
    SetWindowPos(window_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const HFONT oldFont = font_;
    const HFONT oldDefault = defaultFont_;
    makeFonts();
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fontOrDefault()), TRUE);
    for (HGDIOBJ old : {static_cast<HGDIOBJ>(oldFont), static_cast<HGDIOBJ>(oldDefault)}) {
        if (old != nullptr) {
            DeleteObject(old);
        }
    }
    if (picture_ != nullptr) {
        DeleteObject(picture_);
    }
    picture_ = loadPicture(spec_.picture, dpi);
    InvalidateRect(window_, nullptr, TRUE);
}

Win32Control* Win32Control::of(HWND window) {
    return reinterpret_cast<Win32Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Win32Control::setVisible(bool visible) {
    // A control shown inside a panel comes in front of its siblings, as the run log covers
    // the picture and the text beside it while a run is under way. Panels themselves keep their
    // place, which is also the window's focus order.
    if (visible && spec_.parent != nullptr) {
        SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Control::visible() const {
    return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Control::setCaption(std::string_view text) {
    SetWindowTextW(window_, widen(text).c_str());
    InvalidateRect(window_, nullptr, TRUE);
}

std::string Win32Control::caption() const {
    return narrowUtf8(windowText(window_));
}

void Win32Control::clicked() {
    if (onClick_) {
        onClick_();
    }
}

HBRUSH Win32Control::colours(HDC dc) const {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, backColour());
    return highContrast() ? GetSysColorBrush(COLOR_WINDOW) : background_;
}

COLORREF Win32Control::backColour() const {
    return highContrast() ? GetSysColor(COLOR_WINDOW) : colourOf(spec_.backColor);
}

HGDIOBJ Win32Control::fontOrDefault() const {
    if (font_ != nullptr) {
        return font_;
    }
    return defaultFont_ != nullptr ? static_cast<HGDIOBJ>(defaultFont_)
                                   : GetStockObject(DEFAULT_GUI_FONT);
}

} // namespace vp::win32
