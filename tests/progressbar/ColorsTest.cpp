#include "progressbar/Colors.h"
#include "platform/sim/SimGraphics.h"
#include "progressbar/Rounding.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vp {
namespace {

TEST(ColorsTest, LightenColorMovesEachChannelTowardsWhite) {
    EXPECT_EQ(LightenColor(0xC56A31, 0), 0xC56A31u);
    EXPECT_EQ(LightenColor(0xC56A31, 255), 0xFFFFFFu);
    // R 49 -> 20 + 150, G 106 -> 43 + 150, B 197 -> 81 + 150.
    EXPECT_EQ(LightenColor(0xC56A31, 150), 0xE7C1AAu);
    // Truncating division: 200 * 245 / 255 = 192.15 -> 192, + 10.
    EXPECT_EQ(LightenColor(0x0000C8, 10), 0x0A0ACAu);
}

TEST(ColorsTest, BlendColorsWeighsTheFirstColourByAlphaAndRounds) {
    sim::SimGraphics graphics;
    EXPECT_EQ(BlendColors(0xC0C0C0, 0, 255, graphics), 0xC0C0C0u);
    EXPECT_EQ(BlendColors(0xC56A31, 0, 0, graphics), 0x000000u);
    EXPECT_EQ(BlendColors(0xC56A31, 0xFFFFFF, 0, graphics), 0xFFFFFFu);
    // 200/255 of R 49, G 106, B 197: 38.43, 83.14, 154.51, rounded.
    EXPECT_EQ(BlendColors(0xC56A31, 0, 200, graphics), 0x9B5326u);
    // System colours are translated first.
    EXPECT_EQ(BlendColors(0x8000000D, 0, 255, graphics), graphics.getSysColor(13));
}

TEST(ColorsTest, TranslateColorLooksUpSystemColourCodesOnly) {
    sim::SimGraphics graphics;
    graphics.sysColors.colors[13] = 0x123456;
    EXPECT_EQ(TranslateColor(0x8000000D, graphics), 0x123456u);
    EXPECT_EQ(TranslateColor(0x00C56A31, graphics), 0xC56A31u);
    EXPECT_EQ(TranslateColor(0x80000063, graphics), 0u) << "an unknown index reads as black";
}

TEST(ColorsTest, RoundingGoesHalfToEvenAndOverflowsPast32Bits) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(140.5), 140);
    EXPECT_EQ(RoundHalfEven(2147483647.4), 2147483647);
    EXPECT_THROW(RoundHalfEven(2147483647.5), std::overflow_error);
    EXPECT_THROW(RoundHalfEven(-2147483649.0), std::overflow_error);
    EXPECT_THROW(CheckedMultiply(21474837, 100), std::overflow_error);
    EXPECT_EQ(CheckedMultiply(-21474836, 100), -2147483600);
}

} // namespace
} // namespace vp
