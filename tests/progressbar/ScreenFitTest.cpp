// The bar on screens that are not the design's: its geometry at other resolutions, its look in
// a high-contrast theme, and the value it tells its readers.
#include "raster-png/BarRendering.h"
#include "support/BarFixture.h"

#include <gtest/gtest.h>

#include <set>

namespace vp::test {
namespace {

using tools::BarLook;
using tools::RenderBar;

TEST(ScreenFitTest, TheSiteTakesItsSizeInTwipsAtItsResolution) {
    for (const auto& [dpi, width, height] : {std::tuple{96, 281, 17}, std::tuple{120, 351, 21},
                                             std::tuple{144, 422, 26}, std::tuple{192, 562, 34}}) {
        const sim::SimRaster bar = RenderBar({.percent = 50, .dpi = dpi});
        EXPECT_EQ(bar.width(), width) << dpi << " dpi";
        EXPECT_EQ(bar.height(), height) << dpi << " dpi";
    }
}

// The frame of the default styles is one design pixel wide: two pixels at 144 and 192 dpi, one
// at 96 and 120; the grey lines inside it follow at the same scale.
TEST(ScreenFitTest, TheFrameAndItsInnerLinesScaleWithTheResolution) {
    for (const auto& [dpi, frame] :
         {std::pair{96, 1}, std::pair{120, 1}, std::pair{144, 2}, std::pair{192, 2}}) {
        const sim::SimRaster bar = RenderBar({.percent = 0, .showText = false, .dpi = dpi});
        const int y = bar.height() / 2;
        for (int x = 0; x < frame; ++x) {
            EXPECT_EQ(bar.pixel(x, y), 0x686868U) << dpi << " dpi, x " << x;
            EXPECT_EQ(bar.pixel(bar.width() - 1 - x, y), 0x686868U) << dpi << " dpi, x " << x;
        }
        EXPECT_EQ(bar.pixel(frame, y), 0xBEBEBEU) << dpi << " dpi: the light line inside";
    }
}

// The fill reaches as far, in proportion, at every resolution: the chunk grid scales with it.
TEST(ScreenFitTest, TheFillCoversTheSameShareOfTheBarAtEveryResolution) {
    for (const int percent : {25, 50, 75}) {
        double share96 = 0;
        for (const int dpi : {96, 144, 192}) {
            const sim::SimRaster bar =
                RenderBar({.percent = percent, .showText = false, .dpi = dpi});
            int last = 0;
            for (int x = 0; x < bar.width(); ++x) {
                if (bar.pixel(x, bar.height() / 2) == 0xC56A31U) {
                    last = x;
                }
            }
            const double share = static_cast<double>(last) / bar.width();
            if (dpi == 96) {
                share96 = share;
            }
            EXPECT_NEAR(share, share96, 0.02) << percent << " % at " << dpi << " dpi";
        }
    }
}

class HighContrastTest : public BarFixture {
protected:
    static constexpr Color Window = 0x000000;
    static constexpr Color WindowText = 0xFFFFFF;
    static constexpr Color Highlight = 0x00FFFF; // yellow
    static constexpr Color HighlightText = 0x000000;

    void SetUp() override {
        graphics.highContrastOn = true;
        graphics.sysColors.colors[gdi::ColorWindow] = Window;
        graphics.sysColors.colors[gdi::ColorWindowText] = WindowText;
        graphics.sysColors.colors[gdi::ColorHighlight] = Highlight;
        graphics.sysColors.colors[gdi::ColorHighlightText] = HighlightText;
    }
};

TEST_F(HighContrastTest, EveryStyleDrawsOnlyInTheSystemColours) {
    for (int style = 0; style < scrolling::Count; ++style) {
        PropertyBag saved;
        saved.WriteProperty("Color", static_cast<std::int32_t>(BC), 0);
        saved.WriteProperty("Scrolling", style, 0x7FFFFFFF);
        saved.WriteProperty("ShowText", true, false);
        host(std::move(saved));
        bar->setValue(50);
        std::set<Color> seen;
        for (int y = 0; y < site.screen().height(); ++y) {
            for (int x = 0; x < site.screen().width(); ++x) {
                seen.insert(at(x, y));
            }
        }
        for (const Color colour : seen) {
            EXPECT_TRUE(colour == Window || colour == WindowText || colour == Highlight ||
                        colour == HighlightText)
                << "style " << style << " draws " << Hex(colour);
        }
        // The frame in the text colour, the fill in the highlight, the rest the window's.
        EXPECT_TRUE(PixelIs(0, 8, WindowText)) << "style " << style;
        EXPECT_TRUE(PixelIs(10, 3, Highlight)) << "style " << style;
        EXPECT_TRUE(PixelIs(270, 3, Window)) << "style " << style;
    }
}

TEST_F(HighContrastTest, TheTextTakesTheHighlightTextColourOverTheFillOnly) {
    show(scrolling::Continuous, 100);
    bar->setShowText(true);
    // At 100 % the whole text lies on the fill: no pixel of the window's text colour inside.
    bool anyText = false;
    for (int y = bar->rcText().top; y < bar->rcText().bottom; ++y) {
        for (int x = bar->rcText().left; x < bar->rcText().right; ++x) {
            EXPECT_NE(at(x, y), WindowText) << x << ", " << y;
            anyText = anyText || at(x, y) == HighlightText;
        }
    }
    EXPECT_TRUE(anyText);
    bar->setValue(0);
    anyText = false;
    for (int y = bar->rcText().top; y < bar->rcText().bottom; ++y) {
        for (int x = bar->rcText().left; x < bar->rcText().right; ++x) {
            anyText = anyText || at(x, y) == WindowText;
        }
    }
    EXPECT_TRUE(anyText) << "at 0 % the text is drawn in the window's text colour";
}

TEST_F(HighContrastTest, TheChunkedStyleKeepsItsGapsInTheWindowColour) {
    show(scrolling::Chunked, 100);
    int gaps = 0;
    for (int x = 3; x < 270; ++x) {
        gaps += at(x, 8) == Window && at(x - 1, 8) == Highlight ? 1 : 0;
    }
    EXPECT_GE(gaps, 30);
}

TEST_F(BarFixture, TheSiteIsToldTheValueShownAtEveryRepaint) {
    show(scrolling::Continuous, 45);
    ASSERT_FALSE(site.valuesShown.empty());
    EXPECT_EQ(site.valuesShown.back(), "45 %");
    EXPECT_EQ(bar->ValueText(), "45 %");
    bar->setMax(200);
    bar->setValue(50);
    EXPECT_EQ(site.valuesShown.back(), "25 %") << "the percentage, not the value";
}

} // namespace
} // namespace vp::test
