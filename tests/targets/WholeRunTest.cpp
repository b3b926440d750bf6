// Every box checked on a simulated profile that gives each file, shell and cache target
// something to clean: the run log is compared whole, line by line.
#include "support/FormFixture.h"

#include "targets/ShellFolders.h"

namespace vp::test {
namespace {

namespace Attr = FileAttribute;

const std::string Profile = R"(C:\Documents and Settings\anne)";
const std::string Cookies = Profile + R"(\Cookies\)";
const std::string Cache = Profile + R"(\Local Settings\Temporary Internet Files\)";
const std::string History = Profile + R"(\Local Settings\History\)";
const std::string Temp = Profile + R"(\Local Settings\Temp\)";

class WholeRunTest : public FormFixture {
protected:
    void SetUp() override {
        sim.environment.set("USERNAME", "anne").set("SystemRoot", R"(C:\WINDOWS)");
        sim.environment.setTempPath(Temp);
        sim.registry.setString(ShellFoldersKey, "Cookies", Cookies)
            .setString(ShellFoldersKey, "Cache", Cache)
            .setString(ShellFoldersKey, "History", History);

        sim.files.file(Cookies + "anne@example[1].txt")
            .file(Cookies + "anne@old[1].txt")
            .file(Cookies + "index.dat", {.inUse = true})
            .file(Cache + R"(Content.IE5\K3J\logo[1].gif)")
            .file(Cache + R"(Content.IE5\K3J\page[1].htm)")
            .file(Cache + R"(Content.IE5\index.dat)", {.inUse = true})
            .file(History + R"(History.IE5\MSHist012006\index.dat)")
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
    window().click("Command1");

    EXPECT_EQ(runLog(), (std::vector<std::string>{"Adresses tapées récemment  : Nettoyage ...",
                                                  "",
                                                  " ",
                                                  "Cookie:anne@example.com/",
                                                  "Cookie:anne@shop.example/",
                                                  Cookies + "anne@old[1].txt",
                                                  "",
                                                  "Fichiers Internet temporaire  : Nettoyage ...",
                                                  "http://www.example.com/logo.gif",
                                                  "Visited: anne@http://www.example.com/",
                                                  Cache + R"(Content.IE5\K3J\page[1].htm)",
                                                  "",
                                                  "Historique Internet  : Nettoyage ...",
                                                  History + R"(History.IE5\MSHist012006\index.dat)",
                                                  "",
                                                  "Documents ouverts récemment  : Nettoyage ...",
                                                  "",
                                                  "Fichiers temporaire  : Nettoyage ...",
                                                  Temp + "~DF1234.tmp",
                                                  Temp + R"(Setup\setup.log)",
                                                  "",
                                                  "Fichiers Prefetch  : Nettoyage ...",
                                                  "",
                                                  "Historique de Exécuter  : Nettoyage ...",
                                                  "",
                                                  "Historique de Rechercher  : Nettoyage ...",
                                                  "",
                                                  "Corbeille  : Nettoyage ...",
                                                  "",
                                                  "Azureus  : Nettoyage ...",
                                                  "",
                                                  "eDonkey2000  : Nettoyage ...",
                                                  "",
                                                  "eMule  : Nettoyage ...",
                                                  "",
                                                  "Macromedia Flash Player  : Nettoyage ...",
                                                  "",
                                                  "Nero  : Nettoyage ...",
                                                  "",
                                                  "Nero CoverDesigner  : Nettoyage ...",
                                                  "",
                                                  "Visual Basic  : Nettoyage ...",
                                                  "",
                                                  "Windows Media Player  : Nettoyage ...",
                                                  "",
                                                  "WinRar  : Nettoyage ...",
                                                  "",
                                                  "WinZip  : Nettoyage ...",
                                                  ""}));

    // What is left: files in use, the Azureus note, the emptied folders themselves.
    std::vector<std::string> left;
    for (const auto& path : sim.files.tree("C:\\")) {
        if (path.back() != '\\') {
            left.push_back(path);
        }
    }
    EXPECT_EQ(left, (std::vector<std::string>{
                        Profile + R"(\Application Data\Azureus\logs\notes.txt)",
                        Cookies + "index.dat", Cache + R"(Content.IE5\index.dat)"}));
    EXPECT_TRUE(sim.internetCache.names().empty());
    EXPECT_TRUE(sim.urlHistory.urls().empty());
    EXPECT_TRUE(sim.shell.recycleBinItems().empty());
    EXPECT_EQ(lines(*form->List2), std::vector<std::string>(2, "Effacé"));
    EXPECT_EQ(lines(*form->List3), std::vector<std::string>(2, "Effacé"));
}

} // namespace
} // namespace vp::test
