// The native window and its controls (Win32MainWindow.cpp and the files it uses): every
// control is a real child window whose window text is its caption, so screen readers and test
// drivers can read and drive it with the standard messages. No logic lives here; the window only
// reports clicks and presses to its handlers.
#pragma once

#include "platform/Windowing.h"

namespace vp::win32 {

// Pictures named in the layout ("panel-clean") are BITMAP resources of the executable named
// in capitals with '_' for '-' ("PANEL_CLEAN"); the window icon is the ICON resource APPICON.
class Win32Windowing final : public Windowing {
public:
    std::unique_ptr<MainWindow> createMainWindow(const WindowSpec& desc) override;
};

} // namespace vp::win32
