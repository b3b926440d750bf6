// FileKey semantics on the simulated platform, one flag at a time: which files go, which
// folders go with them, what hidden files, links, exclusions and protected places change.
#include "RulesRunFixture.h"

#include <algorithm>

namespace vp::rules::test {
namespace {

constexpr std::string_view App = R"(C:\Users\Camille\AppData\Roaming\Contoso)";

class FileKeyCleanerTest : public RulesRunFixture {
public:
    FileKeyCleanerTest() {
        sim.files.file(std::string(App) + R"(\a.tmp)", {.contents = "12345"})
            .file(std::string(App) + R"(\keep.cfg)")
            .file(std::string(App) + R"(\Logs\b.tmp)", {.contents = "123"})
            .file(std::string(App) + R"(\Logs\Old\c.tmp)")
            .file(std::string(App) + R"(\Cache\d.bin)")
            .folder(std::string(App) + R"(\Empty)");
    }

    void TestBody() override {}
    std::vector<std::string> left() const { return tree(App); }
    static std::string at(std::string_view rest) {
        return std::string(App) + '\\' + std::string(rest);
    }
};

TEST_F(FileKeyCleanerTest, EachFlagTakesFilesAndFoldersAsTheReadmeTableSays) {
    struct Case {
        std::string_view key;
        Paths left;
    };
    const std::vector<Case> cases = {
        // The folder's own files only.
        {R"(%AppData%\Contoso|*.tmp)",
         {at(R"(Cache\)"), at(R"(Cache\d.bin)"), at(R"(Empty\)"), at("keep.cfg"), at(R"(Logs\)"),
          at(R"(Logs\b.tmp)"), at(R"(Logs\Old\)"), at(R"(Logs\Old\c.tmp)")}},
        // Every folder below too; the folders stay, emptied or not.
        {R"(%AppData%\Contoso|*.tmp|RECURSE)",
         {at(R"(Cache\)"), at(R"(Cache\d.bin)"), at(R"(Empty\)"), at("keep.cfg"), at(R"(Logs\)"),
          at(R"(Logs\Old\)")}},
        // And the folders left empty, but not one still holding a file no pattern took.
        {R"(%AppData%\Contoso|*.tmp|REMOVESELF)",
         {at(R"(Cache\)"), at(R"(Cache\d.bin)"), at("keep.cfg")}},
        // `*` and `*.*` alike: every file, then every folder, the key's own included.
        {R"(%AppData%\Contoso|*.*|REMOVESELF)", {}},
        {R"(%AppData%\Contoso\Logs|*|REMOVESELF)",
         {at(R"(Cache\)"), at(R"(Cache\d.bin)"), at(R"(Empty\)"), at("a.tmp"), at("keep.cfg")}},
        // Several patterns, one named exactly.
        {R"(%AppData%\Contoso|keep.cfg;?.tmp)",
         {at(R"(Cache\)"), at(R"(Cache\d.bin)"), at(R"(Empty\)"), at(R"(Logs\)"),
          at(R"(Logs\b.tmp)"), at(R"(Logs\Old\)"), at(R"(Logs\Old\c.tmp)")}},
    };
    for (const Case& c : cases) {
        FileKeyCleanerTest fresh;
        fresh.load("[Contoso *]\nFileKey1=" + std::string(c.key) + "\n");
        fresh.clean("Contoso");
        Paths expected = c.left;
        std::sort(expected.begin(), expected.end());
        Paths actual = fresh.left();
        std::sort(actual.begin(), actual.end());
        EXPECT_EQ(actual, expected) << c.key;
    }
}

TEST_F(FileKeyCleanerTest, CountsAndLogsEveryItemOnce) {
    load("[Contoso *]\nFileKey1=%AppData%\\Contoso|*.tmp|REMOVESELF\n");
    clean("Contoso");
    const Totals& t = totals.target(1);
    EXPECT_EQ(t.files, 3u);
    EXPECT_EQ(t.fileBytes, 8u);
    EXPECT_EQ(t.folders, 3u); // Logs\Old, Logs, Empty
    EXPECT_EQ(t.keptFiles, 0u);
    EXPECT_EQ(log, (Paths{at("a.tmp"), at(R"(Logs\b.tmp)"), at(R"(Logs\Old\c.tmp)"),
                          at(R"(Logs\Old)"), at("Empty"), at("Logs")}));
}

TEST_F(FileKeyCleanerTest, HiddenAndSystemFilesGoOnlyWhenNamedExactly) {
    sim.files.file(at("hidden.tmp"), {.attributes = FileAttribute::Hidden})
        .file(at("system.dat"), {.attributes = FileAttribute::System})
        .file(at("locked.tmp"), {.attributes = FileAttribute::ReadOnly});
    load("[Contoso *]\nFileKey1=%AppData%\\Contoso|*.tmp;SYSTEM.DAT\n");
    clean("Contoso");
    EXPECT_TRUE(sim.files.exists(at("hidden.tmp")));
    EXPECT_FALSE(sim.files.exists(at("system.dat")));
    EXPECT_FALSE(sim.files.exists(at("locked.tmp"))); // read-only alone does not keep a file
}

TEST_F(FileKeyCleanerTest, WildcardFoldersAreMatchedAgainstListingsAndLinksAreNeverEntered) {
    const std::string data = R"(C:\Users\Camille\AppData\Local\Fabrikam\User Data)";
    sim.files.file(data + R"(\Default\Cache\f_1)")
        .file(data + R"(\Profile 2\Cache\f_2)")
        .file(data + R"(\Profile 2\Cookies)")
        .file(R"(C:\Users\Camille\Documents\precious.txt)")
        .folderLink(data + R"(\Profile 3)", R"(C:\Users\Camille\Documents)")
        .folderLink(data + R"(\Default\Cache\inner)", R"(C:\Users\Camille\Documents)");
    load("[Fabrikam *]\nFileKey1=%LocalAppData%\\Fabrikam\\User Data\\*\\Cache|*|RECURSE\n"
         "FileKey2=%LocalAppData%\\Fabrikam\\User Data\\Prof*|Cookies\n");
    clean("Fabrikam");
    EXPECT_FALSE(sim.files.exists(data + R"(\Default\Cache\f_1)"));
    EXPECT_FALSE(sim.files.exists(data + R"(\Profile 2\Cache\f_2)"));
    EXPECT_FALSE(sim.files.exists(data + R"(\Profile 2\Cookies)"));
    EXPECT_TRUE(sim.files.exists(R"(C:\Users\Camille\Documents\precious.txt)"));
    EXPECT_TRUE(sim.files.exists(data + R"(\Default\Cache\inner)"));
}

TEST_F(FileKeyCleanerTest, ProtectedPlacesRefuseRecursiveAndEveryFileKeysOnly) {
    sim.files.file(R"(C:\AdwLog-1.txt)").file(R"(C:\boot.log)").file(R"(C:\Data\x.log)");
    load("[Drive *]\nFileKey1=%SystemDrive%|*.log|RECURSE\nFileKey2=%SystemDrive%|*\n"
         "FileKey3=%SystemDrive%|AdwLog-*.txt\nFileKey4=%AppData%|*.tmp|RECURSE\n");
    clean("Drive");
    EXPECT_FALSE(sim.files.exists(R"(C:\AdwLog-1.txt)"));
    EXPECT_TRUE(sim.files.exists(R"(C:\boot.log)"));
    EXPECT_TRUE(sim.files.exists(R"(C:\Data\x.log)"));
    EXPECT_TRUE(sim.files.exists(at("a.tmp")));
    const auto& refused = totals.target(1).refused;
    ASSERT_EQ(refused.size(), 3u);
    EXPECT_EQ(refused[0], (Refusal{R"(C:\)", Outcome::ProtectedPlace, PlaceKind::DriveRoot}));
    EXPECT_EQ(refused[2].place, PlaceKind::KnownFolder);
}

TEST_F(FileKeyCleanerTest, ExclusionsKeepFilesAndTheFoldersHoldingThem) {
    // A folder whose name merely starts like the excluded one's is not excluded.
    sim.files.file(at(R"(Logs2\c.tmp)"));
    load("[Contoso *]\nFileKey1=%AppData%\\Contoso|*|REMOVESELF\n"
         "ExcludeKey1=FILE|%AppData%\\Contoso\\|keep.cfg\n"
         "ExcludeKey2=PATH|%AppData%\\Contoso\\Logs\\|c.*\n");
    clean("Contoso");
    EXPECT_EQ(left(),
              (Paths{at("keep.cfg"), at(R"(Logs\)"), at(R"(Logs\Old\)"), at(R"(Logs\Old\c.tmp)")}));
}

TEST_F(FileKeyCleanerTest, AnExcludedFolderDoesNotExcludeAnotherWhoseNameStartsLikeIt) {
    const std::string beside = R"(C:\Users\Camille\AppData\Roaming2\c.tmp)";
    sim.files.file(beside);
    load("[Contoso *]\nFileKey1=%UserProfile%\\AppData\\Roaming2|*.tmp\n"
         "ExcludeKey1=PATH|%AppData%\\|*.tmp\n");
    clean("Contoso");
    EXPECT_FALSE(sim.files.exists(beside));
}

TEST_F(FileKeyCleanerTest, FilesInUseAreKeptWithTheirReasonAndKeepTheirFolder) {
    sim.files.file(at(R"(Logs\Old\c.tmp)"), {.inUse = true});
    load("[Contoso *]\nFileKey1=%AppData%\\Contoso\\Logs|*|REMOVESELF\n");
    clean("Contoso");
    EXPECT_EQ(tree(at("Logs")), (Paths{at(R"(Logs\Old\)"), at(R"(Logs\Old\c.tmp)")}));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].path, at(R"(Logs\Old\c.tmp)"));
    EXPECT_EQ(frenchKeptReason(kept[0].reason), "en cours d'utilisation");
    EXPECT_EQ(totals.target(1).keptFiles, 1u);
}

TEST_F(FileKeyCleanerTest, AFolderThatCannotBeListedIsReportedNotGuessedAt) {
    sim.files.folder(at("Logs"), {.unlistable = true});
    load("[Contoso *]\nFileKey1=%AppData%\\Contoso|*.tmp|RECURSE\n");
    clean("Contoso");
    EXPECT_TRUE(sim.files.exists(at(R"(Logs\b.tmp)")));
    ASSERT_EQ(totals.target(1).refused.size(), 1u);
    EXPECT_EQ(totals.target(1).refused[0].reason, Outcome::AccessDenied);
}

} // namespace
} // namespace vp::rules::test
