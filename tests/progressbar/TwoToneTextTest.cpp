// The two-tone text of the Dark and Glossy styles where the fill's end crosses a glyph: left of
// the fill's end (rounded half to even) the glyph is in the light colour, from it on in the
// dark one, and both halves are there.
#include "support/BarFixture.h"

#include <sstream>

namespace vp::test {
namespace {

class TwoToneTextTest : public BarFixture {
protected:
    // The text's pixels: those that differ from the same bar drawn without its text.
    struct Ink {
        sim::SimRaster withText;
        sim::SimRaster without;
        bool at(int x, int y) const { return withText.pixel(x, y) != without.pixel(x, y); }
    };

    Ink draw(std::int32_t style, std::int32_t percent) {
        show(style, percent);
        sim::SimRaster without = site.screen();
        bar->setShowText(true);
        return {site.screen(), std::move(without)};
    }
};

struct Split {
    std::int32_t style;
    std::int32_t percent;
    int column; // the first column in the dark colour: the fill's end, 281 * percent / 100
    Color light;
    Color dark;
};

TEST_F(TwoToneTextTest, TheColoursSplitAtTheFillsEndInsideAGlyph) {
    const Color darkLight = LightenColor(BC, 80);
    // The fill ends at 132.07, 137.69 and 148.93 pixels: a column where a glyph has ink on
    // both sides, one rounded down and two rounded up (truncating would move those by one).
    const Split cases[] = {
        {scrolling::Dark, 47, 132, darkLight, 0xC0C0C0},
        {scrolling::Dark, 49, 138, darkLight, 0xC0C0C0},
        {scrolling::Dark, 53, 149, darkLight, 0xC0C0C0},
        {scrolling::Glossy, 47, 132, 0xFFFFFF, 0x000000},
        {scrolling::Glossy, 49, 138, 0xFFFFFF, 0x000000},
        {scrolling::Glossy, 53, 149, 0xFFFFFF, 0x000000},
    };
    for (const Split& c : cases) {
        SCOPED_TRACE("style " + std::to_string(c.style) + " at " + std::to_string(c.percent) +
                     " %");
        const Ink ink = draw(c.style, c.percent);
        std::ostringstream wrong;
        bool lightBeside = false;
        bool darkBeside = false;
        for (int y = 0; y < 17; ++y) {
            for (int x = 0; x < 281; ++x) {
                if (!ink.at(x, y)) {
                    continue;
                }
                const Color want = x < c.column ? c.light : c.dark;
                if (ink.withText.pixel(x, y) != want) {
                    wrong << " (" << x << "," << y << ")=" << Hex(ink.withText.pixel(x, y))
                          << " not " << Hex(want);
                }
                lightBeside = lightBeside || x == c.column - 1;
                darkBeside = darkBeside || x == c.column;
            }
        }
        EXPECT_EQ(wrong.str(), "") << "text pixels on the wrong side of column " << c.column;
        EXPECT_TRUE(lightBeside && darkBeside)
            << "the glyph must have ink on both sides of the split: light at " << c.column - 1
            << (lightBeside ? " yes" : " no") << ", dark at " << c.column
            << (darkBeside ? " yes" : " no");
    }
}

TEST_F(TwoToneTextTest, BeforeTheTextOnlyTheDarkCopyAfterItOnlyTheLight) {
    for (const std::int32_t style : {scrolling::Dark, scrolling::Glossy}) {
        const Color light = style == scrolling::Dark ? LightenColor(BC, 80) : 0xFFFFFF;
        const Color dark = style == scrolling::Dark ? 0xC0C0C0 : 0x000000;
        for (const std::int32_t percent : {40, 60}) { // the fill ends left, then right, of it
            SCOPED_TRACE("style " + std::to_string(style) + " at " + std::to_string(percent) +
                         " %");
            const Ink ink = draw(style, percent);
            int shown = 0;
            for (int y = 0; y < 17; ++y) {
                for (int x = 0; x < 281; ++x) {
                    if (ink.at(x, y)) {
                        ++shown;
                        ASSERT_EQ(ink.withText.pixel(x, y), percent < 50 ? dark : light)
                            << "at (" << x << "," << y << ")";
                    }
                }
            }
            EXPECT_GT(shown, 20) << "the text is drawn";
        }
    }
}

} // namespace
} // namespace vp::test
