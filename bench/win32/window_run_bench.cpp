// A whole cleaning run through the real window, as the user waits for it: the program started
// with its temporary folder pointing at a tree of FILES files (FILES/100 folders of 100), only
// the temporary-files target checked, Nettoyer pressed by a window message, timed until the
// run's handler returns (the run log hidden again). On an identical tree, a minimal Win32
// loop (FindFirstFileW/FindNextFileW, DeleteFileW, RemoveDirectoryW) empties the same
// folders. The two take turns, each going first every other round; each round's ratio, their
// median and the best time of each are printed, with the program's peak memory against the
// run log's text.
//
//   window_run_bench PROGRAM FOLDER [FILES] [ROUNDS]   (FOLDER is made and emptied)
#include "app/Layout.h"

#include "Clock.h"
#include "MinimalDelete.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int FilesPerFolder = 100;
constexpr int FirstControlId = 1000;

// Makes the tree; gives the characters of the run log's lines for its files.
std::size_t buildTree(const std::wstring& root, int files) {
    CreateDirectoryW(root.c_str(), nullptr);
    std::size_t characters = 0;
    for (int d = 0; d * FilesPerFolder < files; ++d) {
        const std::wstring folder = root + L"\\folder" + std::to_wstring(d);
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int f = 0; f < FilesPerFolder && d * FilesPerFolder + f < files; ++f) {
            const std::wstring file = folder + L"\\file" + std::to_wstring(f) + L".tmp";
            HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            CloseHandle(h);
            characters += file.size();
        }
    }
    return characters;
}

bool isEmpty(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++entries;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return entries <= 2; // "." and ".."
}

// This process's environment with TEMP and TMP replaced, as a block for CreateProcessW.
std::vector<wchar_t> environmentWithTemp(const std::wstring& temp) {
    std::vector<wchar_t> block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        const std::wstring_view text(entry);
        if (_wcsnicmp(entry, L"TEMP=", 5) != 0 && _wcsnicmp(entry, L"TMP=", 4) != 0) {
            block.insert(block.end(), text.begin(), text.end());
            block.push_back(L'\0');
        }
    }
    FreeEnvironmentStringsW(strings);
    for (const std::wstring name : {L"TEMP=", L"TMP="}) {
        const std::wstring entry = name + temp;
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

int controlId(std::string_view name) {
    const auto& layout = vp::ControlsLayout();
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (layout[i].desc.name == name) {
            return FirstControlId + static_cast<int>(i);
        }
    }
    return -1;
}

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK matchId(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND descendant(HWND parent, int id) {
    Search search{id, nullptr};
    EnumChildWindows(parent, matchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct WindowRun {
    bool ok = false;
    double seconds = 0;
    LRESULT lines = 0;
    SIZE_T workingSetBefore = 0;
    SIZE_T peakWorkingSet = 0;
};

// Starts the program on `temp`, runs the temporary-files target alone, and ends the program.
WindowRun runThroughWindow(const std::wstring& program, const std::wstring& temp) {
    WindowRun run;
    std::vector<wchar_t> environment = environmentWithTemp(temp);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start the program\n");
        return run;
    }
    WaitForInputIdle(process.hProcess, 20000);
    HWND window = nullptr;
    for (int tries = 0; tries < 2000 && window == nullptr; ++tries) {
        HWND found = FindWindowW(nullptr, L"Vexoma Pellora 1.0");
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (found != nullptr && owner == process.dwProcessId && IsWindowVisible(found)) {
            window = found;
        } else {
            Sleep(10);
        }
    }
    if (window != nullptr) {
        for (int n = 1; n <= 20; ++n) {
            SendMessageW(descendant(window, controlId("ch" + std::to_string(n))), BM_SETCHECK,
                         n == 6 ? 1 : 0, 0);
        }
        HWND list = descendant(window, controlId("List1"));
        Sleep(300); // let the window settle after load
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        run.workingSetBefore = memory.WorkingSetSize;

        DWORD_PTR result = 0;
        const double start = vp::bench::secondsNow();
        const LRESULT sent = SendMessageTimeoutW(descendant(window, controlId("Command1")),
                                                 BM_CLICK, 0, 0, SMTO_NORMAL, 3600000, &result);
        run.seconds = vp::bench::secondsNow() - start;
        run.lines = SendMessageW(list, LB_GETCOUNT, 0, 0);
        run.ok = sent != 0 && !IsWindowVisible(list);
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        run.peakWorkingSet = memory.PeakWorkingSetSize;
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

double megabytes(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_run_bench PROGRAM FOLDER [FILES] [ROUNDS]\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const std::wstring root = argv[2];
    const int files = argc > 3 ? std::max(100, _wtoi(argv[3])) : 20000;
    const int rounds = argc > 4 ? std::max(1, _wtoi(argv[4])) : 3;
    CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring temp = root + L"\\temp";
    const std::wstring bare = root + L"\\bare";

    double bestWindow = 1e9;
    double bestLoop = 1e9;
    std::vector<double> ratios;
    WindowRun last;
    std::size_t logCharacters = 0;
    bool allOk = true;
    for (int round = 0; round < rounds; ++round) {
        logCharacters = buildTree(temp, files);
        buildTree(bare, files);
        double loop = 0;
        WindowRun run;
        const auto timeLoop = [&] {
            const double start = vp::bench::secondsNow();
            vp::bench::emptyFolderMinimally(bare);
            loop = vp::bench::secondsNow() - start;
        };
        if (round % 2 == 1) {
            timeLoop();
        }
        run = runThroughWindow(program, temp);
        if (round % 2 == 0) {
            timeLoop();
        }
        const bool ok = run.ok && run.lines == files + 2 && isEmpty(temp) && isEmpty(bare);
        allOk = allOk && ok;
        std::printf("round %d: window %.2f s, minimal loop %.2f s, ratio %.2f, %ld lines%s\n",
                    round + 1, run.seconds, loop, run.seconds / loop, static_cast<long>(run.lines),
                    ok ? "" : "  (WRONG: the run did not log every file or left some)");
        ratios.push_back(run.seconds / loop);
        bestWindow = std::min(bestWindow, run.seconds);
        bestLoop = std::min(bestLoop, loop);
        last = run;
        vp::bench::emptyFolderMinimally(temp);
    }
    RemoveDirectoryW(temp.c_str());
    RemoveDirectoryW(bare.c_str());
    const double logBytes = static_cast<double>(logCharacters) * sizeof(wchar_t);
    std::printf("files: %d in %d folders, best of %d rounds\n", files,
                (files + FilesPerFolder - 1) / FilesPerFolder, rounds);
    std::printf("whole run through the window:  %.2f s\n", bestWindow);
    std::printf("minimal Win32 loop:            %.2f s\n", bestLoop);
    // Each round's two runs are next to each other in time: their ratio is the least noisy.
    std::sort(ratios.begin(), ratios.end());
    std::printf("ratio window / loop:           %.2f (median of the rounds' ratios)\n",
                ratios[ratios.size() / 2]);
    const double growth =
        static_cast<double>(last.peakWorkingSet) - static_cast<double>(last.workingSetBefore);
    std::printf("program's memory: %.1f MB before the run, peak %.1f MB (growth %.1f MB); run "
                "log text %.1f MB (UTF-16), growth / text %.2f\n",
                megabytes(static_cast<double>(last.workingSetBefore)),
                megabytes(static_cast<double>(last.peakWorkingSet)), megabytes(growth),
                megabytes(logBytes), logBytes > 0 ? growth / logBytes : 0.0);
    return allOk ? 0 : 1;
}
