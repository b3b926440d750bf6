// Under Wine only: the checks that stand in for the reparse points Wine does not show.
#include "platform/win32/Win32WineLinks.h"

#include "platform/win32/Win32NtFiles.h"

#include <unordered_map>

namespace vp::win32::wine {
namespace {

bool isTrimmed(wchar_t c) {
    return c == L'.' || c == L' ';
}

} // namespace

bool running() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

std::wstring spelling(std::wstring_view name) {
    std::wstring out;
    out.reserve(name.size());
    auto trim = [&out] {
        // "." and ".." stay: they are no names to trim.
        std::size_t start = out.find_last_of(L'\\');
        start = start == std::wstring::npos ? 0 : start + 1;
        const std::wstring_view component = std::wstring_view(out).substr(start);
        if (component == L"." || component == L"..") {
            return;
        }
        while (out.size() > start && isTrimmed(out.back())) {
            out.pop_back();
        }
    };
    for (const wchar_t c : name) {
        if (c == L'\\') {
            trim();
        }
        out += c;
    }
    trim();
    return out;
}

std::wstring keptName(HANDLE handle) {
    thread_local std::wstring name;
    if (!nt::queryObjectName(handle, name)) {
        return {};
    }
    return spelling(name);
}

std::wstring childName(const std::wstring& folder, std::wstring_view name) {
    std::wstring joined = folder;
    if (joined.empty() || joined.back() != L'\\') {
        joined += L'\\';
    }
    joined += name;
    return spelling(joined);
}

bool hasLookAlike(HANDLE parent, std::wstring_view name) {
    const std::wstring trimmed = spelling(name);
    if (trimmed.empty()) {
        return true;
    }
    thread_local std::vector<unsigned char> buffer(16384);
    bool restart = true;
    for (;;) {
        const nt::Status status = nt::listDirectory(
            parent, buffer.data(), static_cast<ULONG>(buffer.size()), restart, trimmed + L"*");
        restart = false;
        if (status == nt::NoMoreFiles || status == nt::NoSuchFile) {
            return false;
        }
        if (!nt::succeeded(status)) {
            return true;
        }
        for (const unsigned char* at = buffer.data();;) {
            const auto* entry = reinterpret_cast<const nt::DirectoryEntry*>(at);
            const std::wstring_view other(entry->fileName, entry->fileNameLength / sizeof(wchar_t));
            if (other != name && spelling(other) == trimmed) {
                return true;
            }
            if (entry->nextEntryOffset == 0) {
                break;
            }
            at += entry->nextEntryOffset;
        }
    }
}

bool ancestorsHaveLookAlikes(std::wstring_view keptName) {
    constexpr std::wstring_view Prefix = L"\\??\\";
    if (!keptName.starts_with(Prefix) || keptName.size() < Prefix.size() + 3 ||
        keptName[Prefix.size() + 1] != L':') {
        return true; // not a drive path: nothing to compare it with
    }
    // The same name in the extended form the Win32 calls take.
    std::wstring extendedPath(keptName);
    extendedPath[1] = L'\\';
    // "\\?\C:\a\b": check "a" in "C:\", then "b" in "C:\a".
    std::size_t cut = Prefix.size() + 2; // the backslash after "C:"
    while (cut < extendedPath.size()) {
        std::size_t next = extendedPath.find(L'\\', cut + 1);
        if (next == std::wstring_view::npos) {
            next = extendedPath.size();
        }
        const std::wstring parent(extendedPath.substr(0, cut + 1));
        const std::wstring name = extendedPath.substr(cut + 1, next - cut - 1);
        if (!name.empty()) {
            HANDLE folder =
                CreateFileW(parent.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE, nt::ShareAll,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            if (folder == INVALID_HANDLE_VALUE) {
                return true;
            }
            const bool lookAlike = hasLookAlike(folder, name);
            CloseHandle(folder);
            if (lookAlike) {
                return true;
            }
        }
        cut = next;
    }
    return false;
}

std::unordered_set<std::wstring> sharedSpellings(const std::vector<std::wstring>& names) {
    std::unordered_map<std::wstring, int> seen;
    std::unordered_set<std::wstring> shared;
    for (const std::wstring& name : names) {
        std::wstring key = spelling(name);
        if (++seen[key] == 2) {
            shared.insert(std::move(key));
        }
    }
    return shared;
}

} // namespace vp::win32::wine
