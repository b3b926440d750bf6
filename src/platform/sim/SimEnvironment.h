// The simulated platform's environment variables and temporary-folder path.
#pragma once

#include "platform/Environment.h"

#include <map>
#include <string>

namespace vp::sim {

class SimEnvironment final : public Environment {
public:
    SimEnvironment& set(std::string_view name, std::string_view value);
    SimEnvironment& unset(std::string_view name);
    // The path GetTempPath reports (it should end with a backslash); empty makes it fail.
    SimEnvironment& setTempPath(std::string_view path);

    std::optional<std::string> variable(std::string_view name) override;
    std::uint32_t tempPath(std::uint32_t bufferLength, std::string& buffer) override;

private:
    std::map<std::string, std::pair<std::string, std::string>> variables_; // folded name
    std::string tempPath_;
};

} // namespace vp::sim
