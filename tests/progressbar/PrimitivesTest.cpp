#include "support/BarFixture.h"

namespace vp::test {
namespace {

class PrimitivesTest : public BarFixture {
protected:
    void SetUp() override { host(); }
    sim::SimDeviceContext canvas{20, 12, graphics.sysColors};
    const sim::SimRaster& pixels() const { return canvas.raster(); }
    static int inked(const sim::SimDeviceContext& dc) {
        int count = 0;
        for (const Color c : dc.raster().pixels()) {
            count += c != 0xFFFFFF ? 1 : 0;
        }
        return count;
    }
};

TEST_F(PrimitivesTest, GradientLinesRunFromTheEndColourToTheStartColour) {
    Color end = 0xFFFFFF;
    Color start = 0xC0C0C0;
    bar->DrawGradient(end, start, 1, 2, 15, 7, canvas, false); // rows 2 to 9, x 1 to 14
    for (int i = 0; i <= 7; ++i) {
        const int grey = 255 - 9 * i; // 63 over 7 lines
        EXPECT_TRUE(AreaOf(pixels(), 1, 2 + i, 14, 2 + i, JoinChannels(grey, grey, grey)))
            << "line " << i;
    }
    EXPECT_EQ(inked(canvas), 7 * 14) << "line 0 is white; the end column is left out";

    // A row whose end lies left of its start runs leftwards, the end column left out.
    sim::SimDeviceContext other(20, 12, graphics.sysColors);
    end = 0x0000FF;
    start = 0x00FF00;
    bar->DrawGradient(end, start, 10, 8, 6, 0, other, false);
    EXPECT_TRUE(AreaOf(other.raster(), 7, 8, 10, 8, 0x0000FF));
    // A count of 0 draws line 0 alone, in the end colour; a negative count draws nothing.
    bar->DrawGradient(end, start, 2, 1, 0, 6, other, true);
    EXPECT_TRUE(AreaOf(other.raster(), 2, 1, 2, 5, 0x0000FF));
    bar->DrawGradient(end, start, 8, 1, -3, 6, other, true);
    bar->DrawGradient(end, start, 8, 1, 12, -1, other, false);
    EXPECT_EQ(inked(other), 4 + 5);
}

TEST_F(PrimitivesTest, GradientStepsAreSinglePrecisionAndColoursTranslatedInPlace) {
    // Red from 0 to 1 over 6 lines: the step 1/6 held in single precision is a little above
    // 1/6, so line 3 comes to 0.50000001 and rounds up; a double step gives 0.5 and rounds to 0.
    Color end = 0x000000;
    Color start = 0x000001;
    bar->DrawGradient(end, start, 0, 0, 6, 1, canvas, true);
    const std::vector<Color> expected = {0, 0, 0, 1, 1, 1, 1};
    for (int i = 0; i <= 6; ++i) {
        EXPECT_EQ(pixels().pixel(i, 0), expected[static_cast<std::size_t>(i)]) << "line " << i;
    }
    // The caller's colour variables come back translated.
    graphics.sysColors.colors[13] = 0x112233;
    end = 0x8000000D;
    start = 0x80000005;
    bar->DrawGradient(end, start, 0, 0, 1, 1, canvas, true);
    EXPECT_EQ(end, 0x112233u);
    EXPECT_EQ(start, graphics.getSysColor(5));
}

TEST_F(PrimitivesTest, TheSurfaceOnlyGrowsAndARemakeTakesBothNewSizes) {
    const int made = graphics.bitmapsMade;
    bar->EnsureSurface(200, 17);
    EXPECT_EQ(graphics.bitmapsMade, made) << "a smaller size keeps the surface";
    EXPECT_EQ(bar->surfaceWidth(), 281);
    EXPECT_NE(bar->EnsureSurface(300, 10), nullptr);
    EXPECT_EQ(graphics.bitmapsMade, made + 1);
    EXPECT_EQ(bar->surfaceHeight(), 10) << "the remake takes the smaller height too";

    // Through the site: a smaller control keeps the surface, a taller one remakes it.
    site.resize(100, 10);
    EXPECT_EQ(bar->surfaceWidth(), 300);
    site.resize(100, 40);
    EXPECT_EQ(bar->surfaceWidth(), 100);
    EXPECT_EQ(bar->surfaceHeight(), 40);
    EXPECT_EQ(&bar->hdc(), bar->EnsureSurface(1, 1));

    site.unhost(*bar);
    EXPECT_EQ(bar->surfaceWidth(), 0) << "Terminate frees the surface";
    EXPECT_EQ(&bar->hdc(), &site.hDC());
}

TEST_F(PrimitivesTest, PDrawCopiesABlockWithOffsets) {
    bar->setValue(50);
    sim::SimDeviceContext part(10, 10, graphics.sysColors);
    bar->pDraw(part, 279, 15, 2, 2, 1, 1);
    EXPECT_EQ(part.raster().pixel(1, 1), at(279, 15));
    EXPECT_EQ(part.raster().pixel(2, 2), at(280, 16));
    EXPECT_EQ(part.raster().pixel(3, 3), 0xFFFFFFu);
}

TEST_F(PrimitivesTest, WithoutASurfaceTheBarDrawsStraightOntoItsSite) {
    using Failure = bool sim::SimGraphics::*;
    for (const Failure failure :
         {&sim::SimGraphics::failBitmap, &sim::SimGraphics::failDisplayContext,
          &sim::SimGraphics::failMemoryContext}) {
        SCOPED_TRACE(failure == &sim::SimGraphics::failBitmap           ? "no bitmap"
                     : failure == &sim::SimGraphics::failDisplayContext ? "no display context"
                                                                        : "no memory context");
        graphics.*failure = true;
        host();
        graphics.*failure = false;
        EXPECT_FALSE(bar->bSurface());
        EXPECT_EQ(&bar->hdc(), &site.hDC());
        const int copies = site.copiesShown();
        bar->setScrolling(scrolling::Continuous);
        bar->setValue(50);
        EXPECT_EQ(site.copiesShown(), copies) << "nothing to copy";
        EXPECT_TRUE(PixelIs(144, 7, bar->Color()));
        EXPECT_TRUE(PixelIs(145, 7, 0xFFFFFF));
        sim::SimDeviceContext target(10, 10, graphics.sysColors);
        bar->pDraw(target);
        EXPECT_EQ(target.copiesReceived(), 0);
    }

    // A surface lost on a resize keeps the flag and draws on the site.
    host();
    graphics.failBitmap = true;
    site.resize(300, 17);
    EXPECT_TRUE(bar->bSurface());
    EXPECT_EQ(&bar->hdc(), &site.hDC());
    site.paint();
    EXPECT_TRUE(PixelIs(0, 5, 0x686868));
}

} // namespace
} // namespace vp::test
