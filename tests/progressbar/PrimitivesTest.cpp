#include "support/BarFixture.h"

#include <cmath>

namespace vp::test {
namespace {

class PrimitivesTest : public BarFixture {
protected:
    void SetUp() override { host(); }
    sim::SimDeviceContext canvas{20, 12, graphics.sysColors};
    const sim::SimRaster& pixels() const { return canvas.raster(); }
    int inked(Color background = 0xFFFFFF) const {
        int count = 0;
        for (const Color c : pixels().pixels()) {
            count += c != background ? 1 : 0;
        }
        return count;
    }
};

TEST_F(PrimitivesTest, DrawLineTakesAnEndPointAndLeavesItOut) {
    bar->DrawLine(5, 3, 5, 3, canvas, 0x0000FF);
    EXPECT_EQ(inked(), 0);
    bar->DrawLine(2, 1, 10, 1, canvas, 0x0000FF);
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(pixels().pixel(x, 1), x >= 2 && x <= 9 ? 0x0000FFu : 0xFFFFFFu) << "x " << x;
    }
    bar->DrawLine(0, 5, 0, 9, canvas, 0x8000000D);
    EXPECT_EQ(pixels().pixel(0, 8), graphics.getSysColor(13)) << "system colours translated";
    EXPECT_EQ(pixels().pixel(0, 9), 0xFFFFFFu);
}

TEST_F(PrimitivesTest, GradientLinesRunFromTheEndColourToTheStartColour) {
    Color end = 0xFFFFFF;
    Color start = 0xC0C0C0;
    bar->DrawGradient(end, start, 1, 2, 15, 7, canvas, false); // rows 2 to 9, x 1 to 14
    for (int i = 0; i <= 7; ++i) {
        const int expected = static_cast<int>(std::nearbyint(255 - 63.0 * i / 7));
        const Color grey = JoinChannels(expected, expected, expected);
        EXPECT_TRUE(RowOf(pixels(), 2 + i, 1, 14, grey)) << "line " << i;
        EXPECT_EQ(pixels().pixel(0, 2 + i), 0xFFFFFFu);
        EXPECT_EQ(pixels().pixel(15, 2 + i), 0xFFFFFFu) << "the end column is left out";
    }
    EXPECT_EQ(pixels().pixel(5, 10), 0xFFFFFFu);
}

TEST_F(PrimitivesTest, GradientEdgeCounts) {
    // A count of 0 draws line 0 alone, in the end colour.
    Color end = 0x0000FF;
    Color start = 0x00FF00;
    bar->DrawGradient(end, start, 2, 1, 0, 6, canvas, true);
    EXPECT_TRUE(ColumnOf(pixels(), 2, 1, 5, 0x0000FF));
    EXPECT_EQ(inked(), 5);
    // A negative count draws nothing.
    bar->DrawGradient(end, start, 8, 1, -3, 6, canvas, true);
    bar->DrawGradient(end, start, 8, 1, 12, -1, canvas, false);
    EXPECT_EQ(inked(), 5);
    // A row whose end lies left of its start runs leftwards, the end column left out.
    bar->DrawGradient(end, start, 10, 8, 6, 0, canvas, false);
    EXPECT_TRUE(RowOf(pixels(), 8, 7, 10, 0x0000FF));
    EXPECT_EQ(pixels().pixel(6, 8), 0xFFFFFFu);
    EXPECT_EQ(pixels().pixel(11, 8), 0xFFFFFFu);
}

TEST_F(PrimitivesTest, GradientTranslatesTheCallersColourVariables) {
    graphics.sysColors.colors[13] = 0x112233;
    Color end = 0x8000000D;
    Color start = 0x80000005;
    bar->DrawGradient(end, start, 0, 0, 1, 1, canvas, true);
    EXPECT_EQ(end, 0x112233u);
    EXPECT_EQ(start, graphics.getSysColor(5));
}

TEST_F(PrimitivesTest, GradientStepsAreSinglePrecision) {
    // Red from 0 to 1 over 6 lines: the step 1/6 held in single precision is a little above
    // 1/6, so line 3 comes to 0.50000001 and rounds up; a double step gives 0.5 and rounds to 0.
    Color end = 0x000000;
    Color start = 0x000001;
    bar->DrawGradient(end, start, 0, 0, 6, 1, canvas, true);
    const std::vector<Color> expected = {0, 0, 0, 1, 1, 1, 1};
    for (int i = 0; i <= 6; ++i) {
        EXPECT_EQ(pixels().pixel(i, 0), expected[static_cast<std::size_t>(i)]) << "line " << i;
    }
}

TEST_F(PrimitivesTest, FrameColorRectOfTheWholeBarColoursItsOuterRing) {
    // Reached through the Flat style, whose first step it is.
    bar->setScrolling(scrolling::Flat);
    const Color frame = LightenColor(bar->Color(), 100);
    EXPECT_TRUE(ColumnIs(0, 0, 16, frame));
    EXPECT_TRUE(ColumnIs(280, 0, 16, frame));
    EXPECT_TRUE(RowIs(0, 0, 280, frame));
    EXPECT_TRUE(RowIs(16, 0, 280, frame));
    EXPECT_TRUE(PixelIs(279, 15, 0xFFFFFF));
}

TEST_F(PrimitivesTest, TheSurfaceOnlyGrowsAndARemakeTakesBothNewSizes) {
    EXPECT_EQ(bar->surfaceWidth(), 281);
    EXPECT_EQ(bar->surfaceHeight(), 17);
    const int made = graphics.bitmapsMade;
    DeviceContext* first = bar->EnsureSurface(200, 17);
    EXPECT_EQ(graphics.bitmapsMade, made) << "a smaller size keeps the surface";
    EXPECT_EQ(bar->surfaceWidth(), 281);
    DeviceContext* second = bar->EnsureSurface(300, 10);
    EXPECT_EQ(graphics.bitmapsMade, made + 1);
    EXPECT_EQ(bar->surfaceWidth(), 300);
    EXPECT_EQ(bar->surfaceHeight(), 10);
    EXPECT_NE(second, nullptr);
    EXPECT_NE(first, nullptr);

    // Through the site: a smaller control keeps the surface, a taller one remakes it.
    site.resize(100, 10);
    EXPECT_EQ(bar->surfaceWidth(), 300);
    site.resize(100, 40);
    EXPECT_EQ(bar->surfaceWidth(), 100);
    EXPECT_EQ(bar->surfaceHeight(), 40);
    EXPECT_EQ(&bar->hdc(), bar->EnsureSurface(1, 1));
}

TEST_F(PrimitivesTest, PDrawWithoutSizesCopiesTheWholeSurfaceToTheOrigin) {
    bar->setValue(50);
    sim::SimDeviceContext target(300, 20, graphics.sysColors);
    bar->pDraw(target);
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 281; ++x) {
            ASSERT_EQ(target.raster().pixel(x, y), at(x, y)) << "(" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(target.raster().pixel(281, 0), 0xFFFFFFu);
    // A block with offsets.
    sim::SimDeviceContext part(10, 10, graphics.sysColors);
    bar->pDraw(part, 279, 15, 2, 2, 1, 1);
    EXPECT_EQ(part.raster().pixel(1, 1), at(279, 15));
    EXPECT_EQ(part.raster().pixel(2, 2), at(280, 16));
    EXPECT_EQ(part.raster().pixel(3, 3), 0xFFFFFFu);
}

TEST_F(PrimitivesTest, WithoutASurfaceTheBarDrawsStraightOntoItsSite) {
    graphics.failBitmap = true;
    host();
    EXPECT_FALSE(bar->bSurface());
    EXPECT_EQ(&bar->hdc(), &site.hDC());
    const int copies = site.copiesShown();
    bar->setScrolling(scrolling::Continuous);
    bar->setValue(50);
    EXPECT_EQ(site.copiesShown(), copies) << "nothing to copy";
    EXPECT_TRUE(PixelIs(144, 7, bar->Color()));
    EXPECT_TRUE(PixelIs(145, 7, 0xFFFFFF));

    graphics.failBitmap = false;
    graphics.failDisplayContext = true;
    host();
    EXPECT_FALSE(bar->bSurface());
    graphics.failDisplayContext = false;
    graphics.failMemoryContext = true;
    host();
    EXPECT_FALSE(bar->bSurface());
    sim::SimDeviceContext target(10, 10, graphics.sysColors);
    bar->pDraw(target);
    EXPECT_EQ(target.copiesReceived(), 0);
}

TEST_F(PrimitivesTest, ALostSurfaceKeepsTheFlagAndDrawsOnTheSite) {
    EXPECT_TRUE(bar->bSurface());
    graphics.failBitmap = true;
    site.resize(300, 17); // the remake fails and the old surface is gone
    EXPECT_TRUE(bar->bSurface());
    EXPECT_EQ(&bar->hdc(), &site.hDC());
    site.paint();
    EXPECT_TRUE(PixelIs(0, 5, 0x686868));
}

TEST_F(PrimitivesTest, TerminateFreesTheSurface) {
    site.unhost(*bar);
    EXPECT_EQ(bar->surfaceWidth(), 0);
    EXPECT_EQ(bar->surfaceHeight(), 0);
    EXPECT_EQ(&bar->hdc(), &site.hDC());
}

} // namespace
} // namespace vp::test
