#include "support/FormFixture.h"

#include "app/Layout.h"

#include <set>

namespace vp::test {
namespace {

using Kind = sim::WindowEvent::Kind;

class Form1Test : public FormFixture {};

TEST_F(Form1Test, LoadRoundsTheWindowAndTakesTheUserName) {
    sim.environment.set("USERNAME", "Zoé");
    startProgram();
    EXPECT_EQ(window().journal(),
              (std::vector<sim::WindowEvent>{{Kind::Region, "0,0,382,248,20,20", {}, 20}}));
    EXPECT_EQ(form->Label10->caption(), "Zoé");
    EXPECT_EQ(window().caption(), "Vexoma Pellora 1.0");
}

TEST_F(Form1Test, AMissingUserNameLeavesTheLabelEmpty) {
    startProgram();
    EXPECT_EQ(form->Label10->caption(), "");
}

TEST_F(Form1Test, AnyMouseButtonOnTheBackgroundDragsTheWindow) {
    startProgram();
    window().clearJournal();
    window().mouseDown(1, 0, 10, 10);
    window().mouseDown(2, 1, 300, 200);
    EXPECT_EQ(window().journal(),
              (std::vector<sim::WindowEvent>{{Kind::Drag, {}, {}, 0}, {Kind::Drag, {}, {}, 0}}));
}

TEST_F(Form1Test, ControlsStartAsTheLayoutSays) {
    startProgram();
    std::set<std::string> checked;
    for (int n = 1; n <= TargetCount(); ++n) {
        if (form->ch(n).value() == 1) {
            checked.insert(form->ch(n).name());
        }
    }
    EXPECT_EQ(checked, (std::set<std::string>{"ch1", "ch2", "ch3", "ch4", "ch5", "ch6", "ch7",
                                              "ch10", "ch19", "ch20"}));
    EXPECT_FALSE(form->List1->visible());
    EXPECT_FALSE(form->ProgressBar1->visible());
    EXPECT_FALSE(form->control("ButtonPlus9").visible());
    EXPECT_TRUE(form->control("FramePlus1").visible() && form->control("FramePlus2").visible() &&
                form->control("FramePlus3").visible());
    EXPECT_EQ(form->ch(8).caption(), "Historique de \"Exécuter...\"");
    EXPECT_EQ(form->ch(9).caption(), "Historique de \"Rechercher\"");
    EXPECT_EQ(form->control("Label1").caption(),
              "Vexoma Dustrel supprime les données inutiles présentes sur votre disque dur et "
              "libère de l'espace. ");
}

TEST_F(Form1Test, EveryControlHasAParentMadeBeforeItAndCommand4LeadsTheFocusOrder) {
    std::set<std::string_view> made;
    std::string_view first;
    int lowest = 1 << 30;
    std::set<int> tabs;
    for (const auto& layout : ControlsLayout()) {
        EXPECT_TRUE(layout.parentName.empty() || made.count(layout.parentName) == 1)
            << layout.desc.name;
        made.insert(layout.desc.name);
        EXPECT_TRUE(tabs.insert(layout.desc.tabIndex).second) << layout.desc.name;
        if (layout.desc.tabIndex < lowest) {
            lowest = layout.desc.tabIndex;
            first = layout.desc.name;
        }
    }
    EXPECT_EQ(first, "Command4");
    EXPECT_EQ(made.size(), ControlsLayout().size()) << "names are unique";
}

TEST_F(Form1Test, TheDirectoryListFollowsIntoTheFileList) {
    sim.files.file(R"(C:\A\x.txt)").file(R"(C:\B\y.txt)").file(R"(C:\B\Z.txt)");
    startProgram();
    ASSERT_TRUE(form->Dir1.setPath(R"(C:\B\)"));
    EXPECT_EQ(form->File1.path(), R"(C:\B)");
    ASSERT_EQ(form->File1.listCount(), 2);
    EXPECT_EQ(form->File1.list(1), R"(C:\B\Z.txt)");
}

} // namespace
} // namespace vp::test
