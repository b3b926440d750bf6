#include "platform/sim/SimGraphics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp::sim {
namespace {

constexpr Color Red = 0x0000FF;
constexpr Color White = 0xFFFFFF;

// The row as text, one character per pixel: '#' for `ink`, '.' for anything else.
std::string Row(const SimRaster& raster, int y, Color ink) {
    std::string out;
    for (int x = 0; x < raster.width(); ++x) {
        out += raster.pixel(x, y) == ink ? '#' : '.';
    }
    return out;
}

class SimGraphicsTest : public ::testing::Test {
protected:
    SimGraphics graphics;
    SimDeviceContext dc{12, 8, graphics.sysColors};
};

TEST_F(SimGraphicsTest, RectanglesLeaveOutRightAndBottomAndInvertedOnesCoverNothing) {
    const auto brush = graphics.createSolidBrush(Red);
    dc.fillRect({2, 1, 5, 3}, *brush);
    EXPECT_EQ(Row(dc.raster(), 0, Red), "............");
    EXPECT_EQ(Row(dc.raster(), 1, Red), "..###.......");
    EXPECT_EQ(Row(dc.raster(), 2, Red), "..###.......");
    EXPECT_EQ(Row(dc.raster(), 3, Red), "............");

    const SimRaster before = dc.raster();
    dc.fillRect({5, 1, 2, 3}, *brush);
    dc.fillRect({2, 3, 5, 3}, *brush);
    dc.frameRect({8, 1, 8, 5}, *brush);
    dc.patBlt(3, 3, 0, 2, *brush, gdi::PatCopy);
    EXPECT_EQ(dc.raster(), before);

    dc.frameRect({6, 4, 10, 8}, *brush);
    EXPECT_EQ(Row(dc.raster(), 4, Red), "......####..");
    EXPECT_EQ(Row(dc.raster(), 5, Red), "......#..#..");
    EXPECT_EQ(Row(dc.raster(), 7, Red), "......####..");
}

TEST_F(SimGraphicsTest, LinesLeaveOutTheirEndPointWhicheverWayTheyRun) {
    const auto pen = graphics.createSolidPen(Red);
    dc.line(2, 1, 10, 1, *pen);
    dc.line(9, 3, 3, 3, *pen);
    dc.line(5, 5, 5, 5, *pen);
    dc.line(-100, 6, 100, 6, *pen);
    EXPECT_EQ(Row(dc.raster(), 1, Red), "..########..");
    EXPECT_EQ(Row(dc.raster(), 3, Red), "....######..");
    EXPECT_EQ(Row(dc.raster(), 5, Red), "............");
    EXPECT_EQ(Row(dc.raster(), 6, Red), "############");
    dc.line(0, 7, 0, 2, *pen);
    EXPECT_EQ(dc.raster().pixel(0, 7), Red);
    EXPECT_EQ(dc.raster().pixel(0, 2), White);
}

TEST_F(SimGraphicsTest, HatchesRepeatEveryEightPixelsFromTheContextOrigin) {
    SimDeviceContext wide(16, 8, graphics.sysColors);
    const auto cross = graphics.createHatchBrush(gdi::HatchCross, Red);
    wide.setBkColor(0x00FF00);
    wide.fillRect({1, 0, 16, 8}, *cross);
    EXPECT_EQ(Row(wide.raster(), 0, Red), "....#.......#...");
    EXPECT_EQ(Row(wide.raster(), 3, Red), ".###############");
    EXPECT_EQ(wide.raster().pixel(1, 0), 0x00FF00u) << "opaque gaps take the background colour";
    EXPECT_EQ(wide.raster().pixel(0, 0), White) << "outside the rectangle";

    SimDeviceContext diagonal(8, 8, graphics.sysColors);
    diagonal.setBkMode(gdi::Transparent);
    diagonal.fillRect({0, 0, 8, 8}, *graphics.createHatchBrush(gdi::HatchDiagonalCross, Red));
    EXPECT_EQ(Row(diagonal.raster(), 0, Red), "#......#");
    EXPECT_EQ(Row(diagonal.raster(), 3, Red), "...##...");
    EXPECT_EQ(diagonal.raster().pixel(1, 0), White) << "transparent gaps keep their pixels";

    EXPECT_EQ(graphics.createHatchBrush(6, Red), nullptr);
    EXPECT_EQ(graphics.createHatchBrush(-1, Red), nullptr);
}

TEST_F(SimGraphicsTest, EdgesTakeTheClassicThreeDimensionalColours) {
    constexpr Color Shadow = 0x808080;
    constexpr Color Hilight = 0xFFFFFF;
    constexpr Color Light = 0xC8D0D4;
    constexpr Color DarkShadow = 0x404040;
    const auto corners = [](const SimRaster& r, int inset) {
        const int right = r.width() - 1 - inset;
        const int bottom = r.height() - 1 - inset;
        return std::vector<Color>{r.pixel(inset, inset),     r.pixel(right, inset),
                                  r.pixel(inset, bottom),    r.pixel(right, bottom),
                                  r.pixel(inset + 2, inset), r.pixel(inset, inset + 2),
                                  r.pixel(right, inset + 2), r.pixel(inset + 2, bottom)};
    };
    SimDeviceContext etched(10, 6, graphics.sysColors);
    etched.drawEdge({0, 0, 10, 6}, gdi::Etched, gdi::AllSides);
    // Outer ring: shadow top and left, hilight bottom and right (which take the shared corners).
    EXPECT_EQ(corners(etched.raster(), 0), (std::vector<Color>{Shadow, Hilight, Hilight, Hilight,
                                                               Shadow, Shadow, Hilight, Hilight}));
    // Inner ring: hilight top and left, shadow bottom and right.
    EXPECT_EQ(corners(etched.raster(), 1), (std::vector<Color>{Hilight, Shadow, Shadow, Shadow,
                                                               Hilight, Hilight, Shadow, Shadow}));

    SimDeviceContext bump(10, 6, graphics.sysColors);
    bump.drawEdge({0, 0, 10, 6}, gdi::Bump, gdi::AllSides);
    EXPECT_EQ(corners(bump.raster(), 0),
              (std::vector<Color>{Light, DarkShadow, DarkShadow, DarkShadow, Light, Light,
                                  DarkShadow, DarkShadow}));
    EXPECT_EQ(corners(bump.raster(), 1),
              (std::vector<Color>{DarkShadow, Light, Light, Light, DarkShadow, DarkShadow, Light,
                                  Light}));

    SimDeviceContext sunken(10, 6, graphics.sysColors);
    sunken.drawEdge({0, 0, 10, 6}, gdi::SunkenOuter, gdi::AllSides);
    EXPECT_EQ(corners(sunken.raster(), 0), (std::vector<Color>{Shadow, Hilight, Hilight, Hilight,
                                                               Shadow, Shadow, Hilight, Hilight}));
    EXPECT_EQ(sunken.raster().pixel(1, 1), White) << "one ring only";
    EXPECT_EQ(Row(sunken.raster(), 2, Shadow), "#.........");
}

TEST_F(SimGraphicsTest, PatternsTileFromTheOriginAndNegativeWidthsCountLeftwards) {
    const std::vector<Color> tile = {1, 2, 3, 4, 5, 6}; // 3 by 2
    const auto picture = graphics.createBitmap(3, 2, tile);
    ASSERT_NE(picture, nullptr);
    const auto brush = graphics.createPatternBrush(*picture);
    dc.patBlt(4, 1, 3, 2, *brush, gdi::PatCopy);
    EXPECT_EQ(dc.raster().pixel(4, 1), 5u); // x 4 -> tile column 1, y 1 -> tile row 1
    EXPECT_EQ(dc.raster().pixel(6, 2), 1u);
    EXPECT_EQ(dc.raster().pixel(7, 1), White);

    dc.patBlt(3, 5, -2, 1, *brush, gdi::PatCopy); // covers x 1 and 2
    EXPECT_EQ(dc.raster().pixel(0, 5), White);
    EXPECT_EQ(dc.raster().pixel(1, 5), 5u);
    EXPECT_EQ(dc.raster().pixel(2, 5), 6u);
    EXPECT_EQ(dc.raster().pixel(3, 5), White);
}

TEST_F(SimGraphicsTest, TextIsMeasuredOnOneLineAndDrawnClippedToItsRectangle) {
    const auto font = graphics.createFont(FontSpec{"MS Sans Serif", 8.25});
    PixelRect measured{3, 4, 0, 0};
    EXPECT_EQ(dc.drawText("50 %", measured, gdi::CalcRect, *font), 13);
    EXPECT_EQ(measured.right, 3 + 24);
    EXPECT_EQ(measured.bottom, 4 + 13);

    SimDeviceContext wide(40, 16, graphics.sysColors);
    wide.setBkMode(gdi::Transparent);
    wide.setTextColor(Red);
    PixelRect clip{0, 0, 8, 16}; // the first glyph and a third of the second
    wide.drawText("11", clip, gdi::SingleLine, *font);
    int inked = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (wide.raster().pixel(x, y) == Red) {
                ++inked;
                EXPECT_LT(x, 8) << "ink outside the rectangle at (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_GT(inked, 5);

    PixelRect unknown{0, 0, 0, 0};
    PixelRect question{0, 0, 0, 0};
    dc.drawText("€", unknown, gdi::CalcRect, *font);
    dc.drawText("?", question, gdi::CalcRect, *font);
    EXPECT_EQ(unknown.right, question.right) << "one cell for a character without a glyph";
}

TEST_F(SimGraphicsTest, MemoryContextsDrawIntoTheSelectedBitmapAndCopyClipped) {
    const auto display = graphics.createDisplayContext();
    ASSERT_NE(display, nullptr);
    const auto memory = graphics.createCompatibleContext(*display);
    const auto bitmap = graphics.createCompatibleBitmap(*display, 4, 3);
    ASSERT_TRUE(memory && bitmap);
    ASSERT_TRUE(memory->selectBitmap(*bitmap));
    memory->fillRect({0, 0, 4, 3}, *graphics.createSolidBrush(Red));
    dc.bitBlt(10, 6, 4, 3, *memory, 0, 0); // only 2 by 2 of it lands inside
    EXPECT_EQ(dc.raster().pixel(10, 6), Red);
    EXPECT_EQ(dc.raster().pixel(11, 7), Red);
    EXPECT_EQ(dc.raster().pixel(9, 6), White);
    EXPECT_EQ(dc.copiesReceived(), 1);

    memory->restoreBitmap();
    memory->fillRect({0, 0, 4, 3}, *graphics.createSolidBrush(0));
    EXPECT_EQ(static_cast<SimBitmap&>(*bitmap).raster.pixel(0, 0), Red)
        << "drawing after the bitmap went back must not reach it";

    graphics.failBitmap = true;
    EXPECT_EQ(graphics.createCompatibleBitmap(*display, 4, 3), nullptr);
    EXPECT_EQ(graphics.createCompatibleBitmap(*display, 0, 3), nullptr);
}

TEST_F(SimGraphicsTest, SystemColoursAreClassicAndUnknownIndexesBlack) {
    EXPECT_EQ(graphics.getSysColor(gdi::ColorHighlight), 0x6A240Au);
    EXPECT_EQ(graphics.getSysColor(gdi::Color3DFace), 0xC8D0D4u);
    EXPECT_EQ(graphics.getSysColor(31), 0u);
    EXPECT_EQ(graphics.getSysColor(-1), 0u);
}

} // namespace
} // namespace vp::sim
