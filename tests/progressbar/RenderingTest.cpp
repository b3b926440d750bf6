#include "support/BarFixture.h"

namespace vp::test {
namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color Light150 = 0xE7C1AA; // LightenColor(BC, 150)

class RenderingTest : public BarFixture {
protected:
    // The fill's last column on row 7, where the lower gradient starts in BC.
    int fillEnd() const {
        int last = -1;
        for (int x = 3; x < 279; ++x) {
            if (at(x, 7) == BC) {
                last = x;
            }
        }
        return last;
    }
    // Row 7 as text from x 3: '#' for BC, '.' for white, '?' for anything else.
    std::string row7(int to) const {
        std::string out;
        for (int x = 3; x <= to; ++x) {
            out += at(x, 7) == BC ? '#' : at(x, 7) == White ? '.' : '?';
        }
        return out;
    }
};

TEST_F(RenderingTest, ContinuousFillEnds) {
    show(scrolling::Continuous, 0);
    EXPECT_EQ(row7(13), ".########..") << "the stub x 4 to 11 shows even at 0 %";
    EXPECT_EQ(bar->rcProgress().right, 12);

    show(scrolling::Continuous, 50); // x = round(278 * 50 / 98 + 3) = 145
    EXPECT_EQ(fillEnd(), 144);
    EXPECT_TRUE(PixelIs(145, 7, White));

    show(scrolling::Continuous, 100); // 287, fill right 283: it reaches the frame
    EXPECT_EQ(bar->rcProgress().right, 287);
    EXPECT_EQ(fillEnd(), 278);
    EXPECT_TRUE(PixelIs(279, 7, 0xEFEFEF));
}

TEST_F(RenderingTest, TheFillShadesFromLightAtTheTopThroughBcToLightAtTheBottom) {
    show(scrolling::Continuous, 50);
    EXPECT_TRUE(ColumnIs(100, 3, 3, Light150));
    EXPECT_TRUE(ColumnIs(100, 7, 7, BC)) << "the lower gradient starts at row H - 10";
    EXPECT_TRUE(ColumnIs(100, 13, 13, Light150));
    EXPECT_TRUE(RowIs(14, 3, 278, White)) << "nothing below row H - 4";
    // The upper gradient's rows 3 to 6: light to BC over 6 steps, lines 0 to 3 of them.
    EXPECT_NE(at(100, 5), at(100, 4));
}

TEST_F(RenderingTest, ChunkedFillHasSixPixelChunksAndTwoPixelWhiteGaps) {
    show(scrolling::Chunked, 0);
    EXPECT_EQ(row7(13), ".######....");

    show(scrolling::Chunked, 50); // 145 snaps to 139 on the 8-pixel grid from 3
    EXPECT_EQ(bar->rcProgress().right, 139);
    EXPECT_EQ(row7(19), ".######..######..");
    EXPECT_EQ(fillEnd(), 137);
    EXPECT_TRUE(RowIs(7, 138, 278, White));

    show(scrolling::Chunked, 100); // 287 snaps to 283, fill right 279
    EXPECT_EQ(bar->rcProgress().right, 283);
    EXPECT_EQ(row7(278).substr(270), "#..###") << "x 273 to 278";
}

TEST_F(RenderingTest, MarqueeBlocksArePlacedByThePercentage) {
    show(scrolling::Marquee, 50); // blocks at 122, 134, 146
    const Color firstLeft = LightenColor(BC, 220);
    const Color firstRight = LightenColor(BC, 200);
    EXPECT_TRUE(ColumnIs(122, 3, 14, firstLeft));
    EXPECT_TRUE(ColumnIs(131, 3, 14, firstRight));
    EXPECT_TRUE(PixelIs(122, 15, 0xEFEFEF)) << "row H - 2 is the frame's";
    EXPECT_TRUE(PixelIs(121, 8, White));
    EXPECT_TRUE(RowIs(8, 132, 133, White));
    EXPECT_TRUE(PixelIs(134, 8, LightenColor(BC, 180)));
    EXPECT_TRUE(PixelIs(143, 8, LightenColor(BC, 160)));
    EXPECT_TRUE(PixelIs(146, 8, LightenColor(BC, 140)));
    EXPECT_TRUE(PixelIs(155, 8, LightenColor(BC, 120)));
    EXPECT_TRUE(PixelIs(156, 8, White));

    // At 0 % the blocks sit at -33, -21, -9 and at 100 % at 287, 299, 311: only column 0
    // would show, and the frame covers it. Both look like the bar with no block at all.
    show(scrolling::Marquee, -500);
    const sim::SimRaster empty = site.screen();
    show(scrolling::Marquee, 0);
    EXPECT_EQ(site.screen(), empty);
    show(scrolling::Marquee, 100);
    EXPECT_EQ(site.screen(), empty);
}

TEST_F(RenderingTest, TheGreyFrameAndItsCornerPixels) {
    show(scrolling::Continuous, 50);
    EXPECT_TRUE(RowIs(1, 2, 278, 0xBEBEBE));
    EXPECT_TRUE(RowIs(15, 2, 278, 0xEFEFEF));
    EXPECT_TRUE(ColumnIs(1, 2, 14, 0xBEBEBE));
    EXPECT_TRUE(ColumnIs(2, 3, 14, 0xEFEFEF));
    EXPECT_TRUE(RowIs(2, 3, 278, 0xEFEFEF));
    EXPECT_TRUE(ColumnIs(279, 3, 14, 0xEFEFEF));
    EXPECT_TRUE(RowIs(0, 3, 277, 0x686868));
    EXPECT_TRUE(RowIs(16, 3, 277, 0x686868));
    EXPECT_TRUE(ColumnIs(0, 3, 13, 0x686868));
    EXPECT_TRUE(ColumnIs(280, 3, 13, 0x686868));
    struct Corner {
        int x, y;
        Color color;
    };
    const Corner corners[] = {
        {0, 0, 0xFFFFFF},    {0, 1, 0xA6ABAC},    {0, 2, 0x7D7E7F},    {1, 0, 0xA7ABAC},
        {1, 1, 0x777777},    {2, 0, 0x7D7E7F},    {2, 2, 0xBEBEBE},    {0, 16, 0xFFFFFF},
        {1, 16, 0xA6ABAC},   {2, 16, 0x7D7E7F},   {0, 14, 0x7D7E7F},   {0, 15, 0xA7ABAC},
        {1, 15, 0x777777},   {280, 0, 0xFFFFFF},  {280, 1, 0xBEBEBE},  {280, 2, 0x7D7E7F},
        {279, 2, 0xBEBEBE},  {279, 1, 0x686868},  {280, 16, 0xFFFFFF}, {280, 15, 0xBEBEBE},
        {280, 14, 0x7D7E7F}, {279, 15, 0x777777}, {279, 16, 0xBEBEBE}, {278, 16, 0x7D7E7F},
        {2, 1, 0xBEBEBE},    {279, 0, 0x686868},  {2, 15, 0xEFEFEF},
    };
    for (const Corner& c : corners) {
        EXPECT_TRUE(PixelIs(c.x, c.y, c.color));
    }
}

TEST_F(RenderingTest, VerticalBarsGrowUpwardsOnTheGridFromTheBottom) {
    site.resize(20, 100);
    show(scrolling::Continuous, 50, false, 1); // y = round(100 * (1 - 50/98)) = 49 -> 50
    EXPECT_EQ(bar->rcProgress().top, 50);
    EXPECT_TRUE(PixelIs(10, 49, White));
    EXPECT_TRUE(ColumnIs(10, 50, 97, BC));
    EXPECT_TRUE(ColumnIs(4, 50, 97, Light150)) << "left gradient, light to BC";
    EXPECT_TRUE(ColumnIs(8, 50, 97, BC));
    EXPECT_TRUE(ColumnIs(12, 50, 97, BC)) << "right gradient, BC to light";
    EXPECT_TRUE(ColumnIs(16, 50, 97, Light150));
    EXPECT_TRUE(ColumnIs(3, 50, 97, White));

    show(scrolling::Continuous, 0, false, 1);
    EXPECT_EQ(bar->rcProgress().top, 100);
    EXPECT_TRUE(ColumnIs(10, 3, 97, White)) << "no stub when vertical";

    show(scrolling::Chunked, 50, false, 1); // 49 snaps to 52 on the 8-pixel grid
    EXPECT_EQ(bar->rcProgress().top, 52);
    EXPECT_TRUE(ColumnIs(10, 90, 91, White));
    EXPECT_TRUE(ColumnIs(10, 82, 83, White));
    EXPECT_TRUE(ColumnIs(10, 84, 89, BC));

    show(scrolling::Marquee, 50, false, 1);
    EXPECT_TRUE(RowIs(50, 3, 17, LightenColor(BC, 220))) << "first block's top row";
    EXPECT_TRUE(PixelIs(10, 60, White));
    EXPECT_TRUE(PixelIs(10, 62, LightenColor(BC, 180)));
}

TEST_F(RenderingTest, PercentagesOutsideTheRange) {
    show(scrolling::Continuous, 0);
    const sim::SimRaster zero = site.screen();
    show(scrolling::Continuous, -5);
    EXPECT_EQ(site.screen(), zero) << "a negative fill draws as 0 %";
    EXPECT_EQ(bar->lPercent(), -5);

    show(scrolling::Continuous, 100);
    const sim::SimRaster full = site.screen();
    show(scrolling::Continuous, 250);
    EXPECT_EQ(bar->lPercent(), 100);
    EXPECT_EQ(site.screen(), full);
}

TEST_F(RenderingTest, ThePercentageIsCentredInBlack) {
    show(scrolling::Continuous, 50, true);
    // "50 %": 24 by 13 in the simulated font, at round(140.5 - 12) = 128 (even), top 2.
    EXPECT_EQ(bar->rcText().left, 128);
    EXPECT_EQ(bar->rcText().top, 2);
    EXPECT_EQ(bar->rcText().right, 152);
    int black = 0;
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 281; ++x) {
            if (at(x, y) == 0x000000) {
                ++black;
                EXPECT_TRUE(x >= 128 && x < 152 && y >= 2 && y < 15)
                    << "ink outside the text at (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_GT(black, 20);

    show(scrolling::Continuous, -5, true);
    EXPECT_EQ(bar->rcText().right - bar->rcText().left, 24) << "\"-5 %\"";
    show(scrolling::Marquee, 50, true);
    EXPECT_EQ(bar->rcText().right - bar->rcText().left, 66) << "\"Searching..\"";
}

TEST_F(RenderingTest, TwoToneTextSplitsAtTheProgressPosition) {
    const auto inkIn = [&](Color ink, int x0, int x1) {
        int count = 0;
        for (int y = bar->rcText().top; y < bar->rcText().bottom; ++y) {
            for (int x = x0; x < x1; ++x) {
                count += at(x, y) == ink ? 1 : 0;
            }
        }
        return count;
    };
    show(scrolling::Glossy, 50, true); // px 140.5: white left of 140, black from 140
    EXPECT_EQ(inkIn(0x000000, 128, 140), 0);
    EXPECT_GT(inkIn(0x000000, 140, 152), 0);
    EXPECT_GT(inkIn(0xFFFFFF, 128, 140), 0);

    show(scrolling::Glossy, 100, true); // past the text: one copy, in white
    EXPECT_EQ(inkIn(0x000000, 0, 281), 0);

    show(scrolling::Dark, 0, true); // silver on black, no light copy
    EXPECT_GT(inkIn(0xC0C0C0, 0, 281), 0);
    EXPECT_EQ(inkIn(LightenColor(BC, 80), 0, 281), 0);
    show(scrolling::Dark, 100, true);
    EXPECT_EQ(inkIn(0xC0C0C0, 0, 281), 0);
    EXPECT_GT(inkIn(LightenColor(BC, 80), 0, 281), 0);
}

} // namespace
} // namespace vp::test
