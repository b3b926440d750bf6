// What screen readers are told of the window's controls, and the pace of the announcements.
#include "platform/Accessibility.h"
#include "app/Layout.h"
#include "platform/ChangeThrottle.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace vp::test {
namespace {

std::string NameOf(std::string_view control) {
    for (const ControlLayout& layout : ControlsLayout()) {
        if (layout.desc.name == control) {
            return AccessibleNameOf(layout.desc, layout.desc.caption);
        }
    }
    return "(no such control)";
}

TEST(AccessibilityTest, EveryControlHasARoleAndANameAndNoTwoButtonsShareOne) {
    std::set<std::string> buttons;
    for (const ControlLayout& layout : ControlsLayout()) {
        const ControlSpec& desc = layout.desc;
        if (desc.name == "Label10") {
            continue; // its name is the user's, given at load
        }
        // The selector's caption is the choice; its name is its own.
        const std::string name = AccessibleNameOf(
            desc, desc.kind == ControlKind::DropDownList ? "Windows" : desc.caption);
        EXPECT_FALSE(name.empty()) << desc.name;
        EXPECT_NE(AccessibleRoleOf(desc.kind), AccessibleRole::Client) << desc.name;
        if (AccessibleRoleOf(desc.kind) == AccessibleRole::PushButton) {
            EXPECT_TRUE(buttons.insert(name).second) << desc.name << " shares the name " << name;
        }
    }
    EXPECT_EQ(NameOf("cboCategory"), "Catégorie");
}

TEST(AccessibilityTest, ButtonsAreNamedByTheirTooltipTheAboutButtonByWhatItDoes) {
    EXPECT_EQ(NameOf("TopButtons_XP1"), "Quitter");
    EXPECT_EQ(NameOf("ButtonPlus1"), "Réduire");
    EXPECT_EQ(NameOf("ButtonPlus5"), "À propos") << "its tooltip is the minimise button's";
    EXPECT_EQ(NameOf("ButtonPlus8"), "Centre de téléchargement");
    EXPECT_EQ(NameOf("ButtonPlus3"), "Fichier") << "the panel it shows";
    EXPECT_EQ(NameOf("Command1"), "Nettoyer");
    EXPECT_EQ(NameOf("ProgressBar1"), "Progression");
}

TEST(AccessibilityTest, AFrameIsNamedByItsCaptionWithoutTheColon) {
    ControlSpec frame;
    frame.kind = ControlKind::Frame;
    EXPECT_EQ(AccessibleNameOf(frame, "Nettoyage : "), "Nettoyage");
    EXPECT_EQ(AccessibleNameOf(frame, "Fichier :"), "Fichier");
    EXPECT_EQ(AccessibleNameOf(frame, " : "), "");
    EXPECT_EQ(AccessibleRoleOf(ControlKind::Frame), AccessibleRole::Grouping);
    EXPECT_EQ(static_cast<int>(AccessibleRoleOf(ControlKind::ProgressBar)), 0x30);
    EXPECT_EQ(static_cast<int>(AccessibleRoleOf(ControlKind::PictureButton)), 0x2B);
}

// Tab goes through the title buttons as they are read, left to right, and through the
// configuration panel's boxes column by column.
TEST(AccessibilityTest, TheFocusOrderFollowsTheReadingOrder) {
    std::map<std::string, int> tab;
    for (const ControlLayout& layout : ControlsLayout()) {
        tab[layout.desc.name] = layout.desc.tabIndex;
    }
    EXPECT_LT(tab["cboCategory"], tab["ButtonPlus5"]);
    EXPECT_LT(tab["ButtonPlus5"], tab["ButtonPlus1"]);
    EXPECT_LT(tab["ButtonPlus1"], tab["TopButtons_XP1"]);
    EXPECT_LT(tab["TopButtons_XP1"], tab["ButtonPlus6"]);
    const char* column[] = {"ch1", "ch3", "ch4",  "ch5",  "ch6",
                            "ch2", "ch7", "ch10", "ch19", "ch20"};
    for (std::size_t i = 1; i < std::size(column); ++i) {
        EXPECT_LT(tab[column[i - 1]], tab[column[i]]) << column[i - 1] << " before " << column[i];
    }
}

TEST(ChangeThrottleTest, AnnouncesAtMostOncePerIntervalAndNeverLosesTheLastChange) {
    ChangeThrottle throttle(250);
    EXPECT_TRUE(throttle.changed(1000)) << "the first change at once";
    EXPECT_FALSE(throttle.changed(1100));
    EXPECT_FALSE(throttle.changed(1200));
    EXPECT_TRUE(throttle.pending());
    EXPECT_EQ(throttle.wait(1200), 50U);
    EXPECT_FALSE(throttle.due(1249));
    EXPECT_TRUE(throttle.due(1250)) << "the waiting change once the interval is over";
    EXPECT_FALSE(throttle.pending());
    EXPECT_FALSE(throttle.due(2000)) << "nothing waits";
    EXPECT_TRUE(throttle.changed(2000));
    EXPECT_EQ(throttle.wait(2000), 250U);
    EXPECT_TRUE(throttle.changed(2250)) << "a change after the interval goes at once";
}

TEST(ChangeThrottleTest, AStreamOfChangesIsAnnouncedFourTimesASecond) {
    ChangeThrottle throttle(250);
    int announced = 0;
    for (std::uint64_t now = 0; now < 10000; now += 7) {
        announced += throttle.changed(now) ? 1 : 0;
    }
    EXPECT_GE(announced, 39);
    EXPECT_LE(announced, 41);
}

} // namespace
} // namespace vp::test
