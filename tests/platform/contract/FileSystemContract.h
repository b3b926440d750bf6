// The file service's contract (platform/FileSystem.h), as every platform keeps it: what a
// listing shows, which deletions count as done, what a folder and a link refuse, deletion by
// pattern and the protected places, a replaced file and the probe for a new one. Checked
// through the service itself, so that a layer over a platform is held to what its callers see.
#pragma once

#include "platform/FileSystem.h"
#include "platform/contract/PlatformUnderTest.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace vp::contract {

template <PlatformUnderTest P> class FileSystemContract : public ::testing::Test {
protected:
    std::string at(std::string_view name) const { return root + "\\" + std::string(name); }

    // The root's listing by name; empty when it cannot be listed.
    std::map<std::string, DirEntry> listing(const std::string& path) {
        std::map<std::string, DirEntry> byName;
        for (DirEntry& entry : files.listFolder(path).value_or(std::vector<DirEntry>{})) {
            byName.emplace(entry.name, std::move(entry));
        }
        return byName;
    }
    bool exists(std::string_view name) { return files.attributes(at(name)).has_value(); }

    P platform;
    Platform services = platform.bundle();
    FileSystem& files = services.fileSystem;
    const std::string root = platform.root();
};

TYPED_TEST_SUITE_P(FileSystemContract);

constexpr std::uint32_t Kinds = FileAttribute::Directory | FileAttribute::ReparsePoint;
constexpr std::uint32_t Flags =
    FileAttribute::ReadOnly | FileAttribute::Hidden | FileAttribute::System;

TYPED_TEST_P(FileSystemContract, ListingShowsEveryItemWithItsAttributesAndSize) {
    this->platform.makeFile(this->at("Plain.txt"), {.bytes = "12345"});
    this->platform.makeFile(this->at("hidden.txt"), {.attributes = FileAttribute::Hidden});
    this->platform.makeFile(this->at("system.txt"), {.attributes = FileAttribute::System});
    this->platform.makeFile(this->at("readonly.txt"), {.attributes = FileAttribute::ReadOnly});
    this->platform.makeFolder(this->at("Sub"));
    this->platform.makeFile(this->at("Sub\\inner.txt"), {});

    const auto listed = this->listing(this->root);
    ASSERT_EQ(listed.size(), 5u) << "the folder's own items, nothing below, no . or ..";
    const auto bits = [&](const char* name) {
        return listed.count(name) != 0 ? listed.at(name).attributes & (Kinds | Flags) : ~0u;
    };
    EXPECT_EQ(bits("Plain.txt"), 0u);
    EXPECT_EQ(bits("hidden.txt"), FileAttribute::Hidden);
    EXPECT_EQ(bits("system.txt"), FileAttribute::System);
    EXPECT_EQ(bits("readonly.txt"), FileAttribute::ReadOnly);
    EXPECT_EQ(bits("Sub"), FileAttribute::Directory);
    ASSERT_EQ(listed.count("Plain.txt"), 1u) << "names as written";
    EXPECT_EQ(listed.at("Plain.txt").size, 5u);
    EXPECT_EQ(this->files.attributes(this->at("sub")).value_or(0) & Kinds, FileAttribute::Directory)
        << "looked up without regard to case";
}

TYPED_TEST_P(FileSystemContract, NothingOpensOrListsWhereNoFolderIs) {
    this->platform.makeFile(this->at("file.txt"), {});
    for (const std::string& path : {std::string(), this->at("missing"), this->at("file.txt")}) {
        EXPECT_EQ(this->files.listFolder(path), std::nullopt) << "'" << path << "'";
        EXPECT_EQ(this->files.openFolder(path), nullptr) << "'" << path << "'";
    }
    EXPECT_EQ(this->files.attributes(this->at("missing")), std::nullopt);
    const auto folder = this->files.openFolder(this->root);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->openFolder("missing"), nullptr);
    EXPECT_EQ(folder->openFolder("file.txt"), nullptr);
    EXPECT_FALSE(folder->removeFolder("missing"));
    EXPECT_EQ(folder->deleteFile("missing", std::nullopt), Outcome::Vanished);
}

