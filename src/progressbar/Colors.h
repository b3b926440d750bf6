// The progress bar's colour arithmetic. Colours are 0x00BBGGRR; one with the top bit set is a
// system-colour code whose low 31 bits are the index.
#pragma once

#include "platform/Graphics.h"

namespace vp {

// The colour itself, or the platform's current RGB value for a system-colour code (0 for an
// index the platform does not know).
Color TranslateColor(Color color, const Graphics& graphics);

// Each channel moved towards 255 by amount / 255: c * (255 - amount) \ 255 + amount, at most
// 255. Amount 0 keeps the colour, 255 gives white.
Color LightenColor(Color color, std::int32_t amount);

// Per channel, first * alpha / 255 + second * (255 - alpha) / 255, rounded half to even; both
// colours translated first. Alpha 255 gives the first colour, 0 the second.
Color BlendColors(Color first, Color second, std::int32_t alpha, const Graphics& graphics);

// Channel splitting and joining: red in the low byte.
constexpr std::int32_t RedOf(Color c) {
    return static_cast<std::int32_t>(c & 255);
}
constexpr std::int32_t GreenOf(Color c) {
    return static_cast<std::int32_t>((c / 256) & 255);
}
constexpr std::int32_t BlueOf(Color c) {
    return static_cast<std::int32_t>((c & 0xFF0000) / 65536);
}
constexpr Color JoinChannels(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return static_cast<Color>(red + 256 * green + 65536 * blue);
}

} // namespace vp
