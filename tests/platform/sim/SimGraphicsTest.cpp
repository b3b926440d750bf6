// The simulated raster's conventions where the progress bar's golden images would not show a
// fault: degenerate shapes, hatches the goldens do not draw, and bitmap lifetimes.
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

TEST_F(SimGraphicsTest, InvertedOrEmptyShapesCoverNothingAndLinesRunEitherWay) {
    const auto brush = graphics.createSolidBrush(Red);
    dc.fillRect({5, 1, 2, 3}, *brush);
    dc.fillRect({2, 3, 5, 3}, *brush);
    dc.frameRect({8, 1, 8, 5}, *brush);
    dc.patBlt(3, 3, 0, 2, *brush, gdi::PatCopy);
    const auto pen = graphics.createSolidPen(Red);
    dc.line(5, 5, 5, 5, *pen);
    EXPECT_EQ(dc.raster(), SimDeviceContext(12, 8, graphics.sysColors).raster());

    dc.line(9, 3, 3, 3, *pen);
    dc.line(-100, 6, 100, 6, *pen);
    EXPECT_EQ(Row(dc.raster(), 3, Red), "....######..") << "leftwards, the end point left out";
    EXPECT_EQ(Row(dc.raster(), 6, Red), "############") << "clipped";
    dc.line(0, 7, 0, 2, *pen);
    EXPECT_EQ(dc.raster().pixel(0, 7), Red);
    EXPECT_EQ(dc.raster().pixel(0, 2), White) << "upwards, the end point left out";
}

TEST_F(SimGraphicsTest, DiagonalHatchesTransparentGapsAndUnknownStyles) {
    SimDeviceContext diagonal(8, 8, graphics.sysColors);
    diagonal.setBkMode(gdi::Transparent);
    diagonal.fillRect({0, 0, 8, 8}, *graphics.createHatchBrush(gdi::HatchDiagonalCross, Red));
    EXPECT_EQ(Row(diagonal.raster(), 0, Red), "#......#");
    EXPECT_EQ(Row(diagonal.raster(), 3, Red), "...##...");
    EXPECT_EQ(diagonal.raster().pixel(1, 0), White) << "transparent gaps keep their pixels";

    EXPECT_EQ(graphics.createHatchBrush(6, Red), nullptr);
    EXPECT_EQ(graphics.createHatchBrush(-1, Red), nullptr);
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
    EXPECT_EQ(dc.raster().pixel(11, 7), Red);
    EXPECT_EQ(dc.raster().pixel(9, 6), White);

    memory->restoreBitmap();
    memory->fillRect({0, 0, 4, 3}, *graphics.createSolidBrush(0));
    EXPECT_EQ(static_cast<SimBitmap&>(*bitmap).raster.pixel(0, 0), Red)
        << "drawing after the bitmap went back must not reach it";
    EXPECT_EQ(graphics.createCompatibleBitmap(*display, 0, 3), nullptr);
}

} // namespace
} // namespace vp::sim
