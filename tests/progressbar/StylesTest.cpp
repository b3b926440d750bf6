#include "support/BarFixture.h"

#include <vector>

namespace vp::test {
namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color Shadow = 0x808080;
constexpr Color Light = 0xC8D0D4; // classic 3-D light
constexpr Color DarkShadow = 0x404040;

class StylesTest : public BarFixture {
protected:
    // The last column of row y whose colour differs from `background`, looking from x 2 on.
    int extent(int y, Color background, int from = 2, int to = 279) const {
        int last = from - 1;
        for (int x = from; x <= to; ++x) {
            if (at(x, y) != background) {
                last = x;
            }
        }
        return last;
    }
};

TEST_F(StylesTest, FlatFillsInsideALightFrame) {
    show(scrolling::Flat, 50);
    EXPECT_EQ(bar->rcProgress().right, 140) << "140.5 rounds to even";
    EXPECT_TRUE(RowIs(8, 1, 139, LightenColor(BC, 180)));
    EXPECT_TRUE(PixelIs(140, 8, White));
    EXPECT_TRUE(ColumnIs(0, 0, 16, LightenColor(BC, 100)));
    EXPECT_TRUE(RowIs(15, 1, 139, LightenColor(BC, 180)));
    EXPECT_TRUE(RowIs(16, 0, 280, LightenColor(BC, 100)));

    show(scrolling::Flat, 0);
    EXPECT_TRUE(RowIs(8, 1, 279, White));
    show(scrolling::Flat, 100);
    EXPECT_TRUE(PixelIs(280, 8, LightenColor(BC, 180))) << "the fill covers the right column";
    EXPECT_TRUE(PixelIs(280, 0, LightenColor(BC, 100)));
}

TEST_F(StylesTest, EtchedShadesLeftToRightInsideItsEdge) {
    show(scrolling::Etched, 0);
    EXPECT_TRUE(ColumnIs(2, 2, 13, LightenColor(BC, 140))) << "one column at 0 %";
    EXPECT_TRUE(RowIs(8, 3, 278, White));
    EXPECT_TRUE(PixelIs(2, 14, White)) << "rows 2 to H - 4";

    show(scrolling::Etched, 50); // round(138.5) = 138: columns 2 to 140
    EXPECT_EQ(extent(8, White, 2, 278), 140);
    EXPECT_TRUE(ColumnIs(140, 2, 13, LightenColor(BC, 200)));

    show(scrolling::Etched, 100); // columns 2 to 279
    EXPECT_TRUE(ColumnIs(2, 2, 13, LightenColor(BC, 140)));
    EXPECT_TRUE(ColumnIs(279, 2, 13, LightenColor(BC, 200)));
    // The etched edge: shadow then hilight outside, hilight then shadow inside.
    EXPECT_TRUE(RowIs(0, 0, 279, Shadow));
    EXPECT_TRUE(ColumnIs(280, 0, 16, White));
    EXPECT_TRUE(RowIs(1, 1, 278, White));
    EXPECT_TRUE(ColumnIs(279, 14, 15, Shadow));
    EXPECT_TRUE(RowIs(15, 2, 279, Shadow));
}

TEST_F(StylesTest, TrackRunsUnderAFillThatStopsShortAtOneHundredAndOne) {
    show(scrolling::Track, 100); // p = round(281 * 100 / 101) = 278
    EXPECT_EQ(bar->rcProgress().right, 278);
    EXPECT_TRUE(RowIs(3, 3, 277, LightenColor(BC, 250)));
    EXPECT_TRUE(RowIs(14, 3, 277, BC)) << "the fill shades to BC at the bottom";
    EXPECT_TRUE(ColumnIs(278, 2, 14, LightenColor(BC, 25))) << "the bright edge line";
    EXPECT_TRUE(ColumnIs(279, 1, 15, White)) << "the track ends at W - 3";
    EXPECT_TRUE(RowIs(0, 0, 280, LightenColor(BC, 10)));

    show(scrolling::Track, 50); // p = round(139.1) = 139
    EXPECT_TRUE(PixelIs(138, 3, LightenColor(BC, 250)));
    EXPECT_TRUE(ColumnIs(139, 2, 14, LightenColor(BC, 25)));
    EXPECT_TRUE(PixelIs(140, 2, BC));

    show(scrolling::Track, 0);
    EXPECT_TRUE(ColumnIs(0, 2, 14, LightenColor(BC, 25))) << "the edge line on column 0";
    EXPECT_TRUE(RowIs(2, 2, 278, BC)) << "the track's top row";
    EXPECT_TRUE(RowIs(14, 4, 278, LightenColor(BC, 100))) << "the track's bottom row";
    // The fill's rows run leftwards from x 3 to just right of p = 0.
    EXPECT_TRUE(RowIs(3, 1, 3, LightenColor(BC, 250)));
}

TEST_F(StylesTest, DarkShadesFromBlackInsideADimFrame) {
    const Color dim = LightenColor(Blend(BC, 0, 100), 10);
    show(scrolling::Dark, 0);
    EXPECT_TRUE(RowIs(0, 0, 280, Blend(BC, 0, 200)));
    EXPECT_TRUE(RowIs(8, 1, 279, 0x000000)) << "black background, a black column at x = 2";

    show(scrolling::Dark, 50); // n = round(276 / 2) = 138: columns 2 to 140
    EXPECT_TRUE(ColumnIs(140, 2, 14, dim));
    EXPECT_TRUE(PixelIs(141, 8, 0x000000));
    EXPECT_TRUE(PixelIs(2, 8, 0x000000));

    show(scrolling::Dark, 100); // n = 276: columns 2 to 278
    EXPECT_TRUE(ColumnIs(278, 2, 14, dim));
    EXPECT_TRUE(PixelIs(279, 8, 0x000000));
    EXPECT_TRUE(PixelIs(278, 15, 0x000000));
}

TEST_F(StylesTest, HatchedFillsWithBcLinesOnALightTint) {
    const Color gap = LightenColor(BC, 140);
    show(scrolling::Hatched, 100); // BrushStyle 0: horizontal lines on rows 3 and 11
    EXPECT_EQ(bar->rcProgress().left, 2);
    EXPECT_EQ(bar->rcProgress().right, 278);
    EXPECT_EQ(bar->rcProgress().bottom, 15);
    EXPECT_TRUE(RowIs(3, 2, 277, BC));
    EXPECT_TRUE(RowIs(11, 2, 277, BC));
    EXPECT_TRUE(RowIs(4, 2, 277, gap));
    EXPECT_TRUE(RowIs(14, 2, 277, gap));
    EXPECT_TRUE(PixelIs(278, 8, White));
    // The bump edge.
    EXPECT_TRUE(PixelIs(0, 0, Light));
    EXPECT_TRUE(PixelIs(1, 1, DarkShadow));
    EXPECT_TRUE(PixelIs(280, 16, DarkShadow));
    EXPECT_TRUE(PixelIs(279, 15, Light));

    bar->setShowText(true); // the text leaves a transparent background mode behind
    bar->setBrushStyle(4);  // cross
    bar->setValue(100);
    EXPECT_TRUE(RowIs(3, 2, 50, BC));
    EXPECT_TRUE(ColumnIs(4, 2, 14, BC));
    EXPECT_TRUE(PixelIs(5, 5, gap)) << "the gaps are still painted";

    bar->setValue(50); // round(139.1) = 139
    EXPECT_TRUE(PixelIs(138, 4, gap));
    EXPECT_TRUE(PixelIs(139, 4, White));
    bar->setValue(0);
    EXPECT_TRUE(RowIs(3, 2, 278, White));
}

TEST_F(StylesTest, HatchedWithAStyleOutsideTheSixHatchesFillsNothing) {
    show(scrolling::Hatched, 100);
    for (const std::int32_t style : {6, -1, 70000}) {
        bar->setBrushStyle(style);
        EXPECT_NO_THROW(bar->setValue(100)) << style;
        EXPECT_TRUE(RowIs(8, 2, 278, White)) << style;
    }
}

TEST_F(StylesTest, PictureTilesFromTheOriginAndOvershootsByTwo) {
    show(scrolling::Picture, 100);
    EXPECT_TRUE(RowIs(8, 1, 279, White)) << "no picture: the edge alone";
    EXPECT_TRUE(PixelIs(0, 0, Shadow));
    EXPECT_TRUE(PixelIs(280, 0, White));
    EXPECT_TRUE(PixelIs(0, 16, White));
    EXPECT_TRUE(RowIs(0, 0, 279, Shadow));

    std::vector<Color> tile(9);
    for (std::size_t i = 0; i < tile.size(); ++i) {
        tile[i] = 0x010000 * static_cast<Color>(i + 1);
    }
    bar->setImage(graphics.createBitmap(3, 3, tile));
    // p = 278: x 2 to 279, y 2 to 14, each pixel the tile's (x mod 3, y mod 3).
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{2, 2}, {279, 14}, {100, 7}}) {
        EXPECT_TRUE(PixelIs(x, y, tile[static_cast<std::size_t>((y % 3) * 3 + x % 3)]));
    }
    EXPECT_TRUE(PixelIs(280, 8, White));
    EXPECT_TRUE(PixelIs(100, 15, White));

    bar->setValue(50); // p = 139: x 2 to 140
    EXPECT_EQ(extent(8, White, 2, 279), 140);
    bar->setValue(-1); // a width of -1 paints column 1
    EXPECT_EQ(at(1, 8), tile[static_cast<std::size_t>((8 % 3) * 3 + 1)]);
    EXPECT_TRUE(RowIs(8, 2, 279, White));
}

