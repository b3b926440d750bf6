// Each registry routine alone, in a run with only its box checked: its whole run-log segment, and
// what its keys hold afterwards (values, then subkeys with a trailing backslash).
#include "support/FormFixture.h"

#include <functional>
#include <initializer_list>
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
std::string windows1252(std::string_view bytes) {
    return std::string(bytes) + '\0';
}

// Text values into `key`; a name ending in a backslash makes a subkey instead.
void set(sim::SimRegistry& registry, const std::string& key,
         std::initializer_list<std::pair<std::string, std::string>> values) {
    for (const auto& [name, data] : values) {
        if (name.ends_with('\\')) {
            registry.key(key + "\\" + name.substr(0, name.size() - 1));
        } else {
            registry.setString(key, name, data);
        }
    }
}

struct Routine {
    const char* name;
    int box;
    std::function<void(sim::SimPlatform&)> fill;
    Lines log;
    std::vector<std::pair<std::string, Lines>> left; // key, what it still holds
    std::string fileKept = {};
};
void PrintTo(const Routine& routine, std::ostream* out) {
    *out << routine.name;
}

// A row's values are packed, several to a line.
// clang-format off
const Routine Routines[] = {
    {"TypedInNumberOrder", 1,
     [](sim::SimPlatform& s) {
         set(s.registry, TypedUrls,
             {{"url0", "http://zero.example/"}, {"url7", ""}, {"url3", "www.exemple.fr"},
              {"url1", "http://vexoma.example/"}, {"url99", "http://café.example/"},
              {"url42", "http://long.example/" + std::string(120, 'w')},
              {"URL100", "http://last.example/"}, {"url101", "http://beyond.example/"},
              {"other", "x"}, {"url5\\", ""}});
     },
     {"Adresses tapées récemment  : Nettoyage ...", "http://vexoma.example/", "www.exemple.fr",
      "http://café.example/", "http://last.example/", ""},
     {{TypedUrls, {"url0", "url101", "other", "url5\\"}}}},

    {"RecentSweepsTheFolderAndDeletesTheLettersUnread", 5,
     [](sim::SimPlatform& s) {
         s.registry.setRaw(ShellFolders, "Recent", StringValueType,
                           windows1252("C:\\Documents and Settings\\Zo\xE9\\Recent"));
         set(s.registry, RecentDocs,
             {{"a", "secret.doc"}, {"z", "last.doc"}, {"MRUList", "za"}, {".doc\\", ""}});
         s.registry.setBinary(RecentDocs, "MRUListEx", {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF})
             .setBinary(RecentDocs, "0", {'x', 0})
             .setString(RecentDocs + R"(\.doc)", "a", "secret.doc");
         s.files.file(Zoe + R"(\Recent\Récent.doc.lnk)").file(Zoe + R"(\Recent\b.txt.lnk)")
             .file(Zoe + R"(\Recent\Old\c.lnk)").file(Zoe + R"(\Mes documents\Récent.doc)");
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
     {"Documents ouverts récemment  : Nettoyage ...", ""}, {{RecentDocs, {}}}, R"(C:\Recent\a.lnk)"},

    {"RunInLetterOrderWhateverMruListSays", 8,
     [](sim::SimPlatform& s) {
         set(s.registry, RunMru,
             {{"c", R"(regedit\1)"}, {"MRUList", "cBja"}, {"a", R"(notepad\1)"}, {"B", R"(cmd\1)"},
              {"j", R"(calc\1)"}, {"k", R"(keep\1)"}, {"z", R"(keep too\1)"}, {"Other", "x"},
              {"a\\", ""}});
     },
     {"Historique de Exécuter  : Nettoyage ...", R"(notepad\1)", R"(cmd\1)", R"(regedit\1)",
      R"(calc\1)", ""},
     {{RunMru, {"k", "z", "Other", "a\\"}}}},

    {"SearchedDeletesWhatItCannotLog", 9,
     [](sim::SimPlatform& s) {
         set(s.registry, SearchMru,
             {{"a", "rapport*.doc"}, {"e", std::string(128, 'e')}, {"f", ""}, {"j", "*.tmp"},
              {"k", "kept"}, {"MRUList", "jgfea"}});
         s.registry.setRaw(SearchMru, "g", StringValueType, windows1252("R\xE9" "cent.doc"));
     },
     {"Historique de Rechercher  : Nettoyage ...", "rapport*.doc", "Récent.doc", "*.tmp", ""},
     {{SearchMru, {"k"}}}},

    {"Nero", 15,
     [](sim::SimPlatform& s) {
         set(s.registry, Nero,
             {{"file0", R"(C:\zero.nri)"}, {"file4", R"(C:\Gravures\quatre.nrg)"},
              {"file1", R"(C:\Gravures\un.nri)"}, {"file101", R"(C:\beyond.nri)"},
              {"file1\\", ""}});
     },
     {"Nero  : Nettoyage ...", R"(C:\Gravures\un.nri)", R"(C:\Gravures\quatre.nrg)", ""},
     {{Nero, {"file0", "file101", "file1\\"}}}},

    {"CoverDesigner", 16,
     [](sim::SimPlatform& s) {
         set(s.registry, Cover, {{"file0", "zero"}, {"file1", "one"}, {"file2", ""},
                                 {"file100", "last"}, {"file101", "beyond"}});
     },
     {"Nero CoverDesigner  : Nettoyage ...", "one", "last", ""}, {{Cover, {"file0", "file101"}}}},

    {"VisualBasicInterleavesVersion6And5ByNumber", 17,
     [](sim::SimPlatform& s) {
         set(s.registry, Vb5, {{"1", "vb5 1"}, {"100", "vb5 100"}, {"101", "vb5 101"}});
         set(s.registry, Vb6, {{"2", "vb6 2"}, {"1", "vb6 1"}, {"0", "vb6 0"}});
     },
     {"Visual Basic  : Nettoyage ...", "vb6 1", "vb5 1", "vb6 2", "vb5 100", ""},
     {{Vb6, {"0"}}, {Vb5, {"101"}}}},

    {"MediaPlayer", 18,
     [](sim::SimPlatform& s) {
         set(s.registry, MediaPlayer,
             {{"URL0", "first"}, {"URL1", ""}, {"URL100", "last"}, {"URL101", "beyond"}});
     },
     {"Windows Media Player  : Nettoyage ...", "first", "last", ""}, {{MediaPlayer, {"URL101"}}}},

    {"RarInterleavesItsThreeKeysByNumber", 19,
     [](sim::SimPlatform& s) {
         set(s.registry, ArcHistory, {{"1", "history 1"}, {"0", "history 0"}});
         set(s.registry, ArcName, {{"1", "name 1"}});
         set(s.registry, ExtrPath, {{"0", "path 0"}, {"100", "path 100"}, {"101", "path 101"}});
     },
     {"WinRar  : Nettoyage ...", "history 0", "path 0", "history 1", "name 1", "path 100", ""},
     {{ArcHistory, {}}, {ArcName, {}}, {ExtrPath, {"101"}}}},

    {"WinZipDeletesEntriesTooLongToReadUnlogged", 20,
     [](sim::SimPlatform& s) {
         set(s.registry, WinZip,
             {{"filemenu0", "zero"}, {"filemenu1", std::string(127, 'z')},
              {"filemenu2", std::string(128, 'z')}, {"filemenu3", std::string(4000, 'z')},
              {"filemenu100", "last"}, {"filemenu101", "beyond"}});
     },
     {"WinZip  : Nettoyage ...", std::string(127, 'z'), "last", ""},
     {{WinZip, {"filemenu0", "filemenu101"}}}},
};
// clang-format on

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
