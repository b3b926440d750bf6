// Decoding and encoding of UTF-8, shared by the code-page conversions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vp::utf8 {

inline constexpr char32_t Replacement = 0xFFFD;

// Decodes the code point at `pos` and moves `pos` past it; a malformed sequence yields
// Replacement and skips one byte.
char32_t decode(std::string_view text, std::size_t& pos);

void append(std::string& out, char32_t codePoint);

// Number of code points.
std::size_t length(std::string_view text);

// The first `count` code points (all of them when there are fewer).
std::string_view prefix(std::string_view text, std::size_t count);

} // namespace vp::utf8
