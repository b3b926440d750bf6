// Text plumbing for the end-to-end driver: its UTF-8 arguments, and fields of a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vp::e2e {

// The program's arguments, without its own name, in UTF-8.
std::vector<std::string> arguments();

std::vector<std::string> splitOn(std::string_view text, char separator);

} // namespace vp::e2e