TEST_F(StylesTest, NegativePercentagesPutTheFillsEndLeftOfItsStart) {
    show(scrolling::Flat, -5);
    EXPECT_TRUE(RowIs(8, 1, 279, White)) << "an empty rectangle";
    show(scrolling::Etched, -5);
    EXPECT_TRUE(RowIs(8, 2, 278, White)) << "a negative column count draws nothing";
    show(scrolling::Hatched, -5);
    EXPECT_TRUE(RowIs(3, 2, 278, White));
    show(scrolling::Track, -5); // p = -14: the fill's rows run from x 3 leftwards past 0
    EXPECT_TRUE(RowIs(3, 0, 3, LightenColor(BC, 250)));
    EXPECT_TRUE(PixelIs(4, 3, at(100, 3))) << "the track";
}

TEST_F(StylesTest, GlossyBandsUnderTheGreyFrame) {
    show(scrolling::Glossy, 50); // P = round(138.5) = 138, h = 7
    EXPECT_EQ(bar->rcProgress().right, 138);
    EXPECT_TRUE(PixelIs(138, 4, 0xEDEDED)) << "silver-white band, line 2: 255 - 63 * 2 / 7";
    EXPECT_TRUE(RowIs(10, 138, 277, 0xC0C0C0)) << "solid silver band, x 2 to W - 4";
    EXPECT_TRUE(PixelIs(278, 10, White));
    EXPECT_TRUE(PixelIs(3, 2, 0xEFEFEF)) << "the frame's inner line over the top band";
    EXPECT_TRUE(PixelIs(137, 14, BC)) << "the lower coloured band ends in BC";
    EXPECT_TRUE(PixelIs(137, 7, Blend(BC, 0, 190))) << "the lower band starts on row h";
    EXPECT_NE(at(137, 10), 0xC0C0C0u);
    EXPECT_TRUE(PixelIs(0, 0, 0xFFFFFF)) << "the frame's corner";
    EXPECT_TRUE(ColumnIs(0, 3, 13, 0x686868));

    show(scrolling::Glossy, 100); // P = 277
    EXPECT_TRUE(PixelIs(276, 10, at(100, 10)));
    EXPECT_TRUE(PixelIs(277, 10, 0xC0C0C0));
    show(scrolling::Glossy, 0);
    EXPECT_TRUE(RowIs(10, 3, 277, 0xC0C0C0));
}

} // namespace
} // namespace vp::test
