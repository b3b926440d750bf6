// Look-ups for the end-to-end checks; test driver only.
#include "LookUps.h"

#include "Checks.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32Paths.h"

#include <windows.h>

#include <wininet.h>

#include <cstdio>
#include <vector>

namespace vp::e2e {

using testing::printLine;

int holdOpen(const std::string& path, const std::string& flag, bool shareDeletion) {
    const DWORD share = shareDeletion ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0;
    const win32::OwnedHandle file(CreateFileW(win32::extendedPath(path).c_str(), GENERIC_READ,
                                              share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
    if (!file) {
        printLine("cannot hold " + path);
        return 1;
    }
    printLine("held");
    const std::wstring flagPath = win32::extendedPath(flag);
    for (int waited = 0; waited < 120000; waited += 20) {
        if (GetFileAttributesW(flagPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
            break;
        }
        Sleep(20);
    }
    return 0;
}

int dumpRegistryKey(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, win32::widen(key).c_str(), 0, KEY_READ, &opened) !=
        ERROR_SUCCESS) {
        printLine("(no key)");
        return 0;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0;
        std::vector<BYTE> data(65536);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(opened, index, name, &nameLength, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS) {
            break;
        }
        std::string text = win32::narrowUtf8(std::wstring_view(name, nameLength)) + "=";
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            std::wstring value(reinterpret_cast<const wchar_t*>(data.data()), size / 2);
            value.resize(wcsnlen(value.c_str(), value.size()));
            text += "sz:" + win32::narrowUtf8(value);
        } else {
            text += std::to_string(type) + ":";
            for (DWORD i = 0; i < size; ++i) {
                char digits[3];
                std::snprintf(digits, sizeof digits, "%02x", data[i]);
                text += digits;
            }
        }
        printLine(text);
    }
    RegCloseKey(opened);
    return 0;
}

int listCache() {
    // One buffer far larger than any entry the suites seed.
    std::vector<BYTE> buffer(65536);
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    DWORD size = static_cast<DWORD>(buffer.size());
    HANDLE search = FindFirstUrlCacheEntryA(nullptr, entry, &size);
    for (bool found = search != nullptr; found;
         found = FindNextUrlCacheEntryA(search, entry, &size) != FALSE) {
        printLine(entry->lpszSourceUrlName != nullptr ? entry->lpszSourceUrlName : "(null)");
        size = static_cast<DWORD>(buffer.size());
    }
    if (search != nullptr) {
        FindCloseUrlCache(search);
    }
    return 0;
}

} // namespace vp::e2e
