#include "platform/sim/SimFileSystem.h"

#include <gtest/gtest.h>

#include <optional>

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
        .file(R"(C:\T\odd)", {.refusedName = true})
        .file(R"(C:\T\full\x)");
    const auto folder = fs.openFolder(R"(C:\T)");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->deleteFile("ro", std::nullopt), Outcome::AccessDenied);
    EXPECT_EQ(folder->deleteFile("busy", Attr::Archive), Outcome::InUse);
    EXPECT_EQ(fs.attributesOf(R"(C:\T\busy)"), Attr::Archive) << "attributes need no deletion";
    EXPECT_EQ(folder->deleteFile("odd", Attr::Archive), Outcome::Failed);
    EXPECT_FALSE(fs.attributes(R"(C:\T\odd)")) << "its look-up fails, yet it is there";
    EXPECT_EQ(folder->deleteFile("full", Attr::Archive), Outcome::Failed);
    EXPECT_FALSE(folder->removeFolder("full"));
    EXPECT_EQ(folder->probeDeleteFile("ro", Attr::Archive), Outcome::Done);
    EXPECT_EQ(folder->deleteFile("ro", Attr::Archive), Outcome::Done);
    EXPECT_EQ(folder->deleteFile("ro", Attr::Archive), Outcome::Vanished);
    EXPECT_FALSE(fs.openFolder(R"(C:\T\ro)"));
}

TEST(SimFileSystem, AnOpenFolderStaysWithItsFolderWhenItsPathIsSwapped) {
    SimFileSystem fs;
    fs.file(R"(C:\T\sub\f)").file(R"(C:\Docs\f)");
    const auto sub = fs.openFolder(R"(C:\T\sub)");
    ASSERT_TRUE(sub);
    fs.rename(R"(C:\T\sub)", R"(C:\T\moved)").folderLink(R"(C:\T\sub)", R"(C:\Docs)");
    EXPECT_EQ(sub->deleteFile("f", std::nullopt), Outcome::Done);
    EXPECT_FALSE(fs.exists(R"(C:\T\moved\f)"));
    EXPECT_TRUE(fs.exists(R"(C:\Docs\f)"));
    fs.remove(R"(C:\T\moved)");
    EXPECT_FALSE(sub->list()) << "a folder taken away cannot be listed through its handle";
}

TEST(SimFileSystem, LinksAreNeverOpenedDeletedOrRemovedThrough) {
    SimFileSystem fs;
    fs.file(R"(C:\Target\f)")
        .folder(R"(C:\Target\empty)")
        .folderLink(R"(C:\T\link)", R"(C:\Target)")
        .folderLink(R"(C:\T\emptyLink)", R"(C:\Target\empty)")
        .fileLink(R"(C:\T\fileLink)", R"(C:\Target\f)");
    EXPECT_EQ(*fs.attributes(R"(C:\T\link)"), Attr::Directory | Attr::ReparsePoint);
    EXPECT_TRUE(fs.exists(R"(C:\T\link\f)")) << "a path still walks through a link";
    EXPECT_FALSE(fs.openFolder(R"(C:\T\link)"));
    const auto folder = fs.openFolder(R"(C:\T)");
    EXPECT_FALSE(folder->openFolder("link"));
    EXPECT_EQ(folder->deleteFile("fileLink", Attr::Archive), Outcome::Link);
    EXPECT_FALSE(folder->removeFolder("emptyLink"));
    EXPECT_TRUE(fs.exists(R"(C:\Target\f)"));
    EXPECT_TRUE(fs.exists(R"(C:\Target\empty)"));
}

TEST(SimFileSystem, AnItemThatIsNoLongerTheListedOneIsKept) {
    SimFileSystem fs;
    fs.file(R"(C:\T\f)").folder(R"(C:\T\d)");
    const auto folder = fs.openFolder(R"(C:\T)");
    const auto listed = folder->list();
    ASSERT_EQ(listed->size(), 2u);
    fs.file(R"(C:\T\f)").folder(R"(C:\T\d2)").rename(R"(C:\T\d)", R"(C:\T\old)");
    fs.rename(R"(C:\T\d2)", R"(C:\T\d)");
    const DirEntry& d = (*listed)[0].name == "d" ? (*listed)[0] : (*listed)[1];
    const DirEntry& f = (*listed)[0].name == "f" ? (*listed)[0] : (*listed)[1];
    EXPECT_FALSE(folder->openFolder("d", &d));
    EXPECT_EQ(folder->deleteFile("f", Attr::Archive, &f), Outcome::Replaced);
    EXPECT_TRUE(fs.exists(R"(C:\T\f)"));
}

TEST(SimFileSystem, AChangeRunsOnceJustBeforeTheChosenCall) {
    SimFileSystem fs;
    fs.file(R"(C:\T\f)");
    const long start = fs.calls();
    fs.beforeCall(start + 1, [&fs] { fs.remove(R"(C:\T\f)"); });
    const auto folder = fs.openFolder(R"(C:\T)");
    EXPECT_TRUE(fs.exists(R"(C:\T\f)"));
    EXPECT_EQ(folder->deleteFile("f", std::nullopt), Outcome::Vanished);
    EXPECT_EQ(fs.calls(), start + 2);
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

TEST(SimFileSystem, ReplacingContentsRefusesReadOnlyFilesFoldersAndLinks) {
    SimFileSystem fs;
    fs.file(R"(C:\D\ro.txt)", {.attributes = Attr::ReadOnly, .contents = "kept"})
        .file(R"(C:\Elsewhere\precious.txt)", {.contents = "precious"})
        .fileLink(R"(C:\D\link.txt)", R"(C:\Elsewhere\precious.txt)")
        .folder(R"(C:\D\dir.txt)")
        .file(R"(C:\Locked\old.txt)", {.contents = "old"})
        .folder(R"(C:\Locked)", {.noNewFiles = true});
    for (const char* path :
         {R"(C:\D\ro.txt)", R"(C:\D\dir.txt)", R"(C:\Locked\new.txt)", R"(C:\Locked\old.txt)"}) {
        EXPECT_FALSE(fs.replaceFileContents(path, "log")) << path;
    }
    EXPECT_EQ(fs.contents(R"(C:\D\ro.txt)"), "kept");
    EXPECT_EQ(fs.contents(R"(C:\Locked\old.txt)"), "old")
        << "where no new file can be made, the old one stays whole: it is never rewritten";
}

} // namespace
} // namespace vp::sim
