#include "progressbar/Colors.h"

#include "progressbar/Rounding.h"

namespace vp {

Color TranslateColor(Color color, const Graphics& graphics) {
    if ((color & 0x80000000U) == 0) {
        return color;
    }
    return graphics.getSysColor(static_cast<int>(color & 0x7FFFFFFFU));
}

Color LightenColor(Color color, std::int32_t amount) {
    const auto lighten = [amount](std::int64_t channel) {
        const std::int64_t lifted = channel * (255 - amount) / 255 + amount;
        return static_cast<std::int32_t>(lifted > 255 ? 255 : lifted);
    };
    return JoinChannels(lighten(RedOf(color)), lighten(GreenOf(color)), lighten(BlueOf(color)));
}

Color BlendColors(Color first, Color second, std::int32_t alpha, const Graphics& graphics) {
    const Color a = TranslateColor(first, graphics);
    const Color b = TranslateColor(second, graphics);
    const auto blend = [alpha](std::int32_t c1, std::int32_t c2) {
        return RoundHalfEven((255.0 - alpha) * c2 / 255.0 +
                             c1 * static_cast<double>(alpha) / 255.0);
    };
    return JoinChannels(blend(RedOf(a), RedOf(b)), blend(GreenOf(a), GreenOf(b)),
                        blend(BlueOf(a), BlueOf(b)));
}

} // namespace vp
