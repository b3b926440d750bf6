#include "Win32UnderTest.h"

#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32Paths.h"

#include <windows.h>

#include <shellapi.h>

namespace vp::contract {
namespace {

using win32::extendedPath;

// Each test's own folder and key, numbered in the order the tests make them.
int nextScratch() {
    static int count = 0;
    return ++count;
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(extendedPath(path).c_str());
}

// A symbolic link (`flags`: to a folder or to a file); false when none was made.
bool makeLink(const std::string& path, const std::string& target, DWORD flags) {
    // Unprivileged creation (developer mode) first, then as an administrator would.
    constexpr DWORD Unprivileged = 0x2; // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    const std::wstring link = extendedPath(path);
    const std::wstring to = extendedPath(target);
    if (CreateSymbolicLinkW(link.c_str(), to.c_str(), flags | Unprivileged) == 0) {
        CreateSymbolicLinkW(link.c_str(), to.c_str(), flags);
    }
    // What the system made decides, not its answer: Wine 8 makes no link here.
    const DWORD made = attributesOf(path);
    constexpr DWORD Kinds = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    const DWORD wanted =
        (flags & SYMBOLIC_LINK_FLAG_DIRECTORY) != 0 ? Kinds : FILE_ATTRIBUTE_REPARSE_POINT;
    return made != INVALID_FILE_ATTRIBUTES && (made & Kinds) == wanted;
}

} // namespace

Win32UnderTest::Win32UnderTest() {
    const std::string number = std::to_string(nextScratch());
    CreateDirectoryW(L"C:\\contract", nullptr);
    root_ = "C:\\contract\\" + number;
    CreateDirectoryW(extendedPath(root_).c_str(), nullptr);
    key_ = "Software\\Vexoma Pellora contract\\" + number;
    makeKey(key_);
}

Win32UnderTest::~Win32UnderTest() {
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
}

void Win32UnderTest::makeFile(const std::string& path, const FileSeed& seed) {
    const std::wstring wide = extendedPath(path);
    {
        const win32::OwnedHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), seed.bytes.data(), static_cast<DWORD>(seed.bytes.size()), &written,
                  nullptr);
    }
    // Hidden and system before read-only: under Wine an unprivileged user can no longer set
    // them once the file is read-only.
    SetFileAttributesW(wide.c_str(), seed.attributes & ~FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(wide.c_str(),
                       seed.attributes != 0 ? seed.attributes : FILE_ATTRIBUTE_NORMAL);
    if (seed.heldOpen) {
        held_.emplace_back(CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    }
}

void Win32UnderTest::makeFolder(const std::string& path) {
    CreateDirectoryW(extendedPath(path).c_str(), nullptr);
}

void Win32UnderTest::setAttributes(const std::string& path, std::uint32_t attributes) {
    SetFileAttributesW(extendedPath(path).c_str(),
                       attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL);
}

bool Win32UnderTest::makeFolderLink(const std::string& path, const std::string& target) {
    return makeLink(path, target, SYMBOLIC_LINK_FLAG_DIRECTORY);
}

bool Win32UnderTest::makeFileLink(const std::string& path, const std::string& target) {
    return makeLink(path, target, 0);
}

std::optional<std::string> Win32UnderTest::contents(const std::string& path) const {
    const win32::OwnedHandle file(CreateFileW(extendedPath(path).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    return bytes;
}

void Win32UnderTest::makeKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
}

void Win32UnderTest::setValue(const std::string& key, const std::string& name, std::uint32_t type,
                              std::string_view bytes) {
    HKEY open = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &open, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(open, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(open);
    }
}

bool Win32UnderTest::recycle(std::string_view bytes) {
    const std::string path = root_ + "\\recycled.txt";
    makeFile(path, {.bytes = std::string(bytes)});
    // The shell's operations take a list of paths, each ending with a zero, and a zero after
    // the last; no \\?\ prefix.
    std::wstring from = win32::widen(path);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted &&
           attributesOf(path) == INVALID_FILE_ATTRIBUTES;
}

} // namespace vp::contract
