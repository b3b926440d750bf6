// The simulated shell. Placeholder: records nothing, the recycle bins are always empty.
#pragma once

#include "platform/Shell.h"

namespace vp::sim {

class SimShell final : public Shell {
public:
    long emptyRecycleBin(std::uintptr_t, std::string_view, std::uint32_t) override { return 0; }
    long updateRecycleBinIcon() override { return 0; }
    std::intptr_t execute(std::uintptr_t, std::string_view, std::string_view, std::string_view,
                          std::string_view, int) override {
        return 42;
    }
};

} // namespace vp::sim