TYPED_TEST_P(FileSystemContract, ADeletedFileIsGoneAndAProbeChangesNothing) {
    this->platform.makeFile(this->at("a.txt"), {});
    const auto folder = this->files.openFolder(this->root);
    ASSERT_NE(folder, nullptr);
    const auto listed = folder->list();
    ASSERT_TRUE(listed && listed->size() == 1u);

    EXPECT_EQ(folder->probeDeleteFile("a.txt", std::nullopt, &listed->front()), Outcome::Done);
    EXPECT_TRUE(this->exists("a.txt")) << "a probe deletes nothing";
    EXPECT_EQ(folder->deleteFile("a.txt", std::nullopt, &listed->front()), Outcome::Done);
    EXPECT_FALSE(this->exists("a.txt"));
    EXPECT_TRUE(this->listing(this->root).empty());
    EXPECT_EQ(folder->deleteFile("a.txt", std::nullopt), Outcome::Vanished)
        << "nothing there is not a deletion";
}

TYPED_TEST_P(FileSystemContract, AFileHeldOpenIsInUseAndStays) {
    this->platform.makeFile(this->at("held.txt"), {.heldOpen = true});
    const auto folder = this->files.openFolder(this->root);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->probeDeleteFile("held.txt", std::nullopt), Outcome::InUse);
    EXPECT_EQ(folder->deleteFile("held.txt", std::nullopt), Outcome::InUse);
    EXPECT_TRUE(this->exists("held.txt"));
}

TYPED_TEST_P(FileSystemContract, AFileMadeHiddenOrSystemSinceItsListingIsKept) {
    this->platform.makeFile(this->at("hidden.txt"), {});
    this->platform.makeFile(this->at("system.txt"), {});
    const auto folder = this->files.openFolder(this->root);
    ASSERT_NE(folder, nullptr);
    const auto listed = folder->list();
    ASSERT_TRUE(listed && listed->size() == 2u);
    this->platform.setAttributes(this->at("hidden.txt"), FileAttribute::Hidden);
    this->platform.setAttributes(this->at("system.txt"), FileAttribute::System);
    for (const DirEntry& entry : *listed) {
        EXPECT_EQ(folder->deleteFile(entry.name, FileAttribute::Archive, &entry),
                  Outcome::HiddenOrSystem)
            << entry.name;
        EXPECT_TRUE(this->exists(entry.name)) << entry.name;
    }
}

TYPED_TEST_P(FileSystemContract, AReadOnlyFileGoesOnlyWithNewAttributes) {
    this->platform.makeFile(this->at("ro.txt"), {.attributes = FileAttribute::ReadOnly});
    const auto folder = this->files.openFolder(this->root);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->deleteFile("ro.txt", std::nullopt), Outcome::AccessDenied);
    EXPECT_TRUE(this->exists("ro.txt"));
    EXPECT_EQ(folder->deleteFile("ro.txt", FileAttribute::Archive), Outcome::Done);
    EXPECT_FALSE(this->exists("ro.txt"));
}

TYPED_TEST_P(FileSystemContract, OnlyAnEmptyFolderIsRemovedAndNeverAsAFile) {
    this->platform.makeFolder(this->at("empty"));
    this->platform.makeFolder(this->at("full"));
    this->platform.makeFile(this->at("full\\kept.txt"), {});
    this->platform.makeFile(this->at("file.txt"), {});
    const auto folder = this->files.openFolder(this->root);
    ASSERT_NE(folder, nullptr);

    EXPECT_TRUE(folder->probeRemoveFolder("empty"));
    EXPECT_FALSE(folder->probeRemoveFolder("full"));
    EXPECT_TRUE(folder->probeRemoveEmptiedFolder("full"));
    EXPECT_TRUE(this->exists("empty")) << "probes remove nothing";
    EXPECT_TRUE(folder->removeFolder("empty"));
    EXPECT_FALSE(this->exists("empty"));
    EXPECT_FALSE(folder->removeFolder("full"));
    EXPECT_FALSE(folder->removeFolder("file.txt"));
    const Outcome folderAsFile = folder->deleteFile("full", std::nullopt);
    EXPECT_NE(folderAsFile, Outcome::Done);
    EXPECT_NE(folderAsFile, Outcome::Vanished);
    EXPECT_TRUE(this->exists("full\\kept.txt"));
    EXPECT_TRUE(this->exists("file.txt"));
}

