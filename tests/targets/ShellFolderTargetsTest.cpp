#include "support/FormFixture.h"

#include "targets/ShellFolders.h"

namespace vp::test {
namespace {

namespace Attr = FileAttribute;

class ShellFolderTargetsTest : public FormFixture {
protected:
    void SetUp() override { startProgram(); }
};

TEST_F(ShellFolderTargetsTest, HistoryClearsTheStoreAndSweepsTheFolderEachWithoutTheOther) {
    const std::string folder = R"(C:\Documents and Settings\anne\Local Settings\History)";
    sim.files.file(folder + R"(\History.IE5\index.dat)", {.inUse = true})
        .file(folder + R"(\History.IE5\MSHist01\page.url)");
    sim.urlHistory.visit("http://a/");
    // No "History" value: the store is still cleared and nothing is swept.
    EXPECT_EQ(logOf(*form, &Form1::HisTory), std::vector<std::string>{""});
    EXPECT_TRUE(sim.urlHistory.urls().empty());

    // A store that cannot be opened does not keep the folder from being swept.
    sim.urlHistory.setUnavailable(true);
    sim.urlHistory.visit("http://b/");
    sim.registry.setString(ShellFoldersKey, "History", folder);
    EXPECT_EQ(logOf(*form, &Form1::HisTory),
              (std::vector<std::string>{folder + R"(\History.IE5\MSHist01\page.url)", ""}));
    EXPECT_EQ(sim.urlHistory.urls(), std::vector<std::string>{"http://b/"});
}

// A temporary path of exactly `length` characters, ending with a backslash.
std::string tempPathOf(std::size_t length) {
    return R"(C:\)" + std::string(length - 4, 't') + "\\";
}

TEST_F(ShellFolderTargetsTest, TempSweepsOnlyAPathThatFitsTheBufferWithItsZero) {
    for (const std::size_t length : {254u, 255u, 256u}) {
        const std::string path = tempPathOf(length);
        sim.environment.setTempPath(path);
        // A file under the path itself and one under its first 255 characters: a path that
        // does not fit must not be cut down to something that names a folder.
        sim.files.file(path + "a.tmp").file(path.substr(0, 254) + R"(\b.tmp)");
        const auto log = logOf(*form, &Form1::Temp);
        if (length == 254) {
            EXPECT_EQ(log, (std::vector<std::string>{path + "a.tmp", path + "b.tmp", ""}));
        } else {
            EXPECT_EQ(log, std::vector<std::string>{""}) << "length " << length;
        }
    }
}

TEST_F(ShellFolderTargetsTest, TempSweepsNothingWhenThePathCannotBeHad) {
    sim.environment.setTempPath("");
    sim.files.file(R"(C:\Temp\d.tmp)");
    EXPECT_EQ(logOf(*form, &Form1::Temp), std::vector<std::string>{""});
    EXPECT_TRUE(sim.files.exists(R"(C:\Temp\d.tmp)"));
}

TEST_F(ShellFolderTargetsTest, PrefetchDeletesEveryVisibleFileReadOnlyIncludedAndLogsNone) {
    sim.environment.set("SystemRoot", R"(C:\WINDOWS)");
    sim.files.file(R"(C:\WINDOWS\Prefetch\NOTEPAD.EXE-1234.pf)", {.attributes = Attr::ReadOnly})
        .file(R"(C:\WINDOWS\Prefetch\Layout.ini)")
        .file(R"(C:\WINDOWS\Prefetch\hidden.pf)", {.attributes = Attr::Hidden})
        .file(R"(C:\WINDOWS\Prefetch\Sub\kept.pf)");
    EXPECT_EQ(logOf(*form, &Form1::Prefetch), std::vector<std::string>{""});
    EXPECT_EQ(
        sim.files.tree(R"(C:\WINDOWS\Prefetch)"),
        (std::vector<std::string>{R"(C:\WINDOWS\Prefetch\hidden.pf)", R"(C:\WINDOWS\Prefetch\Sub\)",
                                  R"(C:\WINDOWS\Prefetch\Sub\kept.pf)"}));

    // No SystemRoot at all: nothing happens but the blank line.
    sim.environment.unset("SystemRoot");
    sim.files.file(R"(C:\Prefetch\root.pf)");
    EXPECT_EQ(logOf(*form, &Form1::Prefetch), std::vector<std::string>{""});
    EXPECT_TRUE(sim.files.exists(R"(C:\Prefetch\root.pf)"));
}

TEST_F(ShellFolderTargetsTest, CorbEmptiesEveryBinWithoutAskingAndRefreshesTheIcon) {
    sim.shell.recycled(R"(C:\old.doc)").recycled(R"(D:\film.avi)");
    EXPECT_EQ(logOf(*form, &Form1::Corb), std::vector<std::string>{""});
    EXPECT_TRUE(sim.shell.recycleBinItems().empty());
    EXPECT_EQ(sim.shell.confirmationsAsked(), 0);
    EXPECT_EQ(sim.shell.emptyCalls(),
              (std::vector<sim::EmptyRecycleBinCall>{{form->window().hWnd(), "", 1}}));
    EXPECT_EQ(sim.shell.iconUpdates(), 1);
}

} // namespace
} // namespace vp::test
