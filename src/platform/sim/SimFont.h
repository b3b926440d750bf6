// The simulated platform's bitmap font: fixed cells, whatever face and size are asked for.
#pragma once

#include <cstdint>

namespace vp::sim {

constexpr int SimFontCellWidth = 6;
constexpr int SimFontCellHeight = 13;

// The glyph of a code point: SimFontCellHeight rows, most significant bit left. Code points
// without a glyph (outside Latin-1, controls) show as '?', as narrow text does on Windows.
const std::uint8_t* SimFontGlyph(char32_t codePoint);

} // namespace vp::sim
