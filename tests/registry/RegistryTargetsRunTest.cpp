#include "registry/RegistryTargetFixture.h"

#include <sstream>
#include <utility>

namespace vp::test {
namespace {

// One entry in every list the ten registry targets clear, as a user would export it.
constexpr std::string_view EveryList = R"(Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\TypedURLs]
"url1"="http://vexoma.example/"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders]
"Recent"="C:\\Documents and Settings\\Zoé\\Recent"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs]
"a"="secret.doc"
"MRUList"="a"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU]
"a"="notepad\\1"
"MRUList"="a"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Doc Find Spec MRU]
"b"="*.doc"
"MRUList"="b"

[HKEY_CURRENT_USER\Software\Ahead\Nero - Burning Rom\Recent File List]
"file1"="C:\\Gravures\\Récent.nri"

[HKEY_CURRENT_USER\Software\Ahead\Cover Designer\Recent File List]
"file2"="C:\\Pochettes\\pochette.ncd"

[HKEY_CURRENT_USER\Software\Microsoft\Visual Basic\5.0\RecentFiles]
"3"="C:\\VB\\Projet.vbp"

[HKEY_CURRENT_USER\Software\Microsoft\MediaPlayer\Player\RecentURLList]
"URL0"="http://radio.example/flux"

[HKEY_CURRENT_USER\Software\WinRAR\DialogEditHistory\ArcName]
"0"="sauvegarde.rar"

[HKEY_CURRENT_USER\Software\Nico Mak Computing\WinZip\filemenu]
"filemenu1"="C:\\Archives\\photos.zip"
)";

TEST_F(RegistryTargetTest, AWholeRunClearsTheTenListsWithTheirProgressValuesAndCaptions) {
    registry.loadRegText(EveryList);
    sim.files.file(R"(C:\Documents and Settings\Zoé\Recent\photos.zip.lnk)");
    const std::string before = registry.exportRegText();
    startProgram();

    std::vector<std::pair<int, std::string>> shown; // bar value when each caption appeared
    window().onRecord = [&](const sim::WindowEvent& event) {
        if (event.kind == sim::WindowEvent::Kind::Caption) {
            shown.emplace_back(form->ProgressBar1->Value(), event.text.substr(75));
        }
    };
    const std::initializer_list<int> boxes = {1, 5, 8, 9, 15, 16, 17, 18, 19, 20};
    EXPECT_EQ(runWith(boxes), (Lines{"Adresses tapées récemment  : Nettoyage ...",
                                     "http://vexoma.example/",
                                     "",
                                     "Documents ouverts récemment  : Nettoyage ...",
                                     R"(C:\Documents and Settings\Zoé\Recent\photos.zip.lnk)",
                                     "",
                                     "Historique de Exécuter  : Nettoyage ...",
                                     R"(notepad\1)",
                                     "",
                                     "Historique de Rechercher  : Nettoyage ...",
                                     "*.doc",
                                     "",
                                     "Nero  : Nettoyage ...",
                                     R"(C:\Gravures\Récent.nri)",
                                     "",
                                     "Nero CoverDesigner  : Nettoyage ...",
                                     R"(C:\Pochettes\pochette.ncd)",
                                     "",
                                     "Visual Basic  : Nettoyage ...",
                                     R"(C:\VB\Projet.vbp)",
                                     "",
                                     "Windows Media Player  : Nettoyage ...",
                                     "http://radio.example/flux",
                                     "",
                                     "WinRar  : Nettoyage ...",
                                     "sauvegarde.rar",
                                     "",
                                     "WinZip  : Nettoyage ...",
                                     R"(C:\Archives\photos.zip)",
                                     ""}))
        << before;
    window().onRecord = nullptr;
    EXPECT_EQ(shown, (std::vector<std::pair<int, std::string>>{{5, "Nettoyage en cours - 05%"},
                                                               {25, "Nettoyage en cours - 25%"},
                                                               {40, "Nettoyage en cours - 40%"},
                                                               {45, "Nettoyage en cours - 45%"},
                                                               {77, "Nettoyage en cours - 75%"},
                                                               {83, "Nettoyage en cours - 80%"},
                                                               {85, "Nettoyage en cours - 85%"},
                                                               {90, "Nettoyage en cours - 90%"},
                                                               {96, "Nettoyage en cours - 95%"},
                                                               {100, "Nettoyage en cours -100%"}}));
    EXPECT_EQ(window().caption().size(), 99u);

    // Of all those values only the shell-folder path is left; a second run finds nothing more.
    const std::string after = registry.exportRegText();
    Lines valuesLeft;
    std::istringstream lines(after);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with('"')) {
            valuesLeft.push_back(line);
        }
    }
    EXPECT_EQ(valuesLeft, Lines{R"("Recent"="C:\\Documents and Settings\\Zoé\\Recent")"}) << after;
    const Lines second = runWith(boxes);
    EXPECT_EQ(second.size(), 20u) << ::testing::PrintToString(second);
}

} // namespace
} // namespace vp::test
