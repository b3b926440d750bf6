// Which detected applications run: a process's image path under a folder the entry's
// detection found (on folder boundaries, letter case aside), or a browser's usual executable
// name where the entry's paths go through that browser's folders.
#include "rules/RunningApps.h"
#include "RulesRunFixture.h"
#include "rules/Detection.h"

namespace vp::rules::test {
namespace {

TEST(RunningApps, APathLiesUnderAFolderOnlyAtAFolderBoundary) {
    const std::vector<std::tuple<std::string_view, std::string_view, bool>> table = {
        {R"(C:\App\x.exe)", R"(C:\App)", true},
        {R"(c:\app\SUB\x.exe)", R"(C:\App)", true},
        {R"(C:\App\x.exe)", R"(C:\App\)", true},
        {R"(C:\Apple\x.exe)", R"(C:\App)", false},
        {R"(C:\App.exe)", R"(C:\App)", false},
        {R"(C:\Ap)", R"(C:\App)", false},
        {R"(C:\App)", R"(C:\App)", true},
        {R"(\\?\C:\App\x.exe)", R"(C:\App)", true},
        {R"(D:\App\x.exe)", R"(C:\App)", false},
        {R"(C:\Été\x.exe)", R"(C:\ÉTÉ)", true},
        {R"(C:\x.exe)", "", false},
        {"", R"(C:\App)", false},
    };
    for (const auto& [path, folder, expected] : table) {
        EXPECT_EQ(liesUnder(path, folder), expected) << path << " in " << folder;
    }
}

TEST(RunningApps, BrowsersAreKnownByTheFoldersTheEntryNamesAndTheirExecutables) {
    const RuleSet rules = parseRules(R"([Chrome Cache *]
FileKey1=%LocalAppData%\Google\Chrome\User Data\*\Cache|*
[Brave *]
DetectFile=%LocalAppData%\BraveSoftware\Brave-Browser
[Special *]
SpecialDetect=DET_MOZILLA
[Lookalike *]
FileKey1=%LocalAppData%\Google\Chromebook|*
FileKey2=%LocalAppData%\NotGoogle\Chrome|*
[Both *]
FileKey1=%AppData%\Mozilla\Firefox|*
FileKey2=%AppData%\MOZILLA\FIREFOX\Profiles|*
FileKey3=%AppData%\Thunderbird|*
)",
                                     "b.ini");
    using Names = std::vector<std::string_view>;
    EXPECT_EQ(browserExecutables(*rules.find("Chrome Cache")), Names{"chrome.exe"});
    EXPECT_EQ(browserExecutables(*rules.find("Brave")), Names{"brave.exe"});
    EXPECT_EQ(browserExecutables(*rules.find("Special")), Names{"firefox.exe"});
    EXPECT_EQ(browserExecutables(*rules.find("Lookalike")), Names{});
    EXPECT_EQ(browserExecutables(*rules.find("Both")), (Names{"firefox.exe", "thunderbird.exe"}));

    const std::vector<RunningProcess> processes = {
        {"", "System"},
        {R"(C:\Program Files\Other\Chrome.EXE)", "Chrome.EXE"},
    };
    const std::vector<std::string> none;
    const std::vector<std::string_view> chrome = {"chrome.exe"};
    const std::vector<std::string_view> firefox = {"firefox.exe"};
    EXPECT_EQ(runningApplication(processes, none, chrome), "Chrome.EXE");
    EXPECT_EQ(runningApplication(processes, none, firefox), "");
    // A process whose path cannot be read is still known by its name, never by a folder.
    const std::vector<std::string> everywhere = {R"(C:\)"};
    EXPECT_EQ(runningApplication(std::vector<RunningProcess>{{"", "x.exe"}}, everywhere, {}), "");
}

class RunningAppsDetected : public RulesRunFixture {
public:
    RunningAppsDetected() {
        sim.files.file(R"(C:\Program Files\Contoso\Viewer\viewer.exe)")
            .folder(R"(C:\Program Files (x86)\Fabrikam\Bin)")
            .file(R"(C:\Program Files\setup.log)")
            .folder(R"(C:\Windows\System32)")
            .folder(R"(C:\Users\Camille\AppData\Local\Google\Chrome\User Data)");
        load(R"([Viewer *]
DetectFile=%ProgramFiles%\Contoso\Viewer\viewer.exe
[Fabrikam *]
DetectFile1=%ProgramFiles%\Nobody
DetectFile2=%ProgramFiles%\Fab*\Bin
[Root File *]
DetectFile=%ProgramFiles%\setup.log
[Windows Part *]
DetectFile=%WinDir%\System32
[Chrome *]
SpecialDetect=DET_CHROME
FileKey1=%LocalAppData%\Google\Chrome\User Data\*\Cache|*
)");
    }

    std::string runningOf(std::string_view name) {
        RootExpander expander(folders, sim.environment);
        Detector detector(sim.files, sim.registry, sim.narrowText, expander, OsVersion{10, 0, 0});
        RunningApplications running(sim.processes, detector);
        const Entry& entry = *rules.find(name);
        EXPECT_TRUE(detector.applies(entry)) << name;
        return running.of(entry);
    }
};

TEST_F(RunningAppsDetected, AProcessRunsFromAFolderTheDetectionFound) {
    sim.processes.start(R"(C:\Program Files\Contoso\ViewerPlus\viewer.exe)", "viewer.exe");
    sim.processes.start(R"(C:\Windows\System32\svchost.exe)", "svchost.exe");
    sim.processes.start(R"(C:\Program Files\Other\other.exe)", "other.exe");
    EXPECT_EQ(runningOf("Viewer"), "");
    EXPECT_EQ(runningOf("Fabrikam"), "");
    // A file straight in Program Files and the Windows folder tell nothing of the application.
    EXPECT_EQ(runningOf("Root File"), "");
    EXPECT_EQ(runningOf("Windows Part"), "");
    EXPECT_EQ(runningOf("Chrome"), "");

    sim.processes.start(R"(c:\program files\contoso\viewer\Tools\helper.exe)", "helper.exe");
    sim.processes.start(R"(C:\Program Files (x86)\Fabrikam\Bin\fab.exe)", "fab.exe");
    sim.processes.start(R"(C:\Users\Camille\AppData\Local\Google\Chrome\Application\chrome.exe)",
                        "chrome.exe");
    EXPECT_EQ(runningOf("Viewer"), "helper.exe");
    EXPECT_EQ(runningOf("Fabrikam"), "fab.exe");
    EXPECT_EQ(runningOf("Chrome"), "chrome.exe");
    EXPECT_EQ(runningOf("Root File"), "");
}

TEST_F(RunningAppsDetected, TheProcessesAreListedOnceForEveryEntry) {
    RootExpander expander(folders, sim.environment);
    Detector detector(sim.files, sim.registry, sim.narrowText, expander, OsVersion{10, 0, 0});
    RunningApplications running(sim.processes, detector);
    for (const Entry& entry : rules.entries()) {
        running.of(entry);
    }
    EXPECT_EQ(sim.processes.listings(), 1);
}

} // namespace
} // namespace vp::rules::test
