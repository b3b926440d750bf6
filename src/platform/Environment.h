// Process environment: variables and the temporary-folder query.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vp {

class Environment {
public:
    virtual ~Environment() = default;

    // The variable's value (UTF-8), or nullopt when it is not set.
    virtual std::optional<std::string> variable(std::string_view name) = 0;

    // GetTempPath: when the temporary folder's path (ending in a backslash) fits in
    // `bufferLength` characters it is written into `buffer` and its length is returned; when
    // it does not fit, the length it needs is returned and `buffer` is left as it was; 0 on
    // failure. Lengths count characters, not bytes. The folder is TMP's, else TEMP's; when
    // neither is set there is none (0), never the profile or the Windows folder that
    // GetTempPath falls back on.
    virtual std::uint32_t tempPath(std::uint32_t bufferLength, std::string& buffer) = 0;
};

} // namespace vp
