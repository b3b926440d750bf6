#include "support/FormFixture.h"

#include <string>

namespace vp::test {
namespace {

using FA = std::uint32_t;
namespace Attr = FileAttribute;

class ClearDTest : public FormFixture {
protected:
    void SetUp() override { startProgram(); }

    std::vector<std::string> sweep(std::string_view path) {
        form->List1->clear();
        form->ClearD(path);
        return runLog();
    }
    std::vector<std::string> left(std::string_view root = R"(C:\T)") const {
        return sim.files.tree(root);
    }
    FA attributesOf(std::string_view path) { return *sim.files.attributes(path); }
};

TEST_F(ClearDTest, NestedFoldersOfOrdinaryFilesAreEmptiedDepthFirstAndRemovedBottomUp) {
    sim.files.file(R"(C:\T\b.txt)")
        .file(R"(C:\T\A.txt)")
        .file(R"(C:\T\sub2\z.dat)")
        .file(R"(C:\T\Sub1\deeper\x.log)")
        .file(R"(C:\T\Sub1\y.log)")
        .folder(R"(C:\T\Sub1\empty)");

    EXPECT_EQ(sweep(R"(C:\T)"),
              (std::vector<std::string>{R"(C:\T\A.txt)", R"(C:\T\b.txt)", R"(C:\T\Sub1\y.log)",
                                        R"(C:\T\Sub1\deeper\x.log)", R"(C:\T\sub2\z.dat)"}));
    EXPECT_EQ(left(), std::vector<std::string>{});
    EXPECT_TRUE(sim.files.exists(R"(C:\T)")) << "the folder handed in stays";
    EXPECT_EQ(form->List1->listIndex(), 4) << "the newest line is selected";
}

TEST_F(ClearDTest, TrailingBackslashMakesNoDifference) {
    for (const char* given : {R"(C:\T)", R"(C:\T\)"}) {
        sim.files.file(R"(C:\T\a)").file(R"(C:\T\s\b)");
        EXPECT_EQ(sweep(given), (std::vector<std::string>{R"(C:\T\a)", R"(C:\T\s\b)"})) << given;
    }
}

TEST_F(ClearDTest, NothingHappensForAnEmptyMissingOrFilePathOrAnUnreadableFolder) {
    sim.files.file(R"(C:\T\keep.txt)", {.attributes = Attr::ReadOnly})
        .file(R"(C:\Locked\in.txt)")
        .folder(R"(C:\Locked)", {.unlistable = true});
    for (const char* given : {"", R"(C:\Missing)", R"(C:\T\keep.txt)", R"(C:\Locked)"}) {
        EXPECT_TRUE(sweep(given).empty()) << given;
    }
    EXPECT_EQ(left(), std::vector<std::string>{R"(C:\T\keep.txt)"});
    EXPECT_EQ(attributesOf(R"(C:\T\keep.txt)"), Attr::ReadOnly);
    EXPECT_TRUE(sim.files.exists(R"(C:\Locked\in.txt)"));
}

TEST_F(ClearDTest, ReadOnlyFilesGoHiddenAndSystemFilesStayWithTheirFolder) {
    sim.files.file(R"(C:\T\ro.txt)", {.attributes = Attr::ReadOnly | Attr::Archive})
        .file(R"(C:\T\plain.txt)", {.attributes = 0})
        .file(R"(C:\T\h\hidden.ini)", {.attributes = Attr::Hidden})
        .file(R"(C:\T\h\seen.txt)")
        .file(R"(C:\T\s\sys.dat)", {.attributes = Attr::System});

    EXPECT_EQ(sweep(R"(C:\T)"), (std::vector<std::string>{R"(C:\T\plain.txt)", R"(C:\T\ro.txt)",
                                                          R"(C:\T\h\seen.txt)"}));
    EXPECT_EQ(left(), (std::vector<std::string>{R"(C:\T\h\)", R"(C:\T\h\hidden.ini)", R"(C:\T\s\)",
                                                R"(C:\T\s\sys.dat)"}));
    EXPECT_EQ(attributesOf(R"(C:\T\h)"), Attr::Directory | Attr::Archive);
}

TEST_F(ClearDTest, AFileInUseIsNeitherDeletedNorLoggedAndLaterFilesStillGo) {
    sim.files.file(R"(C:\T\a.tmp)").file(R"(C:\T\b.tmp)", {.inUse = true}).file(R"(C:\T\c.tmp)");
    EXPECT_EQ(sweep(R"(C:\T)"), (std::vector<std::string>{R"(C:\T\a.tmp)", R"(C:\T\c.tmp)"}));
    EXPECT_EQ(left(), std::vector<std::string>{R"(C:\T\b.tmp)"});
    // The file was still given archive-only attributes before the failed deletion.
    EXPECT_EQ(attributesOf(R"(C:\T\b.tmp)"), Attr::Archive);
}

TEST_F(ClearDTest, EmptySiblingsAreRemovedAndAFolderInUseStays) {
    sim.files.folder(R"(C:\T\one)").folder(R"(C:\T\two)").folder(R"(C:\T\busy)", {.inUse = true});
    EXPECT_TRUE(sweep(R"(C:\T)").empty());
    EXPECT_EQ(left(), std::vector<std::string>{R"(C:\T\busy\)"});
}

TEST_F(ClearDTest, AnEmptyFolderOnlyLosesItsAttributes) {
    sim.files.folder(R"(C:\T)", {.attributes = Attr::ReadOnly | Attr::Hidden});
    EXPECT_TRUE(sweep(R"(C:\T)").empty());
    EXPECT_EQ(attributesOf(R"(C:\T)"), Attr::Directory | Attr::Archive);
}

TEST_F(ClearDTest, FolderLinksAreNeitherEnteredNorRemoved) {
    sim.files.file(R"(C:\Outside\precious.doc)")
        .file(R"(C:\T\sub\a.tmp)")
        .folderLink(R"(C:\T\toOutside)", R"(C:\Outside)")
        .folderLink(R"(C:\T\sub\loop)", R"(C:\T)");

    EXPECT_EQ(sweep(R"(C:\T)"), std::vector<std::string>{R"(C:\T\sub\a.tmp)"});
    EXPECT_TRUE(sim.files.exists(R"(C:\Outside\precious.doc)"));
    EXPECT_EQ(left(), (std::vector<std::string>{R"(C:\T\sub\)", R"(C:\T\sub\loop\)",
                                                R"(C:\T\toOutside\)"}));
    // Handed a link itself, the sweeper does not act through it either.
    EXPECT_TRUE(sweep(R"(C:\T\toOutside)").empty());
    EXPECT_TRUE(sim.files.exists(R"(C:\Outside\precious.doc)"));
}

TEST_F(ClearDTest, ATreeTenThousandFoldersDeepIsSweptWithoutExhaustingTheStack) {
    std::string deepest = R"(C:\T)";
    for (int i = 0; i < 10000; ++i) {
        deepest += R"(\d)";
    }
    sim.files.file(deepest + R"(\bottom.txt)");
    EXPECT_EQ(sweep(R"(C:\T)"), std::vector<std::string>{deepest + R"(\bottom.txt)"});
    EXPECT_EQ(left(), std::vector<std::string>{});
}

TEST_F(ClearDTest, MoreThan32767LoggedLinesAreAllKeptAndTheNewestIsSelected) {
    constexpr int Files = 40000;
    for (int i = 0; i < Files; ++i) {
        sim.files.file(R"(C:\T\f)" + std::to_string(100000 + i));
    }
    const auto log = sweep(R"(C:\T)");
    ASSERT_EQ(log.size(), static_cast<std::size_t>(Files));
    EXPECT_EQ(log.back(), R"(C:\T\f)" + std::to_string(100000 + Files - 1));
    EXPECT_EQ(form->List1->listIndex(), Files - 1);
}

} // namespace
} // namespace vp::test
