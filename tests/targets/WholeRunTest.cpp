// Every box checked on a simulated profile that gives each target something to clean: the run
// log is compared whole, line by line, and the bar's value is watched at each status caption.
#include "support/FormFixture.h"

#include "targets/ShellFolders.h"

#include <utility>

namespace vp::test {
namespace {

namespace Attr = FileAttribute;

const std::string Profile = R"(C:\Documents and Settings\anne)";
const std::string Cookies = Profile + R"(\Cookies\)";
const std::string Cache = Profile + R"(\Local Settings\Temporary Internet Files\)";
const std::string History = Profile + R"(\Local Settings\History\)";
const std::string Temp = Profile + R"(\Local Settings\Temp\)";
const std::string Recent = Profile + R"(\Recent\)";
const std::string Explorer = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\)";

class WholeRunTest : public FormFixture {
protected:
    void SetUp() override {
        sim.environment.set("USERNAME", "anne").set("SystemRoot", R"(C:\WINDOWS)");
        sim.environment.setTempPath(Temp);
        sim.registry.setString(ShellFoldersKey, "Cookies", Cookies)
            .setString(ShellFoldersKey, "Cache", Cache)
            .setString(ShellFoldersKey, "History", History)
            .setString(ShellFoldersKey, "Recent", Recent)
            .setString(R"(Software\Microsoft\Internet Explorer\TypedURLs)", "url1", "http://t/")
            .setString(Explorer + "RecentDocs", "a", "secret.doc")
            .setString(Explorer + "RunMRU", "a", R"(notepad\1)")
            .setString(Explorer + "Doc Find Spec MRU", "b", "*.doc")
            .setString(R"(Software\Ahead\Nero - Burning Rom\Recent File List)", "file1", "a.nri")
            .setString(R"(Software\Ahead\Cover Designer\Recent File List)", "file2", "b.ncd")
            .setString(R"(Software\Microsoft\Visual Basic\5.0\RecentFiles)", "3", "c.vbp")
            .setString(R"(Software\Microsoft\MediaPlayer\Player\RecentURLList)", "URL0",
                       "http://r/")
            .setString(R"(Software\WinRAR\DialogEditHistory\ArcName)", "0", "d.rar")
            .setString(R"(Software\Nico Mak Computing\WinZip\filemenu)", "filemenu1", "e.zip");

        sim.files.file(Cookies + "anne@example[1].txt")
            .file(Cookies + "anne@old[1].txt")
            .file(Cookies + "index.dat", {.inUse = true})
            .file(Cache + R"(Content.IE5\K3J\logo[1].gif)")
            .file(Cache + R"(Content.IE5\K3J\page[1].htm)")
            .file(Cache + R"(Content.IE5\index.dat)", {.inUse = true})
            .file(History + R"(History.IE5\MSHist012006\index.dat)")
            .file(Recent + R"(Old\secret.doc.lnk)")
            .file(Profile + R"(\Mes documents\secret.doc)")
            .file(Temp + "~DF1234.tmp", {.attributes = Attr::ReadOnly})
            .file(Temp + R"(Setup\setup.log)")
            .file(R"(C:\WINDOWS\Prefetch\CMD.EXE-087B4001.pf)")
            .file(Profile + R"(\Application Data\Azureus\logs\debug_1.log)")
            .file(Profile + R"(\Application Data\Azureus\logs\notes.txt)")
            .file(R"(C:\Program Files\eDonkey2000\log.txt)")
            .file(R"(C:\Program Files\eMule\config\known.met)")
            .file(R"(C:\Program Files\eMule\downloads.txt)")
            .file(
                Profile +
                R"(\Application Data\Macromedia\Flash Player\macromedia.com\support\flashplayer\sys\settings.sol)");
        sim.internetCache
            .entry("Cookie:anne@example.com/", {.localFile = Cookies + "anne@example[1].txt"})
            .entry("http://www.example.com/logo.gif",
                   {.localFile = Cache + R"(Content.IE5\K3J\logo[1].gif)"})
            .entry("Visited: anne@http://www.example.com/")
            .entry("Cookie:anne@shop.example/");
        sim.urlHistory.visit("http://www.example.com/");
        sim.shell.recycled(R"(C:\old.doc)");
    }
};

TEST_F(WholeRunTest, EveryTargetCleansAndTheRunLogReadsAsExpected) {
    startProgram();
    checkOnly({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    std::vector<std::pair<int, std::string>> shown; // bar value, caption's end
    window().onRecord = [&](const sim::WindowEvent& event) {
        if (event.kind == sim::WindowEvent::Kind::Caption) {
            shown.emplace_back(form->ProgressBar1->Value(), event.text.substr(95));
        }
    };
    window().click("Command1");
    window().onRecord = nullptr;

    // One section per line.
    // clang-format off
    EXPECT_EQ(runLog(), (std::vector<std::string>{
        "Adresses tapées récemment  : Nettoyage ...", "http://t/", "",
        " ", "Cookie:anne@example.com/", "Cookie:anne@shop.example/", Cookies + "anne@old[1].txt", "",
        "Fichiers Internet temporaire  : Nettoyage ...", "http://www.example.com/logo.gif",
            "Visited: anne@http://www.example.com/", Cache + R"(Content.IE5\K3J\page[1].htm)", "",
        "Historique Internet  : Nettoyage ...", History + R"(History.IE5\MSHist012006\index.dat)", "",
        "Documents ouverts récemment  : Nettoyage ...", Recent + R"(Old\secret.doc.lnk)", "",
        "Fichiers temporaire  : Nettoyage ...", Temp + "~DF1234.tmp", Temp + R"(Setup\setup.log)", "",
        "Fichiers Prefetch  : Nettoyage ...", "",
        "Historique de Exécuter  : Nettoyage ...", R"(notepad\1)", "",
        "Historique de Rechercher  : Nettoyage ...", "*.doc", "",
        "Corbeille  : Nettoyage ...", "",
        "Azureus  : Nettoyage ...", "",
        "eDonkey2000  : Nettoyage ...", "",
        "eMule  : Nettoyage ...", "",
        "Macromedia Flash Player  : Nettoyage ...", "",
        "Nero  : Nettoyage ...", "a.nri", "",
        "Nero CoverDesigner  : Nettoyage ...", "b.ncd", "",
        "Visual Basic  : Nettoyage ...", "c.vbp", "",
        "Windows Media Player  : Nettoyage ...", "http://r/", "",
        "WinRar  : Nettoyage ...", "d.rar", "",
        "WinZip  : Nettoyage ...", "e.zip", ""}));
    // clang-format on

    EXPECT_EQ(shown, (std::vector<std::pair<int, std::string>>{
                         {5, " 05%"},  {11, " 10%"}, {7, " 15%"},  {23, " 20%"}, {25, " 25%"},
                         {30, " 30%"}, {32, " 35%"}, {40, " 40%"}, {45, " 45%"}, {54, " 50%"},
                         {55, " 55%"}, {64, " 60%"}, {63, " 65%"}, {71, " 70%"}, {77, " 75%"},
                         {83, " 80%"}, {85, " 85%"}, {90, " 90%"}, {96, " 95%"}, {100, "100%"}}));

    // What is left: files in use, files outside the targets, the emptied folders themselves.
    std::vector<std::string> left;
    for (const auto& path : sim.files.tree("C:\\")) {
        if (path.back() != '\\') {
            left.push_back(path);
        }
    }
    EXPECT_EQ(left,
              (std::vector<std::string>{Profile + R"(\Application Data\Azureus\logs\notes.txt)",
                                        Cookies + "index.dat", Cache + R"(Content.IE5\index.dat)",
                                        Profile + R"(\Mes documents\secret.doc)"}));
    // Of the registry values only the shell folders' are left.
    const std::string registry = sim.registry.exportRegText();
    int values = 0;
    for (auto at = registry.find("\n\""); at != std::string::npos;
         at = registry.find("\n\"", at + 1)) {
        ++values;
    }
    EXPECT_EQ(values, 4) << registry;
    EXPECT_TRUE(sim.internetCache.names().empty());
    EXPECT_TRUE(sim.urlHistory.urls().empty());
    EXPECT_TRUE(sim.shell.recycleBinItems().empty());
    EXPECT_EQ(lines(*form->List2), std::vector<std::string>(2, "Effacé"));
    EXPECT_EQ(lines(*form->List3), std::vector<std::string>(2, "Effacé"));
}

} // namespace
} // namespace vp::test
