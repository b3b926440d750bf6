// The Win32 registry. Placeholder until the real service is written.
#pragma once

#include "platform/Registry.h"

namespace vp::win32 {

class Win32Registry final : public Registry {
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

} // namespace vp::win32
