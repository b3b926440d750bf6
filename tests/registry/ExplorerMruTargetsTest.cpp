#include "registry/RegistryTargetFixture.h"

namespace vp::test {
namespace {

const std::string TypedUrls = R"(Software\Microsoft\Internet Explorer\TypedURLs)";
const std::string Explorer = R"(Software\Microsoft\Windows\CurrentVersion\Explorer)";
const std::string RunMru = Explorer + R"(\RunMRU)";
const std::string SearchMru = Explorer + R"(\Doc Find Spec MRU)";
const std::string RecentDocs = Explorer + R"(\RecentDocs)";
const std::string ShellFolders = Explorer + R"(\Shell Folders)";

using ExplorerMruTargetsTest = RegistryTargetTest;

TEST_F(ExplorerMruTargetsTest, TypedLogsUrl1ToUrl100InNumberOrderAndDeletesThem) {
    registry.setString(TypedUrls, "url0", "http://zero.example/")
        .setString(TypedUrls, "url7", "")
        .setString(TypedUrls, "url3", "www.exemple.fr")
        .setString(TypedUrls, "url1", "http://vexoma.example/")
        .setString(TypedUrls, "url42", "http://long.example/" + std::string(120, 'w'))
        .setRaw(TypedUrls, "url99", REG_SZ, windows1252("http://caf\xE9.example/"))
        .setString(TypedUrls, "URL100", "http://last.example/")
        .setString(TypedUrls, "url101", "http://beyond.example/")
        .setString(TypedUrls, "other", "x")
        .key(TypedUrls + R"(\url5)");

    EXPECT_EQ(runWith({1}),
              (Lines{"Adresses tapées récemment  : Nettoyage ...", "http://vexoma.example/",
                     "www.exemple.fr", "http://café.example/", "http://last.example/", ""}));
    EXPECT_EQ(form->List1->listIndex(), 4) << "the last logged line stays selected";
    EXPECT_EQ(registry.valueNames(TypedUrls), (Lines{"url0", "url101", "other"}))
        << dump(TypedUrls);
    EXPECT_EQ(registry.subkeyNames(TypedUrls), Lines{"url5"});
}

TEST_F(ExplorerMruTargetsTest, RunLogsTheLettersAToJInLetterOrderWhateverMruListSays) {
    registry.setString(RunMru, "c", R"(regedit\1)")
        .setString(RunMru, "MRUList", "cBja")
        .setString(RunMru, "a", R"(notepad\1)")
        .setString(RunMru, "B", R"(cmd\1)")
        .setString(RunMru, "j", R"(calc\1)")
        .setString(RunMru, "k", R"(keep\1)")
        .setString(RunMru, "z", R"(keep too\1)")
        .setString(RunMru, "Other", "x")
        .key(RunMru + R"(\a)");

    EXPECT_EQ(runWith({8}), (Lines{"Historique de Exécuter  : Nettoyage ...", R"(notepad\1)",
                                   R"(cmd\1)", R"(regedit\1)", R"(calc\1)", ""}));
    EXPECT_EQ(registry.valueNames(RunMru), (Lines{"k", "z", "Other"})) << dump(RunMru);
    EXPECT_EQ(registry.subkeyNames(RunMru), Lines{"a"});
}

TEST_F(ExplorerMruTargetsTest, SearchedDeletesEntriesItCannotLogAndKeepsKToZ) {
    registry.setString(SearchMru, "a", "rapport*.doc")
        .setString(SearchMru, "e", std::string(128, 'e'))
        .setString(SearchMru, "f", "")
        .setRaw(SearchMru, "g", REG_SZ,
                windows1252("R\xE9"
                            "cent.doc"))
        .setString(SearchMru, "j", "*.tmp")
        .setString(SearchMru, "k", "kept")
        .setString(SearchMru, "MRUList", "jgfea");

    EXPECT_EQ(runWith({9}), (Lines{"Historique de Rechercher  : Nettoyage ...", "rapport*.doc",
                                   "Récent.doc", "*.tmp", ""}));
    EXPECT_EQ(registry.valueNames(SearchMru), Lines{"k"}) << dump(SearchMru);
}

TEST_F(ExplorerMruTargetsTest, RecentSweepsTheRecentFolderAndDeletesTheLettersUnread) {
    const std::string profile = R"(C:\Documents and Settings\Zoé)";
    registry
        .setRaw(ShellFolders, "Recent", REG_SZ,
                windows1252("C:\\Documents and Settings\\Zo\xE9\\Recent"))
        .setString(RecentDocs, "a", "secret.doc")
        .setString(RecentDocs, "b", "other secret.doc")
        .setString(RecentDocs, "z", "last secret.doc")
        .setString(RecentDocs, "MRUList", "zba")
        .setBinary(RecentDocs, "MRUListEx", {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF})
        .setBinary(RecentDocs, "0", {'x', 0})
        .setString(RecentDocs + R"(\.doc)", "a", "secret.doc")
        .setString(RecentDocs + R"(\.doc)", "MRUList", "a");
    sim.files.file(profile + R"(\Recent\Récent.doc.lnk)")
        .file(profile + R"(\Recent\b.txt.lnk)")
        .file(profile + R"(\Recent\Old\c.lnk)")
        .file(profile + R"(\Mes documents\Récent.doc)");

    EXPECT_EQ(
        runWith({5}),
        (Lines{"Documents ouverts récemment  : Nettoyage ...", profile + R"(\Recent\b.txt.lnk)",
               profile + R"(\Recent\Récent.doc.lnk)", profile + R"(\Recent\Old\c.lnk)", ""}));
    EXPECT_EQ(registry.valueNames(RecentDocs), (Lines{"MRUListEx", "0"})) << dump(RecentDocs);
    EXPECT_EQ(registry.valueNames(RecentDocs + R"(\.doc)"), (Lines{"a", "MRUList"}));
    EXPECT_EQ(sim.files.tree(profile),
              (Lines{profile + R"(\Mes documents\)", profile + R"(\Mes documents\Récent.doc)",
                     profile + R"(\Recent\)"}));
}

TEST_F(ExplorerMruTargetsTest, RecentStillClearsTheRegistryWhenTheFolderCannotBeRead) {
    // The shell-folder key opens for reading only, and the helpers ask for full access: the
    // path reads as empty and nothing is swept.
    registry.setString(ShellFolders, "Recent", R"(C:\Recent)").readOnly(ShellFolders);
    sim.files.file(R"(C:\Recent\a.lnk)");
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        registry.setString(RecentDocs, std::string(1, letter), std::string("doc ") + letter);
    }
    registry.setString(RecentDocs, "MRUList", "abcdefghijklmnopqrstuvwxyz");

    EXPECT_EQ(runWith({5}), (Lines{"Documents ouverts récemment  : Nettoyage ...", ""}));
    EXPECT_EQ(registry.valueNames(RecentDocs), Lines{}) << dump(RecentDocs);
    EXPECT_TRUE(sim.files.exists(R"(C:\Recent\a.lnk)"));
}

} // namespace
} // namespace vp::test
