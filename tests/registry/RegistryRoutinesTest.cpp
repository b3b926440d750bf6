// Each registry routine alone, in a run with only its box checked: its whole run-log segment, and
// what its keys hold afterwards (values, then subkeys with a trailing backslash).
#include "support/FormFixture.h"

#include <functional>
#include <ostream>
#include <utility>

namespace vp::test {
namespace {

using Lines = std::vector<std::string>;

const std::string TypedUrls = R"(Software\Microsoft\Internet Explorer\TypedURLs)";
const std::string Explorer = R"(Software\Microsoft\Windows\CurrentVersion\Explorer)";
const std::string RunMru = Explorer + R"(\RunMRU)";
const std::string SearchMru = Explorer + R"(\Doc Find Spec MRU)";
const std::string RecentDocs = Explorer + R"(\RecentDocs)";
const std::string ShellFolders = Explorer + R"(\Shell Folders)";
const std::string Nero = R"(Software\Ahead\Nero - Burning Rom\Recent File List)";
const std::string Cover = R"(Software\Ahead\Cover Designer\Recent File List)";
const std::string Vb6 = R"(Software\Microsoft\Visual Basic\6.0\RecentFiles)";
const std::string Vb5 = R"(Software\Microsoft\Visual Basic\5.0\RecentFiles)";
const std::string MediaPlayer = R"(Software\Microsoft\MediaPlayer\Player\RecentURLList)";
const std::string ArcHistory = R"(Software\WinRAR\ArcHistory)";
const std::string ArcName = R"(Software\WinRAR\DialogEditHistory\ArcName)";
const std::string ExtrPath = R"(Software\WinRAR\DialogEditHistory\ExtrPath)";
const std::string WinZip = R"(Software\Nico Mak Computing\WinZip\filemenu)";
const std::string Zoe = R"(C:\Documents and Settings\Zoé)";

// A value's data as a Western European Windows stores it (é is the single byte 0xE9).
std::string windows1252(std::string_view bytes) { return std::string(bytes) + '\0'; }

struct Routine {
    const char* name;
    int box;
    std::function<void(sim::SimPlatform&)> fill;
    Lines log;
    std::vector<std::pair<std::string, Lines>> left; // key, what it still holds
    std::string fileKept = {};
};
void PrintTo(const Routine& routine, std::ostream* out) { *out << routine.name; }

const Routine Routines[] = {
    {"TypedInNumberOrder", 1,
     [](sim::SimPlatform& s) {
         s.registry.setString(TypedUrls, "url0", "http://zero.example/")
             .setString(TypedUrls, "url7", "")
             .setString(TypedUrls, "url3", "www.exemple.fr")
             .setString(TypedUrls, "url1", "http://vexoma.example/")
             .setString(TypedUrls, "url42", "http://long.example/" + std::string(120, 'w'))
             .setRaw(TypedUrls, "url99", REG_SZ, windows1252("http://caf\xE9.example/"))
             .setString(TypedUrls, "URL100", "http://last.example/")
             .setString(TypedUrls, "url101", "http://beyond.example/")
             .setString(TypedUrls, "other", "x")
             .key(TypedUrls + R"(\url5)");
     },
     {"Adresses tapées récemment  : Nettoyage ...", "http://vexoma.example/", "www.exemple.fr",
      "http://café.example/", "http://last.example/", ""},
     {{TypedUrls, {"url0", "url101", "other", "url5\\"}}}},

    {"RecentSweepsTheFolderAndDeletesTheLettersUnread", 5,
     [](sim::SimPlatform& s) {
         s.registry
             .setRaw(ShellFolders, "Recent", REG_SZ,
                     windows1252("C:\\Documents and Settings\\Zo\xE9\\Recent"))
             .setString(RecentDocs, "a", "secret.doc")
             .setString(RecentDocs, "z", "last secret.doc")
             .setString(RecentDocs, "MRUList", "za")
             .setBinary(RecentDocs, "MRUListEx", {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF})
             .setBinary(RecentDocs, "0", {'x', 0})
             .setString(RecentDocs + R"(\.doc)", "a", "secret.doc");
         s.files.file(Zoe + R"(\Recent\Récent.doc.lnk)")
             .file(Zoe + R"(\Recent\b.txt.lnk)")
             .file(Zoe + R"(\Recent\Old\c.lnk)")
             .file(Zoe + R"(\Mes documents\Récent.doc)");
     },
     {"Documents ouverts récemment  : Nettoyage ...", Zoe + R"(\Recent\b.txt.lnk)",
      Zoe + R"(\Recent\Récent.doc.lnk)", Zoe + R"(\Recent\Old\c.lnk)", ""},
     {{RecentDocs, {"MRUListEx", "0", ".doc\\"}}, {RecentDocs + R"(\.doc)", {"a"}}},
     Zoe + R"(\Mes documents\Récent.doc)"},

    // The shell-folder key opens for reading only and the helpers ask for full access: the
    // path reads as empty, nothing is swept, the letters still go.
    {"RecentWithAnUnreadableFolder", 5,
     [](sim::SimPlatform& s) {
         for (char letter = 'a'; letter <= 'z'; ++letter) {
             s.registry.setString(RecentDocs, std::string(1, letter), "doc");
         }
         s.registry.setString(ShellFolders, "Recent", R"(C:\Recent)").readOnly(ShellFolders);
         s.files.file(R"(C:\Recent\a.lnk)");
     },
     {"Documents ouverts récemment  : Nettoyage ...", ""},
     {{RecentDocs, {}}},
     R"(C:\Recent\a.lnk)"},

    {"RunInLetterOrderWhateverMruListSays", 8,
     [](sim::SimPlatform& s) {
         s.registry.setString(RunMru, "c", R"(regedit\1)")
             .setString(RunMru, "MRUList", "cBja")
             .setString(RunMru, "a", R"(notepad\1)")
             .setString(RunMru, "B", R"(cmd\1)")
             .setString(RunMru, "j", R"(calc\1)")
             .setString(RunMru, "k", R"(keep\1)")
             .setString(RunMru, "z", R"(keep too\1)")
             .setString(RunMru, "Other", "x")
             .key(RunMru + R"(\a)");
     },
     {"Historique de Exécuter  : Nettoyage ...", R"(notepad\1)", R"(cmd\1)", R"(regedit\1)",
      R"(calc\1)", ""},
     {{RunMru, {"k", "z", "Other", "a\\"}}}},

    {"SearchedDeletesWhatItCannotLog", 9,
     [](sim::SimPlatform& s) {
         s.registry.setString(SearchMru, "a", "rapport*.doc")
             .setString(SearchMru, "e", std::string(128, 'e'))
             .setString(SearchMru, "f", "")
             .setRaw(SearchMru, "g", REG_SZ, windows1252("R\xE9" "cent.doc"))
             .setString(SearchMru, "j", "*.tmp")
             .setString(SearchMru, "k", "kept")
             .setString(SearchMru, "MRUList", "jgfea");
     },
     {"Historique de Rechercher  : Nettoyage ...", "rapport*.doc", "Récent.doc", "*.tmp", ""},
     {{SearchMru, {"k"}}}},

    {"Nero", 15,
     [](sim::SimPlatform& s) {
         s.registry.setString(Nero, "file0", R"(C:\zero.nri)")
             .setString(Nero, "file4", R"(C:\Gravures\quatre.nrg)")
             .setString(Nero, "file1", R"(C:\Gravures\un.nri)")
             .setString(Nero, "file101", R"(C:\beyond.nri)")
             .key(Nero + R"(\file1)");
     },
     {"Nero  : Nettoyage ...", R"(C:\Gravures\un.nri)", R"(C:\Gravures\quatre.nrg)", ""},
     {{Nero, {"file0", "file101", "file1\\"}}}},

    {"CoverDesigner", 16,
     [](sim::SimPlatform& s) {
         s.registry.setString(Cover, "file0", "zero")
             .setString(Cover, "file1", "one")
             .setString(Cover, "file2", "")
             .setString(Cover, "file100", "last")
             .setString(Cover, "file101", "beyond");
     },
     {"Nero CoverDesigner  : Nettoyage ...", "one", "last", ""},
     {{Cover, {"file0", "file101"}}}},

    {"VisualBasicInterleavesVersion6And5ByNumber", 17,
     [](sim::SimPlatform& s) {
         s.registry.setString(Vb5, "1", R"(C:\VB5\Projet1.vbp)")
             .setString(Vb6, "2", R"(C:\VB6\Projet2.vbp)")
             .setString(Vb6, "1", R"(C:\VB6\Projet1.vbp)")
             .setString(Vb5, "100", R"(C:\VB5\Projet100.vbp)")
             .setString(Vb6, "0", R"(C:\VB6\zero.vbp)")
             .setString(Vb5, "101", R"(C:\VB5\beyond.vbp)");
     },
     {"Visual Basic  : Nettoyage ...", R"(C:\VB6\Projet1.vbp)", R"(C:\VB5\Projet1.vbp)",
      R"(C:\VB6\Projet2.vbp)", R"(C:\VB5\Projet100.vbp)", ""},
     {{Vb6, {"0"}}, {Vb5, {"101"}}}},

    {"MediaPlayer", 18,
     [](sim::SimPlatform& s) {
         s.registry.setString(MediaPlayer, "URL0", "http://radio.example/")
             .setString(MediaPlayer, "URL1", "")
             .setString(MediaPlayer, "URL100", "http://last.example/")
             .setString(MediaPlayer, "URL101", "http://beyond.example/");
     },
     {"Windows Media Player  : Nettoyage ...", "http://radio.example/", "http://last.example/",
      ""},
     {{MediaPlayer, {"URL101"}}}},

    {"RarInterleavesItsThreeKeysByNumber", 19,
     [](sim::SimPlatform& s) {
         s.registry.setString(ArcHistory, "1", R"(C:\Archives\deux.rar)")
             .setString(ArcHistory, "0", R"(C:\Archives\un.rar)")
             .setString(ExtrPath, "0", R"(C:\Extraits)")
             .setString(ArcName, "1", "nom.rar")
             .setString(ExtrPath, "100", R"(C:\Extraits\dernier)")
             .setString(ExtrPath, "101", R"(C:\Extraits\au-delà)");
     },
     {"WinRar  : Nettoyage ...", R"(C:\Archives\un.rar)", R"(C:\Extraits)",
      R"(C:\Archives\deux.rar)", "nom.rar", R"(C:\Extraits\dernier)", ""},
     {{ArcHistory, {}}, {ArcName, {}}, {ExtrPath, {"101"}}}},

    {"WinZipDeletesEntriesTooLongToReadUnlogged", 20,
     [](sim::SimPlatform& s) {
         s.registry.setString(WinZip, "filemenu0", "zero")
             .setString(WinZip, "filemenu1", std::string(127, 'z'))
             .setString(WinZip, "filemenu2", std::string(128, 'z'))
             .setString(WinZip, "filemenu3", std::string(4000, 'z'))
             .setString(WinZip, "filemenu100", "last")
             .setString(WinZip, "filemenu101", "beyond");
     },
     {"WinZip  : Nettoyage ...", std::string(127, 'z'), "last", ""},
     {{WinZip, {"filemenu0", "filemenu101"}}}},
};

class RegistryRoutineTest : public FormFixture, public ::testing::WithParamInterface<Routine> {
protected:
    Lines contents(const std::string& key) const {
        Lines names = sim.registry.valueNames(key);
        for (const std::string& subkey : sim.registry.subkeyNames(key)) {
            names.push_back(subkey + "\\");
        }
        return names;
    }
    void TearDown() override {
        EXPECT_EQ(sim.registry.openHandles(), 0) << "registry keys left open";
    }
};

TEST_P(RegistryRoutineTest, LogsWhatItDeletesAndLeavesTheRest) {
    const Routine& routine = GetParam();
    routine.fill(sim);
    startProgram();
    checkOnly({routine.box});
    window().click("Command1");

    EXPECT_EQ(runLog(), routine.log);
    for (const auto& [key, left] : routine.left) {
        EXPECT_EQ(contents(key), left) << "\n" << sim.registry.exportRegText(key);
    }
    if (!routine.fileKept.empty()) {
        EXPECT_TRUE(sim.files.exists(routine.fileKept)) << routine.fileKept;
    }
}

INSTANTIATE_TEST_SUITE_P(EachList, RegistryRoutineTest, ::testing::ValuesIn(Routines),
                         [](const auto& each) { return std::string(each.param.name); });

} // namespace
} // namespace vp::test
