// Simulated environment: in memory only; must never read the host's environment.
#include "platform/sim/SimEnvironment.h"

#include "platform/NameCompare.h"
#include "platform/Utf8.h"

namespace vp::sim {

SimEnvironment& SimEnvironment::set(std::string_view name, std::string_view value) {
    variables_[foldCase(name)] = {std::string(name), std::string(value)};
    return *this;
}

SimEnvironment& SimEnvironment::unset(std::string_view name) {
    variables_.erase(foldCase(name));
    return *this;
}

SimEnvironment& SimEnvironment::setTempPath(std::string_view path) {
    tempPath_ = std::string(path);
    return *this;
}

std::optional<std::string> SimEnvironment::variable(std::string_view name) {
    const auto found = variables_.find(foldCase(name));
    if (found == variables_.end()) {
        return std::nullopt;
    }
    return found->second.second;
}

std::uint32_t SimEnvironment::tempPath(std::uint32_t bufferLength, std::string& buffer) {
    if (tempPath_.empty()) {
        return 0;
    }
    const auto length = static_cast<std::uint32_t>(utf8::length(tempPath_));
    // Like GetTempPath, the terminating zero must fit too; otherwise the size it needs,
    // zero included, is returned.
    if (length + 1 > bufferLength) {
        return length + 1;
    }
    buffer = tempPath_;
    return length;
}

} // namespace vp::sim
