// The Win32 process environment and temporary-folder query.
#pragma once

#include "platform/Environment.h"

namespace vp::win32 {

class Win32Environment final : public Environment {
public:
    std::optional<std::string> variable(std::string_view name) override;
    std::uint32_t tempPath(std::uint32_t bufferLength, std::string& buffer) override;
};

} // namespace vp::win32