TYPED_TEST_P(FileSystemContract, AFolderLinkIsListedButNeverEnteredOrRemoved) {
    this->platform.makeFolder(this->at("target"));
    this->platform.makeFile(this->at("target\\kept.txt"), {});
    if (!this->platform.makeFolderLink(this->at("link"), this->at("target"))) {
        GTEST_SKIP() << "this platform makes no folder link here";
    }
    const auto listed = this->listing(this->root);
    ASSERT_EQ(listed.count("link"), 1u);
    EXPECT_EQ(listed.at("link").attributes & Kinds, Kinds);
    EXPECT_EQ(this->files.openFolder(this->at("link")), nullptr);
    const auto folder = this->files.openFolder(this->root);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->openFolder("link", &listed.at("link")), nullptr);
    EXPECT_FALSE(folder->removeFolder("link"));
    EXPECT_NE(folder->deleteFile("link", std::nullopt), Outcome::Done);
    EXPECT_TRUE(this->exists("target\\kept.txt"));
}

TYPED_TEST_P(FileSystemContract, AFileLinkIsNeverDeletedThrough) {
    this->platform.makeFolder(this->at("target"));
    this->platform.makeFile(this->at("target\\kept.txt"), {.bytes = "kept"});
    if (!this->platform.makeFileLink(this->at("link.txt"), this->at("target\\kept.txt"))) {
        GTEST_SKIP() << "this platform makes no file link here";
    }
    const auto listed = this->listing(this->root);
    ASSERT_EQ(listed.count("link.txt"), 1u);
    EXPECT_EQ(listed.at("link.txt").attributes & Kinds, FileAttribute::ReparsePoint);
    const auto folder = this->files.openFolder(this->root);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->deleteFile("link.txt", FileAttribute::Archive, &listed.at("link.txt")),
              Outcome::Link);
    EXPECT_FALSE(this->files.deleteMatchingFiles(this->at("link.txt"), true))
        << "links never match";
    EXPECT_EQ(this->platform.contents(this->at("target\\kept.txt")), "kept");
}

TYPED_TEST_P(FileSystemContract, WildcardsDeleteMatchingVisibleFilesOnly) {
    this->platform.makeFile(this->at("a.tmp"), {.bytes = "123"});
    this->platform.makeFile(this->at("B.TMP"), {.bytes = "1234"});
    this->platform.makeFile(this->at("c.txt"), {});
    this->platform.makeFile(this->at("h.tmp"), {.attributes = FileAttribute::Hidden});
    this->platform.makeFolder(this->at("d.tmp"));

    FileTally tally;
    EXPECT_TRUE(this->files.deleteMatchingFiles(this->at("*.tmp"), false, &tally));
    EXPECT_EQ(tally.deleted, 2u);
    EXPECT_EQ(tally.bytes, 7u);
    EXPECT_EQ(tally.kept, 0u);
    EXPECT_FALSE(this->exists("a.tmp"));
    EXPECT_FALSE(this->exists("B.TMP"));
    EXPECT_TRUE(this->exists("c.txt") && this->exists("h.tmp") && this->exists("d.tmp"));

    EXPECT_FALSE(this->files.deleteMatchingFiles(this->at("*.tmp"), false)) << "none left";
    EXPECT_TRUE(this->files.deleteMatchingFiles(this->at("H.tmp"), false))
        << "a name without wildcards deletes its file, hidden or not";
    EXPECT_FALSE(this->exists("h.tmp"));
    EXPECT_FALSE(this->files.deleteMatchingFiles(this->at("missing\\*.*"), false));
}

