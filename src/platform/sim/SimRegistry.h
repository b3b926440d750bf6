// The simulated registry. Placeholder: holds no keys, so every open fails.
#pragma once

#include "platform/Registry.h"

namespace vp::sim {

class SimRegistry final : public Registry {
public:
    long openKey(RegHandle, std::string_view, std::uint32_t, std::uint32_t, RegHandle& key) override {
        key = 0;
        return RegStatus::FileNotFound;
    }
    long queryValue(RegHandle, std::string_view, std::uint32_t&, unsigned char*,
                    std::uint32_t&) override {
        return RegStatus::FileNotFound;
    }
    long deleteValue(RegHandle, std::string_view) override { return RegStatus::FileNotFound; }
    long closeKey(RegHandle) override { return 0; }
};

} // namespace vp::sim
