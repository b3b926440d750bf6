// Seeds a scratch profile through the real Win32 calls; test driver only.
#include "Seed.h"

#include "Checks.h"
#include "platform/FileSystem.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32Paths.h"

#include <windows.h>

#include <sddl.h>
#include <wininet.h>

#include <fstream>
#include <vector>

namespace vp::e2e {
namespace {

using testing::printLine;
using win32::extendedPath;
using win32::widen;

std::vector<std::string> splitOn(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// "rhs" letters (read-only, hidden, system) as file attributes; archive when none.
std::uint32_t attributeLetters(std::string_view letters) {
    std::uint32_t attributes = 0;
    for (const char letter : letters) {
        attributes |= letter == 'r'   ? FileAttribute::ReadOnly
                      : letter == 'h' ? FileAttribute::Hidden
                      : letter == 's' ? FileAttribute::System
                                      : 0;
    }
    return attributes == 0 ? FileAttribute::Archive : attributes;
}

bool writeFile(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool done = file != INVALID_HANDLE_VALUE &&
                      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written,
                                nullptr) != FALSE;
    CloseHandle(file);
    return done;
}

bool makeFolders(const std::wstring& path) {
    // Every level from the drive down; existing levels are fine.
    for (std::size_t at = path.find(L'\\', 7); at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool makeFile(const std::wstring& path, std::uint32_t attributes) {
    const std::size_t cut = path.find_last_of(L'\\');
    if (cut == std::wstring::npos || !makeFolders(path.substr(0, cut))) {
        return false;
    }
    // Hidden and system first: under Wine they are kept in an extended attribute of the host
    // file, which an unprivileged user may no longer write once the file is read-only.
    return writeFile(path, "x") &&
           SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE &&
           SetFileAttributesW(path.c_str(), attributes) != FALSE;
}

// A value under HKEY_CURRENT_USER; the key is made as needed.
bool setValue(const std::string& key, const std::string& name, DWORD type,
              const std::vector<BYTE>& data) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, widen(key).c_str(), widen(name).c_str(), type,
                           data.data(), static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

// The key `key` under HKEY_CURRENT_USER made a registry link to the key `target` there.
bool setLink(const std::string& key, const std::string& target) {
    HANDLE token = nullptr;
    unsigned char user[256] = {};
    DWORD size = 0;
    LPWSTR sid = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    const bool known = GetTokenInformation(token, TokenUser, user, sizeof user, &size) &&
                       ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid);
    CloseHandle(token);
    if (!known) {
        return false;
    }
    const std::wstring path = L"\\Registry\\User\\" + std::wstring(sid) + L"\\" + widen(target);
    LocalFree(sid);
    HKEY link = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, widen(key).c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                        KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool set =
        RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                       reinterpret_cast<const BYTE*>(path.data()),
                       static_cast<DWORD>(path.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(link);
    return set;
}

std::vector<BYTE> wideBytes(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
}

std::vector<BYTE> hexBytes(const std::string& hex) {
    std::vector<BYTE> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<BYTE>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

bool addCacheEntry(const std::string& url, const std::string& kind, const std::string& content) {
    wchar_t file[MAX_PATH] = {};
    const DWORD type = kind == "cookie" ? COOKIE_CACHE_ENTRY : NORMAL_CACHE_ENTRY;
    const FILETIME none{};
    return CreateUrlCacheEntryW(widen(url).c_str(), 0, L"txt", file, 0) &&
           writeFile(file, content) &&
           CommitUrlCacheEntryW(widen(url).c_str(), file, none, none, type, nullptr, 0, nullptr,
                                nullptr) != FALSE;
}

bool seedLine(const std::vector<std::string>& f) {
    const std::string& verb = f[0];
    if (verb == "dir" && f.size() == 2) {
        return makeFolders(extendedPath(f[1]));
    }
    if (verb == "file" && (f.size() == 2 || f.size() == 3)) {
        return makeFile(extendedPath(f[1]), attributeLetters(f.size() == 3 ? f[2] : ""));
    }
    if (verb == "sz" && f.size() == 4) {
        return setValue(f[1], f[2], REG_SZ, wideBytes(widen(f[3])));
    }
    if (verb == "binary" && f.size() == 4) {
        return setValue(f[1], f[2], REG_BINARY, hexBytes(f[3]));
    }
    if (verb == "reglink" && f.size() == 3) {
        return setLink(f[1], f[2]);
    }
    if (verb == "cache" && f.size() == 4) {
        return addCacheEntry(f[1], f[2], f[3]);
    }
    return false;
}

} // namespace

bool seedFromScript(const std::string& scriptPath) {
    std::ifstream script(extendedPath(scriptPath).c_str(), std::ios::binary);
    bool allDone = static_cast<bool>(script);
    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        if (!line.empty() && !seedLine(splitOn(line, '\t'))) {
            printLine("seed: line " + std::to_string(number) + " failed: " + line);
            allDone = false;
        }
    }
    return allDone;
}

} // namespace vp::e2e
