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

// A profile with something in every kind of protected place, and the places as the system
// would name them.
class ProtectedPlacesTest : public ShellFolderTargetsTest {
protected:
    void SetUp() override {
        for (const auto& [path, kind] : std::vector<std::pair<std::string, PlaceKind>>{
                 {R"(C:\WINDOWS)", PlaceKind::Windows},
                 {R"(C:\Program Files)", PlaceKind::ProgramFiles},
                 {R"(C:\Documents and Settings\All Users\Application Data)",
                  PlaceKind::ProgramData},
                 {R"(C:\Documents and Settings)", PlaceKind::Users},
                 {R"(C:\Documents and Settings\anne)", PlaceKind::Profile},
                 {R"(C:\Documents and Settings\anne\Mes documents)", PlaceKind::KnownFolder},
                 {R"(C:\Documents and Settings\anne\Application Data)", PlaceKind::KnownFolder},
             }) {
            sim.files.protectedPlace(path, kind);
        }
        sim.files.file(R"(C:\boot.ini)", {.contents = "boot"})
            .file(R"(C:\WINDOWS\system32\kernel32.dll)")
            .file(R"(C:\Program Files\App\app.exe)")
            .file(R"(C:\Documents and Settings\All Users\Application Data\x.dat)")
            .file(R"(C:\Documents and Settings\anne\Mes documents\thesis.doc)")
            .file(R"(C:\Documents and Settings\anne\Application Data\app.ini)")
            .file(R"(C:\Documents and Settings\bob\Favorites\site.url)")
            .file(R"(C:\Documents and Settings\anne\Local Settings\Temp\junk.tmp)");
        before_ = sim.files.snapshot("C:\\");
        ShellFolderTargetsTest::SetUp();
    }

    // The temporary folder at `path`: the run log keeps the routine's own line only, nothing
    // changes anywhere, and the refusal is counted with its place.
    void expectRefused(const std::string& path, PlaceKind kind) {
        SCOPED_TRACE(path);
        sim.environment.setTempPath(path);
        form->totals.reset();
        form->totals.beginTarget(6);
        EXPECT_EQ(logOf(*form, &Form1::Temp), std::vector<std::string>{""});
        EXPECT_EQ(sim.files.snapshot("C:\\"), before_);
        const auto& refused = form->totals.target(6).refused;
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_EQ(refused[0].reason, Outcome::ProtectedPlace);
        EXPECT_EQ(refused[0].place, kind);
    }

    std::string before_;
};

TEST_F(ProtectedPlacesTest, TheTemporaryFolderIsNeverARootTheWindowsFolderOrAProfile) {
    expectRefused(R"(C:\)", PlaceKind::DriveRoot);
    expectRefused(R"(C:\WINDOWS\)", PlaceKind::Windows);
    expectRefused(R"(C:\Program Files\)", PlaceKind::ProgramFiles);
    expectRefused(R"(C:\Documents and Settings\All Users\Application Data\)",
                  PlaceKind::ProgramData);
    expectRefused(R"(C:\Documents and Settings\)", PlaceKind::Users);
    expectRefused(R"(C:\Documents and Settings\anne\)", PlaceKind::Profile);
    expectRefused(R"(C:\Documents and Settings\bob)", PlaceKind::Profile);
    expectRefused(R"(C:\Documents and Settings\anne\Mes documents\)", PlaceKind::KnownFolder);
    expectRefused(R"(C:\Documents and Settings\anne\Application Data\)", PlaceKind::KnownFolder);
    // "." and ".." are settled before the folder is judged.
    expectRefused(R"(C:\Documents and Settings\anne\Local Settings\Temp\..\..\)",
                  PlaceKind::Profile);
    expectRefused(R"(C:\WINDOWS\.\system32\..\)", PlaceKind::Windows);

    // Below the places, the sweep goes on as usual.
    sim.environment.setTempPath(R"(C:\Documents and Settings\anne\Local Settings\Temp\)");
    EXPECT_EQ(logOf(*form, &Form1::Temp),
              (std::vector<std::string>{
                  R"(C:\Documents and Settings\anne\Local Settings\Temp\junk.tmp)", ""}));
}

TEST_F(ProtectedPlacesTest, AFolderIsJudgedWhereTheSystemResolvesIt) {
    // A path through a link that leads to the drive's root names the Windows folder itself.
    sim.files.folderLink(R"(C:\T\root)", R"(C:\)");
    before_ = sim.files.snapshot("C:\\");
    expectRefused(R"(C:\T\root\WINDOWS\)", PlaceKind::Windows);
}

TEST_F(ProtectedPlacesTest, EveryShellFolderValueIsJudgedTheSameWay) {
    sim.registry.setString(ShellFoldersKey, "History", R"(C:\)")
        .setString(ShellFoldersKey, "Recent", R"(C:\Documents and Settings\anne)")
        .setString(ShellFoldersKey, "Cookies", R"(C:\Documents and Settings)")
        .setString(ShellFoldersKey, "Cache", R"(C:\WINDOWS)");
    checkOnly({2, 3, 4, 5});
    form->Command1_Click();
    EXPECT_EQ(sim.files.snapshot("C:\\"), before_);
    std::vector<std::string> refused;
    for (const Refusal& refusal : form->totals.sum().refused) {
        refused.push_back(refusal.path);
    }
    EXPECT_EQ(refused, (std::vector<std::string>{R"(C:\Documents and Settings)", R"(C:\WINDOWS)",
                                                 R"(C:\)", R"(C:\Documents and Settings\anne)"}));
    EXPECT_TRUE(form->totals.sum().somethingKept());
}

} // namespace
} // namespace vp::test