TYPED_TEST_P(FileSystemContract, AReadOnlyMatchGoesOnlyWhenForced) {
    this->platform.makeFile(this->at("ro.tmp"), {.attributes = FileAttribute::ReadOnly});
    FileTally tally;
    EXPECT_FALSE(this->files.deleteMatchingFiles(this->at("*.tmp"), false, &tally));
    EXPECT_EQ(tally.kept, 1u);
    EXPECT_TRUE(this->exists("ro.tmp"));
    EXPECT_TRUE(this->files.deleteMatchingFiles(this->at("*.tmp"), true));
    EXPECT_FALSE(this->exists("ro.tmp"));
}

TYPED_TEST_P(FileSystemContract, WildcardsAreRefusedInADriveRoot) {
    FileTally tally;
    EXPECT_FALSE(this->files.deleteMatchingFiles("C:\\*.vp-contract", false, &tally));
    ASSERT_TRUE(tally.refused.has_value());
    EXPECT_EQ(tally.refused->reason, Outcome::ProtectedPlace);
    EXPECT_EQ(tally.refused->place, PlaceKind::DriveRoot);
}

TYPED_TEST_P(FileSystemContract, AReplacedFileHoldsTheNewContentAloneWithNoHelperLeft) {
    const std::string file = this->at("saved.txt");
    EXPECT_TRUE(this->files.replaceFileContents(file, "first, longer"));
    EXPECT_TRUE(this->files.replaceFileContents(file, "second"));
    if constexpr (TypeParam::writesFiles) {
        EXPECT_EQ(this->platform.contents(file), "second");
        const auto listed = this->listing(this->root);
        ASSERT_EQ(listed.size(), 1u) << "no helper file stays beside it";
        EXPECT_EQ(listed.begin()->first, "saved.txt");
    }

    this->platform.makeFile(this->at("ro.txt"),
                            {.bytes = "old", .attributes = FileAttribute::ReadOnly});
    this->platform.makeFolder(this->at("folder"));
    EXPECT_FALSE(this->files.replaceFileContents(this->at("ro.txt"), "new"));
    EXPECT_EQ(this->platform.contents(this->at("ro.txt")), "old");
    EXPECT_FALSE(this->files.replaceFileContents(this->at("folder"), "new"));
    EXPECT_FALSE(this->files.replaceFileContents(this->at("folder\\"), "new"));
}

TYPED_TEST_P(FileSystemContract, ANewFileCanBeMadeOnlyInAFolderAndNoneIsLeft) {
    this->platform.makeFile(this->at("file.txt"), {});
    EXPECT_TRUE(this->files.canMakeFileIn(this->root));
    EXPECT_FALSE(this->files.canMakeFileIn(this->at("missing")));
    EXPECT_FALSE(this->files.canMakeFileIn(this->at("file.txt")));
    EXPECT_EQ(this->listing(this->root).size(), 1u) << "the probe's file is gone again";
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, ListingShowsEveryItemWithItsAttributesAndSize,
                            NothingOpensOrListsWhereNoFolderIs,
                            ADeletedFileIsGoneAndAProbeChangesNothing, AFileHeldOpenIsInUseAndStays,
                            AFileMadeHiddenOrSystemSinceItsListingIsKept,
                            AReadOnlyFileGoesOnlyWithNewAttributes,
                            OnlyAnEmptyFolderIsRemovedAndNeverAsAFile,
                            AFolderLinkIsListedButNeverEnteredOrRemoved,
                            AFileLinkIsNeverDeletedThrough, WildcardsDeleteMatchingVisibleFilesOnly,
                            AReadOnlyMatchGoesOnlyWhenForced, WildcardsAreRefusedInADriveRoot,
                            AReplacedFileHoldsTheNewContentAloneWithNoHelperLeft,
                            ANewFileCanBeMadeOnlyInAFolderAndNoneIsLeft);

} // namespace vp::contract
