// Text plumbing for the Windows test drivers: UTF-8 arguments, UTF-8 lines on standard
// output (raw bytes, whatever the console code page), and small parsing helpers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vp::e2e {

// The program's arguments, without its own name, in UTF-8.
std::vector<std::string> arguments();

// Writes `line` and a line feed to standard output, as UTF-8 bytes.
void printLine(std::string_view line);

std::vector<std::string> splitOn(std::string_view text, char separator);

// "rhs" letters (read-only, hidden, system) as file attributes; archive when none.
std::uint32_t attributeLetters(std::string_view letters);

} // namespace vp::e2e
