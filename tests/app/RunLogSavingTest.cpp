#include "support/FormFixture.h"

#include <algorithm>

namespace vp::test {
namespace {

using Kind = sim::WindowEvent::Kind;
namespace Attr = FileAttribute;

constexpr const char* LogPath = R"(C:\Logs\run.txt)";
constexpr const char* Filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";

class RunLogSavingTest : public FormFixture {
protected:
    void SetUp() override {
        sim.files.folder(R"(C:\Logs)");
        startProgram();
        window().clearJournal();
    }
    void saveTo(std::optional<std::string> answer) {
        window().queueSaveDialogAnswer(std::move(answer));
        window().click("Command5");
    }
};

TEST_F(RunLogSavingTest, BeforeAnyRunTheFileHoldsTheHeaderAndAnEmptyLine) {
    saveTo(LogPath);
    EXPECT_EQ(sim.files.contents(LogPath), "Brumwick - Version 1.1\r\n\r\n");
    EXPECT_EQ(window().journal(), (std::vector<sim::WindowEvent>{
                                      {Kind::SaveDialog, Filter, LogPath, 0},
                                      {Kind::MessageBox, " ENREGISTRE ! ", "Vexoma Dustrel", 64}}));
}

TEST_F(RunLogSavingTest, EveryLineIsWrittenAsShownInTheCodePageWithCrLf) {
    checkOnly({2, 20}); // the cookies' catalogue line is one blank
    window().click("Command1");
    form->List1->addItem("Été 2€ ☃"); // the snowman has no Windows-1252 byte
    saveTo(LogPath);

    const std::string bytes = sim.files.contents(LogPath);
    ASSERT_EQ(bytes.substr(0, 27), "Brumwick - Version 1.1\r\n\r\n ");
    EXPECT_NE(bytes.find("\r\n\r\nWinZip  : Nettoyage ...\r\n"), std::string::npos) << bytes;
    EXPECT_TRUE(bytes.ends_with("\r\n\r\n\xC9t\xE9 2\x80 ?\r\n")) << bytes;
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), form->List1->listCount() + 2);
}

TEST_F(RunLogSavingTest, ACancelledDialogWritesAndShowsNothing) {
    saveTo(std::nullopt);
    EXPECT_FALSE(sim.files.exists(LogPath));
    ASSERT_EQ(window().journal().size(), 1U);
    EXPECT_EQ(window().journal()[0].kind, Kind::SaveDialog);
}

TEST_F(RunLogSavingTest, SavingAgainReplacesTheWholeFile) {
    form->List1->addItem("a long first line that the second save must not leave behind");
    saveTo(LogPath);
    form->List1->clear();
    saveTo(LogPath);
    EXPECT_EQ(sim.files.contents(LogPath), "Brumwick - Version 1.1\r\n\r\n");
}

TEST_F(RunLogSavingTest, AFailedWriteKeepsTheEarlierFileAndShowsNothing) {
    form->List1->addItem("kept");
    saveTo(LogPath);
    window().clearJournal();

    form->List1->clear();
    sim.files.refuseWrites(true);
    saveTo(LogPath);
    saveTo(R"(C:\NoSuchFolder\run.txt)");
    EXPECT_EQ(sim.files.contents(LogPath), "Brumwick - Version 1.1\r\n\r\nkept\r\n");
    for (const auto& event : window().journal()) {
        EXPECT_NE(event.kind, Kind::MessageBox) << event.text;
    }
}

TEST_F(RunLogSavingTest, WhereNoNewFileCanBeMadeTheOldLogStaysWhole) {
    form->List1->addItem("the old run");
    saveTo(LogPath);
    const std::string old = sim.files.contents(LogPath);
    window().clearJournal();
    sim.files.folder(R"(C:\Logs)", {.noNewFiles = true}); // a full disk, or no rights there
    form->List1->clear();
    form->List1->addItem("a new run, longer than the old one, that does not fit");
    saveTo(LogPath);
    EXPECT_EQ(sim.files.contents(LogPath), old);
    ASSERT_EQ(window().journal().size(), 1U);
    EXPECT_EQ(window().journal()[0].kind, Kind::SaveDialog);
}

TEST_F(RunLogSavingTest, ALinkToAFileSavesIntoItsFileALinkToAFolderOrNowhereWritesNothing) {
    sim.files.file(R"(C:\Docs\journal.txt)", {.contents = "old"})
        .fileLink(R"(C:\Logs\to-file.txt)", R"(C:\Docs\journal.txt)")
        .fileLink(R"(C:\Logs\to-nowhere.txt)", R"(C:\Docs\missing.txt)")
        .folderLink(R"(C:\Logs\to-folder.txt)", R"(C:\Docs)");
    saveTo(R"(C:\Logs\to-file.txt)");
    EXPECT_EQ(sim.files.contents(R"(C:\Docs\journal.txt)"), "Brumwick - Version 1.1\r\n\r\n");
    EXPECT_EQ(sim.files.attributesOf(R"(C:\Logs\to-file.txt)") & Attr::ReparsePoint,
              Attr::ReparsePoint)
        << "the link stays a link";
    EXPECT_EQ(window().journal().back().kind, Kind::MessageBox);

    window().clearJournal();
    const std::string before = sim.files.snapshot("C:\\");
    saveTo(R"(C:\Logs\to-folder.txt)");
    saveTo(R"(C:\Logs\to-nowhere.txt)");
    EXPECT_EQ(sim.files.snapshot("C:\\"), before);
    for (const auto& event : window().journal()) {
        EXPECT_NE(event.kind, Kind::MessageBox) << event.text;
    }
}

} // namespace
} // namespace vp::test
