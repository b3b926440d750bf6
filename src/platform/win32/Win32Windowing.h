// The native window and its controls. Placeholder until the real window is written.
#pragma once

#include "platform/Windowing.h"

#include <stdexcept>

namespace vp::win32 {

class Win32Windowing final : public Windowing {
public:
    std::unique_ptr<MainWindow> createMainWindow(const WindowSpec&) override {
        throw std::logic_error("the native window is not written yet");
    }
};

} // namespace vp::win32
