// The progress bar's site on its own device context.
#include "platform/win32/Win32ControlSite.h"

#include "platform/win32/Win32Graphics.h"

namespace vp::win32 {

Win32ControlSite::Win32ControlSite(const ControlSpec& desc, HWND window, int dpi)
    : Win32Control(desc, window, dpi), dc_(BorrowDeviceContext(GetDC(window))) {}

SIZE Win32ControlSite::clientSize() const {
    RECT box{};
    GetClientRect(window_, &box);
    return {box.right - box.left, box.bottom - box.top};
}

} // namespace vp::win32

namespace vp::win32 {
namespace {
constexpr UINT_PTR AnnounceTimer = 1;
} // namespace

void Win32ControlSite::valueShown(std::string_view text) {
    if (text == value_) {
        return;
    }
    value_ = std::string(text);
    const ULONGLONG now = GetTickCount64();
    if (announcing_.changed(now)) {
        announce();
    } else {
        // The last change is announced when the interval is over (or, while a long handler
        // runs, with the next change after it).
        SetTimer(window_, AnnounceTimer, static_cast<UINT>(announcing_.wait(now)), nullptr);
    }
}

void Win32ControlSite::timer() {
    KillTimer(window_, AnnounceTimer);
    if (announcing_.due(GetTickCount64())) {
        announce();
    } else if (announcing_.pending()) {
        SetTimer(window_, AnnounceTimer, static_cast<UINT>(announcing_.wait(GetTickCount64())),
                 nullptr);
    }
}

void Win32ControlSite::announce() const {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace vp::win32
