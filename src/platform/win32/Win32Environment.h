// The Win32 environment. Placeholder until the real service is written.
#pragma once

#include "platform/Environment.h"

namespace vp::win32 {

class Win32Environment final : public Environment {
public:
    std::optional<std::string> variable(std::string_view) override { return std::nullopt; }
    std::uint32_t tempPath(std::uint32_t, std::string&) override { return 0; }
};

} // namespace vp::win32
