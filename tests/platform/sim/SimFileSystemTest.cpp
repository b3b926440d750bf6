#include "platform/sim/SimFileSystem.h"

#include <gtest/gtest.h>

namespace vp::sim {
namespace {

namespace Attr = FileAttribute;

TEST(SimFileSystem, NamesCompareWithoutCaseButKeepHowTheyWereWritten) {
    SimFileSystem fs;
    fs.file(R"(C:\Docs\Rapport Été.TXT)");
    EXPECT_TRUE(fs.exists(R"(c:\docs\rapport été.txt)"));
    const auto entries = fs.listFolder(R"(C:\DOCS\)");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ((*entries)[0].name, "Rapport Été.TXT");
}

TEST(SimFileSystem, DeletionAndRemovalRefuseWhatWindowsRefuses) {
    SimFileSystem fs;
    fs.file(R"(C:\T\ro)", {.attributes = Attr::ReadOnly})
        .file(R"(C:\T\busy)", {.inUse = true})
        .file(R"(C:\T\full\x)");
    EXPECT_FALSE(fs.deleteFile(R"(C:\T\ro)"));
    EXPECT_FALSE(fs.deleteFile(R"(C:\T\busy)"));
    EXPECT_FALSE(fs.deleteFile(R"(C:\T\full)"));
    EXPECT_FALSE(fs.removeFolder(R"(C:\T\full)"));
    EXPECT_FALSE(fs.removeFolder(R"(C:\)"));
    EXPECT_TRUE(fs.setAttributes(R"(C:\T\ro)", Attr::Archive));
    EXPECT_TRUE(fs.deleteFile(R"(C:\T\ro)"));
    EXPECT_FALSE(fs.setAttributes(R"(C:\T\ro)", Attr::Archive));
}

TEST(SimFileSystem, LinksAreWalkedThroughButRemovedThemselves) {
    SimFileSystem fs;
    fs.file(R"(C:\Target\f)").folderLink(R"(C:\T\link)", R"(C:\Target)");
    EXPECT_EQ(*fs.attributes(R"(C:\T\link)"), Attr::Directory | Attr::ReparsePoint);
    EXPECT_EQ(fs.listFolder(R"(C:\T\link)")->size(), 1u);
    EXPECT_TRUE(fs.exists(R"(C:\T\link\f)"));
    EXPECT_TRUE(fs.removeFolder(R"(C:\T\link)"));
    EXPECT_TRUE(fs.exists(R"(C:\Target\f)"));
}

TEST(SimFileSystem, ALinkLoopEndsInsteadOfResolvingForever) {
    SimFileSystem fs;
    fs.folderLink(R"(C:\a)", R"(C:\b)").folderLink(R"(C:\b)", R"(C:\a)");
    EXPECT_FALSE(fs.listFolder(R"(C:\a)"));
    EXPECT_FALSE(fs.exists(R"(C:\a\x)"));
}

TEST(SimFileSystem, ReplacingContentsLeavesTheOldFileWhenTheWriteFails) {
    SimFileSystem fs;
    fs.file(R"(C:\log.txt)", {.contents = "old"});
    fs.refuseWrites(true);
    EXPECT_FALSE(fs.replaceFileContents(R"(C:\log.txt)", "new"));
    EXPECT_EQ(fs.contents(R"(C:\log.txt)"), "old");
    fs.refuseWrites(false);
    EXPECT_TRUE(fs.replaceFileContents(R"(C:\log.txt)", "new"));
    EXPECT_EQ(fs.contents(R"(C:\log.txt)"), "new");
    EXPECT_FALSE(fs.replaceFileContents(R"(C:\NoSuchFolder\log.txt)", "x"));
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
} // namespace vp::sim
