// The file-system object's shared routines: DeleteFile (deleteMatchingFiles) over the simulated
// file system, and the wildcard match it selects names with.
#include "platform/FileSystem.h"
#include "platform/sim/SimFileSystem.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

using sim::SimFileSystem;

namespace Attr = FileAttribute;

class DeleteFileTest : public ::testing::Test {
protected:
    SimFileSystem fs;
    std::vector<std::string> left() const { return fs.tree(R"(C:\D)"); }
};

TEST_F(DeleteFileTest, TheLastPartSelectsByWildcardAndNothingElseGoes) {
    fs.file(R"(C:\D\a.log)")
        .file(R"(C:\D\B.LOG)")
        .file(R"(C:\D\c.txt)")
        .file(R"(C:\D\d.log.txt)")
        .file(R"(C:\D\sub\e.log)");
    EXPECT_TRUE(fs.deleteMatchingFiles(R"(C:\D\*.log)", true));
    EXPECT_EQ(left(), (std::vector<std::string>{R"(C:\D\c.txt)", R"(C:\D\d.log.txt)",
                                                R"(C:\D\sub\)", R"(C:\D\sub\e.log)"}))
        << "only files directly in the folder, and only those matching";

    fs.file(R"(C:\D\x1.pf)").file(R"(C:\D\x22.pf)").file(R"(C:\D\x.pf)");
    EXPECT_TRUE(fs.deleteMatchingFiles(R"(C:\D\x?.pf)", true));
    EXPECT_TRUE(fs.exists(R"(C:\D\x22.pf)"));
    EXPECT_TRUE(fs.exists(R"(C:\D\x.pf)"));
    EXPECT_FALSE(fs.exists(R"(C:\D\x1.pf)"));

    EXPECT_TRUE(fs.deleteMatchingFiles(R"(C:\D\c.txt)", true)) << "a plain name";
    EXPECT_TRUE(fs.deleteMatchingFiles(R"(C:\D\*.*)", true));
    EXPECT_EQ(left(), (std::vector<std::string>{R"(C:\D\sub\)", R"(C:\D\sub\e.log)"}));
}

TEST_F(DeleteFileTest, ANameWithoutWildcardsDeletesItsFileWhateverItsAttributes) {
    fs.file(R"(C:\D\hidden.dat)", {.attributes = Attr::Hidden | Attr::ReadOnly})
        .file(R"(C:\D\system.dat)", {.attributes = Attr::System});
    EXPECT_TRUE(fs.deleteMatchingFiles(R"(C:\D\HIDDEN.DAT)", true));
    EXPECT_TRUE(fs.deleteMatchingFiles(R"(C:\D\system.dat)", true));
    EXPECT_TRUE(left().empty());
}

TEST_F(DeleteFileTest, WildcardsNeverEmptyAProtectedPlace) {
    fs.protectedPlace(R"(C:\WINDOWS)", PlaceKind::Windows)
        .file(R"(C:\boot.ini)")
        .file(R"(C:\WINDOWS\win.ini)")
        .file(R"(C:\WINDOWS\Prefetch\a.pf)")
        .file(R"(C:\WINDOWS\Prefetch\b.pf)");
    for (const auto& [pattern, kind] : std::vector<std::pair<std::string, PlaceKind>>{
             {R"(C:\*.*)", PlaceKind::DriveRoot},
             {R"(C:\WINDOWS\*.ini)", PlaceKind::Windows},
             {R"(C:\WINDOWS\Prefetch\..\*.*)", PlaceKind::Windows}}) {
        FileTally tally;
        EXPECT_FALSE(fs.deleteMatchingFiles(pattern, true, &tally)) << pattern;
        ASSERT_TRUE(tally.refused) << pattern;
        EXPECT_EQ(tally.refused->place, kind) << pattern;
    }
    EXPECT_TRUE(fs.exists(R"(C:\boot.ini)"));
    EXPECT_TRUE(fs.exists(R"(C:\WINDOWS\win.ini)"));
    EXPECT_TRUE(fs.deleteMatchingFiles(R"(C:\WINDOWS\Prefetch\*.pf)", true))
        << "below a protected place";
    EXPECT_TRUE(fs.tree(R"(C:\WINDOWS\Prefetch)").empty());
}

