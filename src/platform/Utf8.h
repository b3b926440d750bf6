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

// 16-bit text (UTF-16, valid or not) as 8-bit text and back, losing nothing: WTF-8, the UTF-8
// of every pair and character, with a lone surrogate (which Windows allows in file names)
// written as the three bytes its code point would take. Valid UTF-16 gives plain UTF-8. On
// the way back, bytes that are no UTF-8 become U+FFFD.
std::string fromUtf16(std::u16string_view units);
std::u16string toUtf16(std::string_view text);

} // namespace vp::utf8
