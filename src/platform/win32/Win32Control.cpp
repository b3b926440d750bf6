// The common part of the native controls: caption, visibility, clicks and colours.
#include "platform/win32/Win32Control.h"

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32NarrowText.h"

namespace vp::win32 {

Win32Control::Win32Control(const ControlSpec& desc, HWND window, HFONT font)
    : spec_(desc), window_(window), font_(font), picture_(loadPicture(desc.picture)),
      background_(CreateSolidBrush(colourOf(desc.backColor))) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fontOrDefault()), FALSE);
}

Win32Control::~Win32Control() {
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(picture_),
                           static_cast<HGDIOBJ>(background_)}) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
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
    SetBkColor(dc, colourOf(spec_.backColor));
    return background_;
}

HGDIOBJ Win32Control::fontOrDefault() const {
    return font_ != nullptr ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT);
}

} // namespace vp::win32
