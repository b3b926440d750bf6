#include "progressbar/Colors.h"
#include "platform/sim/SimGraphics.h"
#include "progressbar/Rounding.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vp {
namespace {

TEST(ColorsTest, LightenBlendAndTranslate) {
    sim::SimGraphics graphics;
    graphics.sysColors.colors[13] = 0x123456;
    struct Case {
        Color got, expected;
        const char* what;
    };
    const Case cases[] = {
        {LightenColor(0xC56A31, 0), 0xC56A31, "lighten by 0"},
        {LightenColor(0xC56A31, 255), 0xFFFFFF, "lighten by 255"},
        {LightenColor(0xC56A31, 150), 0xE7C1AA, "R 49 -> 20 + 150, G 106 -> 43 + 150, ..."},
        {LightenColor(0x0000C8, 10), 0x0A0ACA, "truncating: 200 * 245 / 255 = 192.15 -> 192"},
        {BlendColors(0xC0C0C0, 0, 255, graphics), 0xC0C0C0, "blend, all of the first"},
        {BlendColors(0xC56A31, 0xFFFFFF, 0, graphics), 0xFFFFFF, "blend, all of the second"},
        {BlendColors(0xC56A31, 0, 200, graphics), 0x9B5326, "38.43, 83.14, 154.51 rounded"},
        {BlendColors(0x8000000D, 0, 255, graphics), 0x123456, "system colours translated first"},
        {TranslateColor(0x8000000D, graphics), 0x123456, "a system colour code"},
        {TranslateColor(0x00C56A31, graphics), 0xC56A31, "plain RGB"},
        {TranslateColor(0x80000063, graphics), 0, "an unknown index reads as black"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got, c.expected) << c.what;
    }
}

TEST(ColorsTest, RoundingGoesHalfToEvenAndOverflowsPast32Bits) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2147483647.4), 2147483647);
    EXPECT_THROW(RoundHalfEven(2147483647.5), std::overflow_error);
    EXPECT_THROW(RoundHalfEven(-2147483649.0), std::overflow_error);
}

} // namespace
} // namespace vp
