// Sweeps a real tree of 20,000 files (200 folders of 100) with ClearD on the Win32 services
// and compares it with a bare loop of the same Win32 calls on an identical second tree: list
// each folder twice (the folder list, then the file list), set attributes, delete, look up,
// and remove the emptied folders. The two take turns folder by folder, each going first every
// other time, so that a machine busy with other work slows both alike; the ratio is what to
// read. Prints a line "clear_d_seconds=" for the script that compares it with rm -rf.
//
//   win32_sweep_bench FOLDER       (FOLDER must not exist; it is made and emptied)
#include "app/Form1.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "platform/win32/Win32Paths.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Folders = 200;
constexpr int FilesPerFolder = 100;
constexpr int Rounds = 3;

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

std::vector<WIN32_FIND_DATAW> list(const std::wstring& folder) {
    std::vector<WIN32_FIND_DATAW> entries;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        return entries;
    }
    do {
        const std::wstring_view name(found.cFileName);
        if (name != L"." && name != L"..") {
            entries.push_back(found);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

bool isFolder(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The calls ClearD makes for one folder, in the same number, with nothing else.
void bareSweep(const std::wstring& folder) {
    list(folder);                      // the folder list
    const auto entries = list(folder); // the file list that follows it
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    for (const auto& entry : entries) {
        if (!isFolder(entry)) {
            const std::wstring path = folder + L"\\" + entry.cFileName;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
            DeleteFileW(path.c_str());
            GetFileAttributesW(path.c_str());
        }
    }
    for (const auto& entry : entries) {
        if (isFolder(entry)) {
            bareSweep(folder + L"\\" + entry.cFileName);
        }
    }
    for (const auto& entry : entries) {
        if (isFolder(entry)) {
            RemoveDirectoryW((folder + L"\\" + entry.cFileName).c_str());
        }
    }
}

double now() {
    LARGE_INTEGER count{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename F> double seconds(F&& work) {
    const double start = now();
    work();
    return now() - start;
}

} // namespace

int main() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 2) {
        std::puts("usage: win32_sweep_bench FOLDER");
        return 2;
    }
    const std::string root = vp::win32::narrowUtf8(args[1]);
    const std::wstring wideRoot = vp::win32::extendedPath(root);
    LocalFree(args);

    vp::win32::Win32Platform real;
    vp::sim::SimWindowing windowing;
    vp::sim::SimGraphics graphics;
    vp::Platform platform{real.registry,      real.files,      real.environment, real.shell,
                          real.internetCache, real.urlHistory, real.memory,      windowing,
                          graphics,           real.narrowText};
    vp::Form1 form(platform);

    constexpr double Files = double{Folders} * FilesPerFolder;
    const std::string swept = root + R"(\swept)";
    const std::wstring bare = wideRoot + L"\\bare";
    CreateDirectoryW(wideRoot.c_str(), nullptr);
    double clearD = 0;
    double loop = 0;
    int logged = 0;
    for (int round = 0; round < Rounds; ++round) {
        buildTree(vp::win32::extendedPath(swept));
        buildTree(bare);
        form.List1->clear();
        for (int d = 0; d < Folders; ++d) {
            const std::string folder = swept + R"(\folder)" + std::to_string(d);
            const std::wstring bareFolder = bare + L"\\folder" + std::to_wstring(d);
            if (d % 2 == 0) {
                clearD += seconds([&] { form.ClearD(folder); });
                loop += seconds([&] { bareSweep(bareFolder); });
            } else {
                loop += seconds([&] { bareSweep(bareFolder); });
                clearD += seconds([&] { form.ClearD(folder); });
            }
        }
        logged = form.List1->listCount();
        // The emptied folders go too, each way, one after the other.
        clearD += seconds([&] { form.ClearD(swept); });
        loop += seconds([&] { bareSweep(bare); });
        RemoveDirectoryW(vp::win32::extendedPath(swept).c_str());
        RemoveDirectoryW(bare.c_str());
    }
    RemoveDirectoryW(wideRoot.c_str());
    const double meanClearD = clearD / Rounds;
    const double meanBare = loop / Rounds;

    std::printf("files swept:            %d (log lines of the last round, emptied folders aside)\n",
                logged);
    std::printf("ClearD:                 %.3f s, %.1f us per file (mean of %d rounds)\n",
                meanClearD, meanClearD / Files * 1e6, Rounds);
    std::printf("bare loop, same calls:  %.3f s, %.1f us per file (mean of %d rounds)\n", meanBare,
                meanBare / Files * 1e6, Rounds);
    std::printf("ratio ClearD / bare:    %.2f (goal: at most 1.2)\n", meanClearD / meanBare);
    std::printf("clear_d_seconds=%.4f\n", meanClearD);
    return 0;
}
