// The minimal recursive delete a competent engineer would write with plain Win32 calls, the
// yardstick of the benchmarks under Wine: list, delete every file, recurse, remove each
// emptied subfolder. `folder` itself is kept.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vp::bench {

inline void emptyFolderMinimally(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring_view name(found.cFileName);
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = folder + L"\\" + found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            emptyFolderMinimally(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace vp::bench
