// Conversion between the program's UTF-8 text and the system's narrow (ANSI) code page,
// for the services that speak narrow text (registry, Internet cache, memory strings).
#pragma once

#include <string>
#include <string_view>

namespace vp {

class NarrowText {
public:
    virtual ~NarrowText() = default;

    // A character the code page cannot hold becomes '?'.
    virtual std::string toNarrow(std::string_view utf8) const = 0;
    virtual std::string fromNarrow(std::string_view narrow) const = 0;
};

// Windows-1252, the code page of a Western European Windows; the simulated platform's.
class Windows1252Text final : public NarrowText {
public:
    std::string toNarrow(std::string_view utf8) const override;
    std::string fromNarrow(std::string_view narrow) const override;
};

} // namespace vp
