// Sweeps a real tree of 20,000 files (200 folders of 100) with ClearD on the Win32 services and
// compares it, on identical trees built afresh for each round, with the minimal loop a
// competent engineer would write (FindFirstFileW/FindNextFileW, DeleteFileW, RemoveDirectoryW,
// nothing else), with the system's own "cmd /c rd /s /q" and with a rules entry whose one key
// empties the same tree ("FOLDER|*.*|REMOVESELF"). They take turns, each going first in turn,
// so that a machine busy with other work slows them alike; the medians' ratios are what to
// read. Prints a line "clear_d_seconds=" for the script that compares it with rm -rf.
//
//   win32_sweep_bench FOLDER [ROUNDS]   (FOLDER must not exist; it is made and removed)
#include "app/Form1.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "platform/win32/Win32KnownFolders.h"
#include "platform/win32/Win32Paths.h"
#include "platform/win32/Win32Platform.h"
#include "rules/EntryCleaner.h"
#include "rules/ItemTally.h"
#include "rules/RootExpansion.h"
#include "rules/RuleSet.h"

#include "Clock.h"
#include "MinimalDelete.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Folders = 200;
constexpr int FilesPerFolder = 100;

void buildTree(const std::wstring& root) {
    CreateDirectoryW(root.c_str(), nullptr);
    for (int d = 0; d < Folders; ++d) {
        const std::wstring folder = root + L"\\folder" + std::to_wstring(d);
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int f = 0; f < FilesPerFolder; ++f) {
            const std::wstring file = folder + L"\\file" + std::to_wstring(f) + L".tmp";
            HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            CloseHandle(h);
        }
    }
}

// The same minimal loop on the program's own file service (folder handles, checked deletions):
// what the service costs apart from the sweeper's sorting, filtering and run log.
void serviceSweep(vp::Folder& folder) {
    const auto entries = folder.list();
    if (!entries) {
        return;
    }
    for (const auto& entry : *entries) {
        if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            folder.deleteFile(entry.name, std::nullopt, &entry);
        } else if (auto sub = folder.openFolder(entry.name, &entry)) {
            serviceSweep(*sub);
            sub.reset();
            folder.removeFolder(entry.name);
        }
    }
}

// "cmd /c rd /s /q FOLDER", waited for.
void removeWithCmd(const std::wstring& folder) {
    std::wstring command = L"cmd.exe /c rd /s /q \"" + folder + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

// Cleans the rules entry whose one key empties `folder`, the folder included, as the console
// program does; returns how many items it logged.
int cleanByRule(const vp::Platform& platform, vp::KnownFolders& knownFolders,
                const std::string& folder) {
    const vp::rules::RuleSet rules =
        vp::rules::parseRules("[Bench *]\nFileKey1=" + folder + "|*.*|REMOVESELF\n", "bench.ini");
    vp::RunTotals totals(1);
    totals.beginTarget(1);
    int logged = 0;
    vp::rules::RootExpander expander(knownFolders, platform.environment);
    vp::rules::ItemTally tally(totals, [&logged](std::string_view) { ++logged; });
    vp::rules::cleanEntry(platform, *rules.find("Bench"), expander, tally);
    return logged;
}

template <typename F> double seconds(F&& work) {
    const double start = vp::bench::secondsNow();
    work();
    return vp::bench::secondsNow() - start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 2 && count != 3) {
        std::puts("usage: win32_sweep_bench FOLDER [ROUNDS]");
        return 2;
    }
    const std::string root = vp::win32::narrowUtf8(args[1]);
    const int rounds = count == 3 ? std::max(1, _wtoi(args[2])) : 5;
    const std::wstring wideRoot = vp::win32::extendedPath(root);
    LocalFree(args);

    vp::win32::Win32Platform real;
    vp::sim::SimWindowing windowing;
    vp::sim::SimGraphics graphics;
    vp::Platform platform{real.registry,      real.files,      real.environment, real.shell,
                          real.internetCache, real.urlHistory, real.memory,      windowing,
                          graphics,           real.narrowText, real.processes};
    vp::Form1 form(platform);

    constexpr double Files = double{Folders} * FilesPerFolder;
    CreateDirectoryW(wideRoot.c_str(), nullptr);
    std::vector<double> clearD;
    std::vector<double> minimal;
    std::vector<double> rd;
    std::vector<double> service;
    std::vector<double> rule;
    vp::win32::Win32KnownFolders knownFolders;
    int logged = 0;
    int ruleLogged = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string swept = root + R"(\swept)";
        const std::wstring bare = wideRoot + L"\\bare";
        const std::wstring byCmd = vp::win32::extendedPath(root + R"(\cmd)").substr(4);
        const std::string byService = root + R"(\service)";
        const std::string byRule = root + R"(\rule)";
        buildTree(vp::win32::extendedPath(byService));
        buildTree(vp::win32::extendedPath(byRule));
        buildTree(vp::win32::extendedPath(swept));
        buildTree(bare);
        buildTree(byCmd);
        form.List1->clear();
        for (int turn = 0; turn < 5; ++turn) {
            switch ((turn + round) % 5) {
            case 0:
                clearD.push_back(seconds([&] { form.ClearD(swept); }));
                break;
            case 1:
                minimal.push_back(seconds([&] { vp::bench::emptyFolderMinimally(bare); }));
                break;
            case 2:
                rd.push_back(seconds([&] { removeWithCmd(byCmd); }));
                break;
            case 3:
                service.push_back(
                    seconds([&] { serviceSweep(*real.files.openFolder(byService)); }));
                break;
            default:
                rule.push_back(
                    seconds([&] { ruleLogged = cleanByRule(platform, knownFolders, byRule); }));
                break;
            }
        }
        logged = form.List1->listCount();
        RemoveDirectoryW(vp::win32::extendedPath(swept).c_str());
        RemoveDirectoryW(bare.c_str());
        RemoveDirectoryW(vp::win32::extendedPath(byService).c_str());
    }
    RemoveDirectoryW(wideRoot.c_str());
    const double sweep = median(clearD);
    const double loop = median(minimal);
    const double cmd = median(rd);
    const double onService = median(service);
    const double byRules = median(rule);

    std::printf("files swept:            %d (log lines of the last round)\n", logged);
    std::printf("ClearD:                 %.3f s, %.1f us per file (median of %d rounds)\n", sweep,
                sweep / Files * 1e6, rounds);
    std::printf("minimal Win32 loop:     %.3f s, %.1f us per file\n", loop, loop / Files * 1e6);
    std::printf("minimal loop, service:  %.3f s, %.1f us per file (folder handles, checks)\n",
                onService, onService / Files * 1e6);
    std::printf("cmd /c rd /s /q:        %.3f s, %.1f us per file\n", cmd, cmd / Files * 1e6);
    std::printf("rules key |REMOVESELF:  %.3f s, %.1f us per file (%d items logged)\n", byRules,
                byRules / Files * 1e6, ruleLogged);
    std::printf("ratio ClearD / minimal: %.2f (goal: at most 1.3)\n", sweep / loop);
    std::printf("ratio rd / ClearD:      %.2f (goal: at least 3)\n", cmd / sweep);
    std::printf("ratio rules / minimal:  %.2f, rules / ClearD: %.2f\n", byRules / loop,
                byRules / sweep);
    std::printf("clear_d_seconds=%.4f\n", sweep);
    return 0;
}
