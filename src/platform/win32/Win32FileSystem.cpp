// Win32 file service on kernel32's wide calls; holds no cleaning logic and never acts through
// a link.
#include "platform/win32/Win32FileSystem.h"

#include "platform/NameCompare.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32Paths.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vp::win32 {
namespace {

constexpr DWORD Settable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                           FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (valid()) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// What SetFileAttributes accepts of `attributes`; no attribute at all is spelt NORMAL.
DWORD plainAttributes(std::uint32_t attributes) {
    const DWORD settable = attributes & Settable;
    return settable != 0 ? settable : FILE_ATTRIBUTE_NORMAL;
}

DWORD attributesOf(const std::wstring& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
}

bool isReparsePoint(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Under Wine a link to a file looks like the file itself (no reparse point) and every call
// on its name reaches the target, deletion included. There the handle's final path tells
// them apart: it names the target. Windows opens the link itself when asked to.
bool runsOnWine() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

bool sameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Wine's names for handles lose the dots and blanks that end a component ("name." reads
// "name"); both sides are compared without them. `out` keeps its room from call to call.
void withoutTrailingDotsAndBlanks(std::wstring_view path, std::wstring& out) {
    out.clear();
    auto trim = [&out] {
        while (out.size() > 1 && (out.back() == L'.' || out.back() == L' ') &&
               out[out.size() - 2] != L'\\') {
            out.pop_back();
        }
    };
    for (const wchar_t c : path) {
        if (c == L'\\') {
            trim();
        }
        out += c;
    }
    trim();
}

// The name the system keeps for an open handle, asked of ntdll directly: the documented
// GetFinalPathNameByHandle gives up past 260 characters on Wine. Wine names handles in the
// DOS-device form, "\??\C:\folder\file", the extended path with "??" for its "?".
bool handleNamesPath(HANDLE handle, const std::wstring& path) {
    using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    struct CountedText {
        USHORT length; // bytes
        USHORT maximumLength;
        const wchar_t* buffer;
    };
    constexpr int ObjectNameInformation = 1;
    // Room for the longest name there is (32,767 UTF-16 units), kept for the next call.
    thread_local std::vector<unsigned char> answer(sizeof(CountedText) + 65536 + 16);
    ULONG needed = 0;
    if (query == nullptr || query(handle, ObjectNameInformation, answer.data(),
                                  static_cast<ULONG>(answer.size()), &needed) < 0) {
        return false;
    }
    CountedText name{};
    std::memcpy(&name, answer.data(), sizeof name);
    const std::wstring_view kept(name.buffer, name.length / sizeof(wchar_t));
    constexpr std::wstring_view DosDevices = L"\\??\\";
    if (!kept.starts_with(DosDevices) || path.size() <= DosDevices.size()) {
        return false;
    }
    thread_local std::wstring keptName;
    thread_local std::wstring askedName;
    withoutTrailingDotsAndBlanks(kept.substr(DosDevices.size()), keptName);
    withoutTrailingDotsAndBlanks(std::wstring_view(path).substr(DosDevices.size()), askedName);
    return sameText(keptName, askedName);
}

class ItemHandle {
public:
    // Opens the item named by `path` itself, never what a link there leads to; folders too
    // when `folders` is set. Invalid when that cannot be done.
    ItemHandle(const std::wstring& path, DWORD access, bool folders) {
        const DWORD flags =
            FILE_FLAG_OPEN_REPARSE_POINT | (folders ? FILE_FLAG_BACKUP_SEMANTICS : 0);
        handle_ = CreateFileW(path.c_str(), access,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, flags, nullptr);
        if (handle_ != INVALID_HANDLE_VALUE && runsOnWine() && !handleNamesPath(handle_, path)) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }
    ~ItemHandle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    ItemHandle(const ItemHandle&) = delete;
    ItemHandle& operator=(const ItemHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Deletes the file itself. Fails like DeleteFile for a read-only file, a file in use and a
// folder.
bool deleteItself(const std::wstring& path) {
    ItemHandle file(path, DELETE, false);
    FILE_DISPOSITION_INFO disposition{TRUE};
    return file.valid() && SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                                      sizeof disposition) != FALSE;
}

// On the item itself, never on what a link leads to: a link keeps the attributes it is given
// and its target is left as it was.
bool setItemAttributes(const std::wstring& path, DWORD attributes) {
    ItemHandle item(path, FILE_WRITE_ATTRIBUTES, true);
    FILE_BASIC_INFO change{}; // zero times: left as they are
    change.FileAttributes = attributes;
    return item.valid() &&
           SetFileInformationByHandle(item.get(), FileBasicInfo, &change, sizeof change) != FALSE;
}

bool isWildcard(std::wstring_view name) {
    return name.find_first_of(L"*?") != std::wstring_view::npos;
}

// Windows wildcard matching on names already folded to upper case: `*` any run, `?` one
// character; "*.*" also matches a name without a dot.
bool wildcardMatch(std::wstring_view pattern, std::wstring_view name) {
    if (pattern == L"*" || pattern == L"*.*") {
        return true;
    }
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::wstring_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::wstring_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') {
        ++p;
    }
    return p == pattern.size();
}

std::wstring upper(std::wstring text) {
    if (!text.empty()) {
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

} // namespace

bool Win32FileSystem::setAttributes(std::string_view path, std::uint32_t attributes) {
    const std::wstring wide = extendedPath(path);
    return !wide.empty() && setItemAttributes(wide, plainAttributes(attributes));
}

std::optional<std::uint32_t> Win32FileSystem::attributes(std::string_view path) {
    const DWORD attributes = attributesOf(extendedPath(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return attributes;
}

bool Win32FileSystem::deleteFile(std::string_view path) {
    const std::wstring wide = extendedPath(path);
    return !wide.empty() && deleteItself(wide);
}

bool Win32FileSystem::removeFolder(std::string_view path) {
    const std::wstring wide = extendedPath(path);
    // A folder link is not removed either: some systems remove the folder it leads to.
    if (wide.empty() || isReparsePoint(attributesOf(wide))) {
        return false;
    }
    return RemoveDirectoryW(wide.c_str()) != FALSE;
}

std::optional<std::vector<DirEntry>> Win32FileSystem::listFolder(std::string_view folder) {
    std::wstring pattern = extendedPath(folder);
    if (pattern.empty()) {
        return std::nullopt;
    }
    if (pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    std::vector<DirEntry> entries;
    if (!search.valid()) {
        // A drive's root holds no "." or "..": an empty root finds nothing at all.
        const DWORD error = GetLastError();
        const DWORD attributes = attributesOf(pattern.substr(0, pattern.size() - 1));
        if (error == ERROR_FILE_NOT_FOUND && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return entries;
        }
        return std::nullopt;
    }
    do {
        const std::wstring_view name(found.cFileName);
        if (name == L"." || name == L"..") {
            continue;
        }
        entries.push_back({narrowUtf8(name), found.dwFileAttributes});
    } while (FindNextFileW(search.get(), &found));
    return entries;
}

bool Win32FileSystem::deleteMatchingFiles(std::string_view pattern, bool force) {
    const std::wstring wide = extendedPath(pattern);
    const std::size_t cut = wide.find_last_of(L'\\');
    if (wide.empty() || cut == std::wstring::npos || cut + 1 == wide.size()) {
        return false;
    }
    const std::wstring folder = wide.substr(0, cut + 1);
    const std::wstring namePattern = wide.substr(cut + 1);
    const auto listing = listFolder(narrowUtf8(folder));
    if (!listing) {
        return false;
    }
    // Files only; hidden and system files are left alone, and so is every link. Without a
    // wildcard the last part names one file, found without regard to case.
    const std::wstring foldedPattern = upper(namePattern);
    const bool wildcard = isWildcard(namePattern);
    std::vector<const DirEntry*> matches;
    for (const DirEntry& entry : *listing) {
        constexpr std::uint32_t Skipped = FileAttribute::Directory | FileAttribute::Hidden |
                                          FileAttribute::System | FileAttribute::ReparsePoint;
        if ((entry.attributes & Skipped) != 0) {
            continue;
        }
        const std::wstring foldedName = upper(widen(entry.name));
        if (wildcard ? wildcardMatch(foldedPattern, foldedName) : foldedName == foldedPattern) {
            matches.push_back(&entry);
        }
    }
    if (matches.empty()) {
        return false;
    }
    std::sort(matches.begin(), matches.end(),
              [](const DirEntry* a, const DirEntry* b) { return nameLess(a->name, b->name); });
    for (const DirEntry* entry : matches) {
        const std::wstring path = folder + widen(entry->name);
        if (force && (entry->attributes & FileAttribute::ReadOnly) != 0) {
            setItemAttributes(path, plainAttributes(entry->attributes & ~FILE_ATTRIBUTE_READONLY));
        }
        if (!deleteItself(path)) {
            return false;
        }
    }
    return true;
}

bool Win32FileSystem::replaceFileContents(std::string_view path, std::string_view bytes) {
    const std::wstring target = extendedPath(path);
    if (target.empty()) {
        return false;
    }
    // The new content goes to a file of its own beside the target and takes the target's
    // place only once it is completely written and flushed.
    const std::wstring temporary =
        target + L".~" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool written = true;
    std::size_t offset = 0;
    while (written && offset < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1u << 20));
        DWORD done = 0;
        written =
            WriteFile(file, bytes.data() + offset, chunk, &done, nullptr) != FALSE && done == chunk;
        offset += done;
    }
    written = written && FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    if (written && MoveFileExW(temporary.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

} // namespace vp::win32
