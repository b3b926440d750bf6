#include "support/FormFixture.h"

#include "app/Catalogue.h"

namespace vp::test {
namespace {

using Kind = sim::WindowEvent::Kind;

// The status caption as the user reads it: 75 blanks, then the words and the percentage.
std::string caption(int percent) {
    const std::string number =
        percent < 10 ? "0" + std::to_string(percent) : std::to_string(percent);
    return std::string(75, ' ') + "Nettoyage en cours -" + (percent == 100 ? "" : " ") + number +
           "%";
}

class CleaningRunTest : public FormFixture {
protected:
    // What the window saw during the run, with the bar's value at each caption change (the
    // contract sets the value just before the caption).
    struct Observed {
        std::vector<sim::WindowEvent> events;
        std::vector<int> progressAtCaption;
    };

    Observed run() {
        Observed seen;
        window().clearJournal();
        window().onRecord = [&](const sim::WindowEvent& event) {
            if (event.kind == Kind::Caption) {
                seen.progressAtCaption.push_back(form->ProgressBar1->Value());
            }
        };
        window().click("Command1");
        window().onRecord = nullptr;
        seen.events = window().journal();
        return seen;
    }
};

TEST_F(CleaningRunTest, WholeRunOnASimulatedProfileInOrder) {
    sim.environment.setTempPath(R"(C:\Temp\)");
    sim.files.file(R"(C:\Temp\a.tmp)").file(R"(C:\Temp\Sub\b.tmp)");
    startProgram();
    checkOnly({2, 3, 6, 13, 20});

    const Observed seen = run();

    EXPECT_EQ(runLog(), (std::vector<std::string>{
                            " ", "", "Fichiers Internet temporaire  : Nettoyage ...", "",
                            "Fichiers temporaire  : Nettoyage ...", R"(C:\Temp\a.tmp)",
                            R"(C:\Temp\Sub\b.tmp)", "", "eMule  : Nettoyage ...", "",
                            "WinZip  : Nettoyage ...", ""}));
    EXPECT_EQ(seen.progressAtCaption, (std::vector<int>{11, 7, 30, 63, 100}));
    EXPECT_EQ(seen.events, (std::vector<sim::WindowEvent>{
                               {Kind::MousePointer, {}, {}, 11},
                               {Kind::DoEvents, {}, {}, 0},
                               {Kind::Caption, caption(10), {}, 0},
                               {Kind::Caption, caption(15), {}, 0},
                               {Kind::Caption, caption(30), {}, 0},
                               {Kind::Caption, caption(65), {}, 0},
                               {Kind::Caption, caption(100), {}, 0},
                               {Kind::MousePointer, {}, {}, 0},
                           }));
    EXPECT_EQ(form->ProgressBar1->Value(), 100);
    EXPECT_FALSE(form->List1->visible());
    EXPECT_FALSE(form->ProgressBar1->visible());
    EXPECT_EQ(sim.files.tree(R"(C:\Temp)"), std::vector<std::string>{});
}

TEST_F(CleaningRunTest, NoBoxCheckedClearsTheLogAndKeepsTheCaption) {
    startProgram();
    form->List1->addItem("from an earlier run");
    checkOnly({});
    const Observed seen = run();
    EXPECT_TRUE(runLog().empty());
    EXPECT_EQ(window().caption(), "Vexoma Pellora 1.0");
    EXPECT_EQ(seen.events.size(), 3u); // wait pointer, events once, default pointer
    EXPECT_EQ(form->ProgressBar1->Value(), 100);
    EXPECT_EQ(window().mousePointer(), 0);
}

TEST_F(CleaningRunTest, OnlyTheValueOneCountsAsChecked) {
    startProgram();
    checkOnly({5});
    form->ch(4).setValue(2); // grayed
    run();
    EXPECT_EQ(runLog(),
              (std::vector<std::string>{"Documents ouverts récemment  : Nettoyage ...", ""}));
}

TEST_F(CleaningRunTest, EachRunStartsFromAnEmptyLogAndTheBarKeepsItsLastValue) {
    startProgram();
    checkOnly({1, 10});
    run();
    ASSERT_EQ(runLog().size(), 4u);
    checkOnly({10});
    // Before the first routine sets its own value, the bar still shows the earlier run's 100.
    std::vector<int> valuesBeforeLog;
    window().postEvent([&] { valuesBeforeLog.push_back(form->ProgressBar1->Value()); });
    const Observed seen = run();
    EXPECT_EQ(valuesBeforeLog, std::vector<int>{100});
    EXPECT_EQ(runLog(), (std::vector<std::string>{"Corbeille  : Nettoyage ...", ""}));
    EXPECT_EQ(seen.progressAtCaption, std::vector<int>{54});
    EXPECT_EQ(window().caption(), caption(50)); // not restored at the end
}

TEST_F(CleaningRunTest, AClickWaitingBeforeTheRunIsHandledBeforeTheLogIsCleared) {
    startProgram();
    checkOnly({});
    form->List1->addItem("old");
    int linesSeen = -1;
    window().postEvent([&] { linesSeen = form->List1->listCount(); });
    run();
    EXPECT_EQ(linesSeen, 1);
    EXPECT_TRUE(form->List1->visible() == false);
}

TEST(Catalogue, EveryStatusCaptionIsNinetyNineCharacters) {
    for (const auto& entry : Catalogue()) {
        const std::string text = StatusCaption(entry.captionPercent);
        EXPECT_EQ(text.size(), 99u) << text;
        EXPECT_EQ(text, caption(entry.captionPercent));
    }
    EXPECT_EQ(StatusCaption(5).substr(75), "Nettoyage en cours - 05%");
    EXPECT_EQ(StatusCaption(100).substr(75), "Nettoyage en cours -100%");
}

} // namespace
} // namespace vp::test
