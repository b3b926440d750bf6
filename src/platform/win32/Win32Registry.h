// The Win32 registry through the narrow advapi32 calls.
#pragma once

#include "platform/Registry.h"

namespace vp::win32 {

class Win32Registry final : public Registry {
public:
    long openKey(RegHandle hive, std::string_view path, std::uint32_t options, std::uint32_t access,
                 RegHandle& key) override;
    long queryValue(RegHandle key, std::string_view name, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override;
    long deleteValue(RegHandle key, std::string_view name) override;
    long closeKey(RegHandle key) override;
    long enumKey(RegHandle key, std::uint32_t index, std::string& name) override;
    long enumValue(RegHandle key, std::uint32_t index, std::string& name) override;
    long deleteKey(RegHandle key, std::string_view name) override;
};

} // namespace vp::win32
