// ProgressBar1's figures (281 by 17, colour 0xC56A31) worked out by hand, where a reviewed golden
// image would only show that a drawing changed, not that it was right to begin with.
#include "support/BarFixture.h"

namespace vp::test {
namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color BC = 0xC56A31;
const Color Light150 = LightenColor(BC, 150);

using namespace scrolling;

struct Figure {
    std::int32_t style;
    std::int32_t percent;
    int x0, y0, x1, y1; // both ends included
    Color color;
    bool vertical = false; // on a 20 by 100 site
};

// A pixel of the frame's corners, at 50 %.
constexpr Figure Corner(int x, int y, Color color) {
    return {Continuous, 50, x, y, x, y, color};
}

// clang-format off
const Figure Figures[] = {
    // Continuous: x = round(278 * percent / 98 + 3), the fill one short of it.
    {Continuous, 0, 4, 7, 11, 7, BC}, {Continuous, 0, 12, 7, 13, 7, White},
    {Continuous, 50, 4, 7, 144, 7, BC}, {Continuous, 50, 145, 7, 145, 7, White},
    {Continuous, 100, 278, 7, 278, 7, BC}, {Continuous, 50, 100, 3, 100, 3, Light150},
    {Continuous, 50, 100, 13, 100, 13, Light150}, {Continuous, 50, 3, 14, 278, 14, White},
    // Chunked: 6-pixel chunks, 2-pixel gaps, the end snapped to the 8-pixel grid from 3.
    {Chunked, 0, 4, 7, 9, 7, BC}, {Chunked, 0, 10, 7, 13, 7, White},
    {Chunked, 50, 10, 7, 11, 7, White}, {Chunked, 50, 12, 7, 17, 7, BC},
    {Chunked, 50, 137, 7, 137, 7, BC}, {Chunked, 50, 138, 7, 278, 7, White},
    {Chunked, 100, 273, 7, 273, 7, BC}, {Chunked, 100, 274, 7, 275, 7, White},
    {Chunked, 100, 276, 7, 278, 7, BC},
    // Marquee at 50 %: blocks at 122, 134 and 146, each shading across its 10 columns.
    {Marquee, 50, 121, 8, 121, 8, White}, {Marquee, 50, 122, 3, 122, 14, LightenColor(BC, 220)},
    {Marquee, 50, 131, 3, 131, 14, LightenColor(BC, 200)},
    {Marquee, 50, 122, 15, 122, 15, 0xEFEFEF},
    {Marquee, 50, 132, 8, 133, 8, White}, {Marquee, 50, 134, 8, 134, 8, LightenColor(BC, 180)},
    {Marquee, 50, 143, 8, 143, 8, LightenColor(BC, 160)},
    {Marquee, 50, 146, 8, 146, 8, LightenColor(BC, 140)},
    {Marquee, 50, 155, 8, 155, 8, LightenColor(BC, 120)}, {Marquee, 50, 156, 8, 156, 8, White},
    // The grey frame and its corner pixels.
    {Continuous, 50, 2, 1, 278, 1, 0xBEBEBE}, {Continuous, 50, 3, 2, 278, 2, 0xEFEFEF},
    {Continuous, 50, 2, 15, 278, 15, 0xEFEFEF}, {Continuous, 50, 1, 2, 1, 14, 0xBEBEBE},
    {Continuous, 50, 2, 3, 2, 14, 0xEFEFEF}, {Continuous, 50, 279, 3, 279, 14, 0xEFEFEF},
    {Continuous, 50, 3, 0, 277, 0, 0x686868}, {Continuous, 50, 3, 16, 277, 16, 0x686868},
    {Continuous, 50, 0, 3, 0, 13, 0x686868}, {Continuous, 50, 280, 3, 280, 13, 0x686868},
    Corner(0, 0, 0xFFFFFF), Corner(0, 1, 0xA6ABAC), Corner(0, 2, 0x7D7E7F),
    Corner(1, 0, 0xA7ABAC), Corner(1, 1, 0x777777), Corner(2, 0, 0x7D7E7F),
    Corner(2, 2, 0xBEBEBE), Corner(0, 16, 0xFFFFFF), Corner(1, 16, 0xA6ABAC),
    Corner(2, 16, 0x7D7E7F), Corner(0, 14, 0x7D7E7F), Corner(0, 15, 0xA7ABAC),
    Corner(1, 15, 0x777777), Corner(280, 0, 0xFFFFFF), Corner(280, 1, 0xBEBEBE),
    Corner(280, 2, 0x7D7E7F), Corner(279, 2, 0xBEBEBE), Corner(279, 1, 0x686868),
    Corner(280, 16, 0xFFFFFF), Corner(280, 15, 0xBEBEBE), Corner(280, 14, 0x7D7E7F),
    Corner(279, 15, 0x777777), Corner(279, 16, 0xBEBEBE), Corner(278, 16, 0x7D7E7F),
    Corner(2, 1, 0xBEBEBE), Corner(279, 0, 0x686868), Corner(2, 15, 0xEFEFEF),
    // Negative percentages put the fill's end left of its start.
    {Flat, -5, 1, 8, 279, 8, White}, {Etched, -5, 2, 8, 278, 8, White},
    {Hatched, -5, 2, 3, 278, 3, White}, {Track, -5, 0, 3, 3, 3, LightenColor(BC, 250)},
    // Vertical: the fill grows upwards, y = round(100 * (1 - 50 / 98)) = 49 -> 50.
    {Continuous, 50, 10, 49, 10, 49, White, true}, {Continuous, 50, 10, 50, 10, 97, BC, true},
    {Continuous, 50, 4, 50, 4, 97, Light150, true}, {Continuous, 50, 8, 50, 8, 97, BC, true},
    {Continuous, 50, 12, 50, 12, 97, BC, true}, {Continuous, 50, 16, 50, 16, 97, Light150, true},
    {Continuous, 50, 3, 50, 3, 97, White, true}, {Continuous, 0, 10, 3, 10, 97, White, true},
    {Chunked, 50, 10, 84, 10, 89, BC, true}, {Chunked, 50, 10, 82, 10, 83, White, true},
    {Chunked, 50, 10, 90, 10, 91, White, true},
    {Marquee, 50, 3, 50, 17, 50, LightenColor(BC, 220), true},
    {Marquee, 50, 10, 60, 10, 60, White, true},
    {Marquee, 50, 10, 62, 10, 62, LightenColor(BC, 180), true},
};
// clang-format on

class RenderingTest : public BarFixture {};

TEST_F(RenderingTest, HandWorkedFigures) {
    for (const Figure& f : Figures) {
        site.resize(f.vertical ? 20 : 281, f.vertical ? 100 : 17);
        show(f.style, f.percent, f.vertical ? 1 : 0);
        EXPECT_TRUE(AreaIs(f.x0, f.y0, f.x1, f.y1, f.color))
            << "style " << f.style << " at " << f.percent << " %"
            << (f.vertical ? ", vertical" : "");
    }
}

TEST_F(RenderingTest, PercentagesOutsideTheRangeDrawAsTheNearestEnd) {
    show(scrolling::Continuous, 0);
    const sim::SimRaster zero = site.screen();
    show(scrolling::Continuous, -5);
    EXPECT_EQ(site.screen(), zero);
    EXPECT_EQ(bar->lPercent(), -5) << "kept, not cut";

    show(scrolling::Continuous, 100);
    const sim::SimRaster full = site.screen();
    show(scrolling::Continuous, 250);
    EXPECT_EQ(site.screen(), full);
    EXPECT_EQ(bar->lPercent(), 100) << "cut by the repaint";
}

TEST_F(RenderingTest, HatchesOtherThanTheGoldensOnes) {
    const Color gap = LightenColor(BC, 140);
    show(scrolling::Hatched, 100);
    bar->setShowText(true); // the text leaves a transparent background mode behind
    bar->setBrushStyle(4);  // cross
    bar->setValue(100);
    EXPECT_TRUE(AreaIs(2, 3, 50, 3, BC));
    EXPECT_TRUE(AreaIs(4, 2, 4, 14, BC));
    EXPECT_TRUE(PixelIs(5, 5, gap)) << "the gaps are still painted";
    for (const std::int32_t style : {6, -1, 70000}) {
        bar->setBrushStyle(style);
        EXPECT_NO_THROW(bar->setValue(100)) << style;
        EXPECT_TRUE(AreaIs(2, 8, 100, 8, White)) << "no fill with hatch style " << style;
    }
}

TEST_F(RenderingTest, PictureWithoutAnImageAndWithANegativeWidth) {
    show(scrolling::Picture, 100);
    EXPECT_TRUE(AreaIs(1, 8, 279, 8, White)) << "no picture: the edge alone";
    std::vector<Color> tile(9);
    for (std::size_t i = 0; i < tile.size(); ++i) {
        tile[i] = 0x010000 * static_cast<Color>(i + 1);
    }
    bar->setImage(graphics.createBitmap(3, 3, tile));
    bar->setValue(-1); // a width of -1 paints column 1, tiled from the origin
    EXPECT_TRUE(PixelIs(1, 8, tile[(8 % 3) * 3 + 1]));
    EXPECT_TRUE(AreaIs(2, 8, 279, 8, White));
}

} // namespace
} // namespace vp::test
