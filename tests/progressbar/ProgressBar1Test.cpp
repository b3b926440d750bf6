// The main window's ProgressBar1: made with its stored properties, moved by the cleaning run.
#include "support/FormFixture.h"

namespace vp::test {
namespace {

class ProgressBar1Test : public FormFixture {
protected:
    sim::SimControlSite& site() const {
        return dynamic_cast<sim::SimControlSite&>(*window().find("ProgressBar1"));
    }
    // The fill's last column on row 7 (where the lower gradient starts in the colour).
    int fillEnd() const {
        int last = -1;
        for (int x = 3; x < 279; ++x) {
            last = site().screen().pixel(x, 7) == 0xC56A31 ? x : last;
        }
        return last;
    }
    int textWidth() const {
        return form->ProgressBar1->rcText().right - form->ProgressBar1->rcText().left;
    }
};

TEST_F(ProgressBar1Test, StartsWithItsStoredLookAndMovesWithTheRun) {
    startProgram();
    EXPECT_EQ(site().screen().width(), 281);
    EXPECT_EQ(site().screen().height(), 17);
    EXPECT_EQ(fillEnd(), 11) << "the continuous stub of 0 %";
    EXPECT_EQ(textWidth(), 18) << "\"0 %\" is drawn";
    // Saved again, it keeps exactly what it was stored with (the font aside, always saved).
    site().saveProperties();
    std::vector<std::string> names;
    for (const auto& entry : site().properties().entries()) {
        names.push_back(entry.first);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Font", "BrushStyle", "Color", "Scrolling", "ShowText"}));
    EXPECT_EQ(site().properties().ReadProperty("BrushStyle", 4), PropertyValue(0));

    checkOnly({1, 2, 20});
    std::vector<int> ends;
    window().onRecord = [&](const sim::WindowEvent& event) {
        if (event.kind == sim::WindowEvent::Kind::Caption) {
            ends.push_back(fillEnd()); // the value was set just before the caption
        }
    };
    const int copies = site().copiesShown();
    window().click("Command1");
    window().onRecord = nullptr;
    // 5 %: round(278 * 5 / 98 + 3) = 17, fill to 16; 11 %: 34 snaps to 33, fill to 32;
    // 100 %: to the frame.
    EXPECT_EQ(ends, (std::vector<int>{16, 32, 278}));
    EXPECT_EQ(site().copiesShown(), copies + 4) << "one block copy per Value set, the last 100";
    EXPECT_EQ(textWidth(), 30) << "\"100 %\"";
}

} // namespace
} // namespace vp::test
