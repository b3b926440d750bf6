// The Win32 shell. Placeholder until the real service is written.
#pragma once

#include "platform/Shell.h"

namespace vp::win32 {

class Win32Shell final : public Shell {
public:
    long emptyRecycleBin(std::uintptr_t, std::string_view, std::uint32_t) override { return 0; }
    long updateRecycleBinIcon() override { return 0; }
    std::intptr_t execute(std::uintptr_t, std::string_view, std::string_view, std::string_view,
                          std::string_view, int) override {
        return 42;
    }
};

} // namespace vp::win32
