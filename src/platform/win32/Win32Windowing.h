// The native window and its controls: every control is a real child window whose window text
// is its caption, so screen readers and test drivers can read and drive it with the standard
// messages. No logic lives here; the window only reports clicks and presses to its handlers.
#pragma once

#include "platform/Graphics.h"
#include "platform/Windowing.h"

#include <cstdint>

namespace vp::win32 {

// A device context of a real window or bitmap; handle() is its HDC. Block copies between two
// of them are plain BitBlt calls.
class Win32DeviceContext : public DeviceContext {
public:
    explicit Win32DeviceContext(std::uintptr_t hdc) : hdc_(hdc) {}
    std::uintptr_t handle() const { return hdc_; }
    // Copies only from another Win32DeviceContext; any other source is ignored.
    void bitBlt(int x, int y, int width, int height, DeviceContext& source, int xSrc,
                int ySrc) override;

private:
    std::uintptr_t hdc_;
};

// Pictures named in the layout ("panel-clean") are BITMAP resources of the executable named
// in capitals with '_' for '-' ("PANEL_CLEAN"); the window icon is the ICON resource APPICON.
class Win32Windowing final : public Windowing {
public:
    std::unique_ptr<MainWindow> createMainWindow(const WindowSpec& spec) override;
};

} // namespace vp::win32
