// The preview's services one by one: each change is answered as the system would answer it,
// later reads see it, and the system itself is left exactly as it was.
#include "platform/CacheEntryInfo.h"
#include "platform/preview/PreviewPlatform.h"
#include "platform/sim/SimPlatform.h"
#include "registry/RegistryHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace vp::preview {
namespace {

namespace Attr = FileAttribute;

class PreviewServicesTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    Platform real = sim.bundle();
    PreviewPlatform preview{real};
    Platform shown = preview.bundle();

    static std::vector<std::string> names(Folder& folder) {
        std::vector<std::string> out;
        for (const DirEntry& entry : folder.list().value_or(std::vector<DirEntry>{})) {
            out.push_back(entry.name);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    // Every source URL name a search of `cache` finds, by the two-call protocol.
    static std::vector<std::string> enumerate(InternetCache& cache) {
        std::vector<std::string> out;
        std::vector<std::uint64_t> buffer(512);
        const auto at = reinterpret_cast<std::uintptr_t>(buffer.data());
        auto name = [&] {
            CacheEntryInfo info{};
            std::memcpy(&info, buffer.data(), sizeof info);
            return std::string(reinterpret_cast<const char*>(info.sourceUrlName));
        };
        std::int32_t size = 0;
        cache.findFirstEntry(0, size);
        size = 4096;
        const CacheSearchHandle search = cache.findFirstEntry(at, size);
        if (search == 0) {
            return out;
        }
        out.push_back(name());
        while (true) {
            size = 0;
            cache.findNextEntry(search, 0, size);
            if (size <= 0) {
                break;
            }
            size = 4096;
            if (!cache.findNextEntry(search, at, size)) {
                break;
            }
            out.push_back(name());
        }
        cache.findClose(search);
        return out;
    }
};

TEST_F(PreviewServicesTest, FilesGoneForLaterReadsWhileTheDiskStaysAsItWas) {
    sim.files.file(R"(C:\t\a.txt)")
        .file(R"(C:\t\ro.txt)", {.attributes = Attr::ReadOnly})
        .file(R"(C:\t\used.txt)", {.attributes = Attr::ReadOnly, .inUse = true})
        .file(R"(C:\t\sub\x.txt)")
        .file(R"(C:\t\keep\h.txt)", {.attributes = Attr::Hidden})
        .folder(R"(C:\t\busy)", {.inUse = true})
        .file(R"(C:\t\busy\y.txt)");
    const std::string before = sim.files.snapshot("C:\\");

    auto folder = shown.fileSystem.openFolder(R"(C:\t)");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->deleteFile("a.txt", std::nullopt), Outcome::Done);
    EXPECT_EQ(folder->deleteFile("A.TXT", std::nullopt), Outcome::Vanished);
    EXPECT_EQ(folder->deleteFile("ro.txt", std::nullopt), Outcome::AccessDenied);
    EXPECT_EQ(folder->deleteFile("ro.txt", Attr::Archive), Outcome::Done);
    EXPECT_EQ(folder->deleteFile("used.txt", Attr::Archive), Outcome::InUse);
    EXPECT_EQ(names(*folder), (std::vector<std::string>{"busy", "keep", "sub", "used.txt"}));
    // The file in use took its new attributes, as it would have.
    EXPECT_EQ(shown.fileSystem.attributes(R"(C:\t\used.txt)"), Attr::Archive);

    EXPECT_FALSE(folder->removeFolder("sub")); // it still holds x.txt
    {
        auto sub = folder->openFolder("sub");
        ASSERT_TRUE(sub);
        ASSERT_EQ(names(*sub), std::vector<std::string>{"x.txt"});
        EXPECT_EQ(sub->deleteFile("x.txt", std::nullopt), Outcome::Done);
        EXPECT_TRUE(names(*sub).empty());
    }
    EXPECT_TRUE(folder->removeFolder("sub")); // emptied in the preview
    EXPECT_FALSE(folder->openFolder("sub"));
    EXPECT_FALSE(shown.fileSystem.openFolder(R"(C:\t\sub)"));
    EXPECT_EQ(shown.fileSystem.attributes(R"(C:\T\SUB\x.txt)"), std::nullopt);
    EXPECT_FALSE(folder->removeFolder("keep")); // the hidden file stays in it
    {
        auto busy = folder->openFolder("busy");
        EXPECT_EQ(busy->deleteFile("y.txt", std::nullopt), Outcome::Done);
    }
    EXPECT_FALSE(folder->removeFolder("busy")); // emptied, but in use
    EXPECT_EQ(names(*folder), (std::vector<std::string>{"busy", "keep", "used.txt"}));

    EXPECT_EQ(sim.files.snapshot("C:\\"), before);
    EXPECT_EQ(sim.files.counters().deleteFile, 0);
    EXPECT_EQ(sim.files.counters().removeFolder, 0);
    EXPECT_EQ(sim.files.counters().setAttributes, 0);
}

TEST_F(PreviewServicesTest, AFileThePreviewMadeHiddenSinceItsListingIsKept) {
    sim.files.file(R"(C:\t\used.txt)", {.inUse = true});
    auto folder = shown.fileSystem.openFolder(R"(C:\t)");
    ASSERT_TRUE(folder);
    const auto listed = folder->list();
    ASSERT_TRUE(listed && listed->size() == 1);
    // In use, it still takes the attributes it is given: from now on it is hidden.
    EXPECT_EQ(folder->deleteFile("used.txt", Attr::Hidden), Outcome::InUse);
    EXPECT_EQ(folder->deleteFile("used.txt", std::nullopt, &listed->front()),
              Outcome::HiddenOrSystem);
    EXPECT_EQ(sim.files.counters().setAttributes, 0);
}

TEST_F(PreviewServicesTest, WritesAreAnsweredAndRecordedButNotMade) {
    sim.files.file(R"(C:\logs\old.txt)", {.attributes = Attr::ReadOnly}).folder(R"(C:\logs\dir)");
    const std::string before = sim.files.snapshot("C:\\");
    EXPECT_TRUE(shown.fileSystem.replaceFileContents(R"(C:\logs\new.txt)", "bytes"));
    EXPECT_FALSE(shown.fileSystem.replaceFileContents(R"(C:\logs\old.txt)", "bytes"));
    EXPECT_FALSE(shown.fileSystem.replaceFileContents(R"(C:\logs\dir)", "bytes"));
    EXPECT_FALSE(shown.fileSystem.replaceFileContents(R"(C:\logs\new\)", "bytes")); // a folder's
    EXPECT_EQ(sim.files.snapshot("C:\\"), before);
    EXPECT_EQ(preview.files.overlay().writes.size(), 4u);
}

TEST_F(PreviewServicesTest, RegistryValuesDeletedReadAsMissingWhereTheKeyAllowsIt) {
    const std::string key = R"(Software\WinRAR\ArcHistory)";
    const std::string locked = R"(Software\Locked)";
    sim.registry.setString(key, "0", "a.rar").setString(key, "1", "b.rar");
    sim.registry.setString(locked, "0", "c.rar").readOnly(locked);
    const std::string before = sim.registry.exportRegText();

    EXPECT_TRUE(DeleteRegValue(shown, CurrentUserHive, key, "0"));
    EXPECT_FALSE(DeleteRegValue(shown, CurrentUserHive, key, "0"));    // gone already
    EXPECT_FALSE(DeleteRegValue(shown, CurrentUserHive, key, "7"));    // never there
    EXPECT_FALSE(DeleteRegValue(shown, CurrentUserHive, locked, "0")); // key refuses
    EXPECT_EQ(GetRegString(shown, CurrentUserHive, key + '\\', "0", "none"), "none");
    EXPECT_EQ(GetRegString(shown, CurrentUserHive, "software\\winrar\\archistory", "1", ""),
              "b.rar");

    // A key opened for reading only refuses the deletion, as the registry would.
    RegHandle handle = 0;
    ASSERT_EQ(shown.registry.openKey(CurrentUserHive, key, 0, sim::KEY_READ, handle),
              RegStatus::Success);
    EXPECT_EQ(shown.registry.deleteValue(handle, "1"), RegStatus::AccessDenied);
    shown.registry.closeKey(handle);

    EXPECT_EQ(sim.registry.exportRegText(), before);
    EXPECT_EQ(sim.registry.openHandles(), 0);
    EXPECT_EQ(preview.registry.valuesDeleted(), 1u);
}

TEST_F(PreviewServicesTest, CacheEntriesDeletedLeaveSearchesAndTakeTheirFileAlong) {
    sim.files.file(R"(C:\cache\a.gif)", {.contents = "aaaa"})
        .file(R"(C:\cache\b.gif)")
        .file(R"(C:\cache\c.gif)");
    sim.internetCache.entry("http://a/", {.localFile = R"(C:\cache\a.gif)"})
        .entry("http://b/", {.localFile = R"(C:\cache\b.gif)", .inUse = true})
        .entry("http://c/", {.localFile = R"(C:\cache\c.gif)", .growBy = 9});

    EXPECT_EQ(shown.internetCache.inspectEntry("http://a/")->size, 4u);
    EXPECT_TRUE(shown.internetCache.deleteEntry("http://a/"));
    EXPECT_FALSE(shown.internetCache.deleteEntry("http://a/")); // gone already
    EXPECT_FALSE(shown.internetCache.deleteEntry("http://b/")); // in use
    EXPECT_FALSE(shown.internetCache.deleteEntry("http://z/")); // never there
    EXPECT_EQ(shown.internetCache.inspectEntry("http://a/"), std::nullopt);

    EXPECT_EQ(enumerate(shown.internetCache), (std::vector<std::string>{"http://b/", "http://c/"}));
    EXPECT_TRUE(shown.internetCache.deleteEntry("http://c/"));
    EXPECT_EQ(enumerate(shown.internetCache), std::vector<std::string>{"http://b/"});
    EXPECT_EQ(shown.fileSystem.listFolder(R"(C:\cache)")->size(), 1u);

    EXPECT_EQ(sim.internetCache.names(),
              (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
    EXPECT_EQ(sim.internetCache.openSearches(), 0);
    EXPECT_TRUE(sim.files.exists(R"(C:\cache\a.gif)"));
}

TEST_F(PreviewServicesTest, ACacheNeverUsedStaysWithoutAStore) {
    sim.internetCache.withoutStore();
    EXPECT_TRUE(enumerate(shown.internetCache).empty());
    EXPECT_FALSE(sim.internetCache.storeExists()); // the search was not passed on
    EXPECT_EQ(sim.internetCache.counters().findFirst, 0);
    enumerate(real.internetCache);
    EXPECT_TRUE(sim.internetCache.storeExists()); // as a real search would have made it
}

TEST_F(PreviewServicesTest, AnEmptiedBinHoldsWhatTheShellCannotRemove) {
    sim.shell.recycled(R"(C:\x)", 10).recycled(R"(C:\folder)", 0, true).recycled(R"(D:\y)", 20);
    EXPECT_EQ(shown.shell.emptyRecycleBin(0, "D:\\", 1), 0);
    EXPECT_EQ(shown.shell.queryRecycleBin(""), (RecycleBinContents{2, 10}));
    EXPECT_EQ(shown.shell.emptyRecycleBin(0, "", 1), 0);
    EXPECT_EQ(shown.shell.queryRecycleBin(""), (RecycleBinContents{1, 0}));
    // The real bin, emptied, holds the same.
    sim.shell.emptyRecycleBin(0, "", 1);
    EXPECT_EQ(sim.shell.queryRecycleBin(""), (RecycleBinContents{1, 0}));
}

TEST_F(PreviewServicesTest, BinHistoryAndPagesAreOnlyRecorded) {
    sim.shell.recycled(R"(C:\x)", 10).recycled(R"(D:\y)", 20);
    sim.urlHistory.visit("http://v/");
    EXPECT_EQ(shown.shell.queryRecycleBin(""), (RecycleBinContents{2, 30}));
    EXPECT_EQ(shown.shell.emptyRecycleBin(0, "D:\\", 1), 0);
    EXPECT_EQ(shown.shell.queryRecycleBin(""), (RecycleBinContents{1, 10}));
    EXPECT_EQ(shown.shell.emptyRecycleBin(0, "", 1), 0);
    EXPECT_EQ(shown.shell.queryRecycleBin("C:\\"), (RecycleBinContents{}));
    EXPECT_TRUE(shown.urlHistory.clearHistory());
    EXPECT_GT(shown.shell.execute(0, "open", "http://page/", "", "", 1), 32);

    EXPECT_EQ(sim.shell.recycleBinItems().size(), 2u);
    EXPECT_TRUE(sim.shell.emptyCalls().empty());
    EXPECT_TRUE(sim.shell.executed().empty());
    EXPECT_EQ(sim.urlHistory.urls(), std::vector<std::string>{"http://v/"});
    EXPECT_TRUE(preview.urlHistory.cleared());
}

} // namespace
} // namespace vp::preview