TEST_F(DeleteFileTest, ForceTakesReadOnlyFilesHiddenAndSystemOnesAreNotMatched) {
    fs.file(R"(C:\D\ro.pf)", {.attributes = Attr::ReadOnly})
        .file(R"(C:\D\hidden.pf)", {.attributes = Attr::Hidden})
        .file(R"(C:\D\system.pf)", {.attributes = Attr::System});
    EXPECT_FALSE(fs.deleteMatchingFiles(R"(C:\D\ro.pf)", false));
    EXPECT_TRUE(fs.exists(R"(C:\D\ro.pf)"));
    EXPECT_TRUE(fs.deleteMatchingFiles(R"(C:\D\*.pf)", true));
    EXPECT_EQ(left(), (std::vector<std::string>{R"(C:\D\hidden.pf)", R"(C:\D\system.pf)"}));
    EXPECT_FALSE(fs.deleteMatchingFiles(R"(C:\D\*.pf)", true)) << "nothing left that matches";
}

TEST_F(DeleteFileTest, FailsWhenNothingMatchesOrTheFolderIsMissingOrUnusable) {
    fs.file(R"(C:\D\keep.txt)")
        .folder(R"(C:\D\folder.log)")
        .file(R"(C:\Locked\a.log)")
        .folder(R"(C:\Locked)", {.unlistable = true});
    for (const char* pattern : {R"(C:\D\*.log)", R"(C:\Missing\*.*)", R"(C:\D\keep.txt\*.*)",
                                R"(C:\Locked\*.log)", R"(\D\*.*)", R"(C:\D\)", ""}) {
        EXPECT_FALSE(fs.deleteMatchingFiles(pattern, true)) << pattern;
    }
    EXPECT_EQ(left(), (std::vector<std::string>{R"(C:\D\folder.log\)", R"(C:\D\keep.txt)"}));
    EXPECT_TRUE(fs.exists(R"(C:\Locked\a.log)"));
}

TEST_F(DeleteFileTest, StopsAtTheFirstFileItCannotDeleteLeavingTheRest) {
    fs.file(R"(C:\D\a.log)").file(R"(C:\D\b.log)", {.inUse = true}).file(R"(C:\D\c.log)");
    EXPECT_FALSE(fs.deleteMatchingFiles(R"(C:\D\*.log)", true));
    EXPECT_EQ(left(), (std::vector<std::string>{R"(C:\D\b.log)", R"(C:\D\c.log)"}));
}

TEST_F(DeleteFileTest, AFileSwappedForALinkBetweenMatchAndDeletionIsNotDeletedThrough) {
    fs.file(R"(C:\D\a.log)").file(R"(C:\D\b.log)").file(R"(C:\Docs\letter.log)");
    fs.fileLink(R"(C:\D\planted.log)", R"(C:\Docs\letter.log)");
    // Once the folder is listed, b.log becomes a link to the user's letter.
    fs.beforeCall(fs.calls() + 2, [this] {
        fs.remove(R"(C:\D\b.log)").fileLink(R"(C:\D\b.log)", R"(C:\Docs\letter.log)");
    });
    EXPECT_FALSE(fs.deleteMatchingFiles(R"(C:\D\*.log)", true));
    EXPECT_TRUE(fs.exists(R"(C:\Docs\letter.log)"));
    EXPECT_FALSE(fs.exists(R"(C:\D\a.log)"));
}

TEST(Wildcards, MatchAsTheFileSystemObjectDoes) {
    EXPECT_TRUE(wildcardMatch("*.log", "Azureus.LOG"));
    EXPECT_FALSE(wildcardMatch("*.log", "notes.txt"));
    EXPECT_FALSE(wildcardMatch("*.log", "a.log.txt"));
    EXPECT_TRUE(wildcardMatch("*.*", "README"));
    EXPECT_TRUE(wildcardMatch("a?c.pf", "abc.pf"));
    EXPECT_TRUE(wildcardMatch("a?c.pf", "aéc.pf"));
    EXPECT_FALSE(wildcardMatch("a?c.pf", "ac.pf"));
    EXPECT_TRUE(wildcardMatch("*a*b*", "xxaYYbzz"));
}

} // namespace
} // namespace vp
