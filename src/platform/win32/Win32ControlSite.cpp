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
