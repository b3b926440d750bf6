// Under Wine only: the checks that stand in for the reparse points Wine does not show.
#include "platform/win32/Win32WineLinks.h"

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32NtFiles.h"

#include <unordered_map>

namespace vp::win32 {
namespace wine {

bool running() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

} // namespace wine

namespace {

bool isTrimmed(wchar_t c) {
    return c == L'.' || c == L' ';
}

// `name` the way Wine spells it for a handle: every component without its trailing dots and
// blanks.
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

// The name Wine keeps for the open item `handle`, as spelling() gives it ("\??\C:\a\b");
// empty when it cannot be read.
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

// Calls `visit(name, fileId)` for the entries of the open folder that `mask` matches; false
// when the folder cannot be read.
template <typename Visit> bool forEachMatch(HANDLE folder, std::wstring_view mask, Visit visit) {
    thread_local std::vector<unsigned char> buffer(16384);
    for (bool restart = true;; restart = false) {
        const nt::Status status = nt::listDirectory(
            folder, buffer.data(), static_cast<ULONG>(buffer.size()), restart, mask);
        if (status == nt::NoMoreFiles || status == nt::NoSuchFile) {
            return true;
        }
        if (!nt::succeeded(status)) {
            return false;
        }
        for (const unsigned char* at = buffer.data();;) {
            const auto* entry = reinterpret_cast<const nt::DirectoryEntry*>(at);
            visit(std::wstring_view(entry->fileName, entry->fileNameLength / sizeof(wchar_t)),
                  static_cast<std::uint64_t>(entry->fileId.QuadPart));
            if (entry->nextEntryOffset == 0) {
                break;
            }
            at += entry->nextEntryOffset;
        }
    }
}

// True when the folder `parent` holds, besides `name`, an entry that Wine would name the same
// (`name` with other trailing dots or blanks), or cannot be read. The mask it asks with stays
// with the handle: only for a handle opened for this question alone.
bool hasLookAlike(HANDLE parent, std::wstring_view name) {
    const std::wstring trimmed = spelling(name);
    if (trimmed.empty()) {
        return true;
    }
    bool found = false;
    const bool read = forEachMatch(parent, trimmed + L"*", [&](std::wstring_view other, auto) {
        found = found || (other != name && spelling(other) == trimmed);
    });
    return found || !read;
}

// True when the folder named `keptName` ("\??\C:\a\b") or a folder above it has a look-alike
// sibling, or the name cannot be checked.
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
            const OwnedHandle folder(CreateFileW(parent.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                                 nt::ShareAll, nullptr, OPEN_EXISTING,
                                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
            if (!folder || hasLookAlike(folder.get(), name)) {
                return true;
            }
        }
        cut = next;
    }
    return false;
}

} // namespace

WineFolderChecks WineFolderChecks::forRoot(HANDLE folder, const std::wstring& extendedPath) {
    WineFolderChecks checks;
    if (!wine::running()) {
        return checks;
    }
    checks.active_ = true;
    // Wine's folder links show as reparse points only when looked up by name.
    const DWORD byName = GetFileAttributesW(extendedPath.c_str());
    checks.keptName_ = keptName(folder);
    checks.valid_ = byName != INVALID_FILE_ATTRIBUTES &&
                    (byName & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && !checks.keptName_.empty();
    checks.lookAlike_ = checks.valid_ && ancestorsHaveLookAlikes(checks.keptName_);
    return checks;
}

WineFolderChecks WineFolderChecks::forChild(HANDLE parent, std::uint64_t parentId,
                                            std::wstring_view name) {
    WineFolderChecks checks;
    if (!active_) {
        return checks;
    }
    checks.active_ = true;
    checks.keptName_ = childName(keptName_, name);
    checks.parentId_ = parentId;
    checks.lookAlike_ = lookAlike_ || sharedSpellings(parent).contains(spelling(name));
    return checks;
}

const std::unordered_set<std::wstring>& WineFolderChecks::sharedSpellings(HANDLE folder) {
    if (!listed_) {
        // Before any listing, one made now: never with a mask, which would stay with the
        // folder's handle and narrow every later listing of it.
        std::vector<DirEntry> entries;
        forEachMatch(folder, {}, [&](std::wstring_view entry, std::uint64_t id) {
            if (entry != L"." && entry != L"..") {
                entries.push_back({narrowUtf8(entry), 0, 0, id});
            }
        });
        keepSpellings(entries);
    }
    return sharedSpellings_;
}

void WineFolderChecks::keepSpellings(const std::vector<DirEntry>& entries) {
    std::unordered_map<std::wstring, int> seen;
    sharedSpellings_.clear();
    for (const DirEntry& entry : entries) {
        std::wstring key = spelling(widen(entry.name));
        if (++seen[key] == 2) {
            sharedSpellings_.insert(std::move(key));
        }
    }
    listed_ = true;
}

bool WineFolderChecks::ownsItem(HANDLE item, std::wstring_view name) const {
    return !active_ || keptName(item) == childName(keptName_, name);
}

bool WineFolderChecks::refusesName(HANDLE folder, std::wstring_view name) {
    return active_ && (lookAlike_ || sharedSpellings(folder).contains(spelling(name)));
}

bool WineFolderChecks::acceptListing(std::uint64_t parentIdSeen,
                                     const std::vector<DirEntry>& entries) {
    if (!active_) {
        return true;
    }
    // A folder reached through a link lists its real parent as "..".
    if (parentId_ != 0 && parentIdSeen != parentId_) {
        return false;
    }
    keepSpellings(entries);
    return true;
}

bool WineFolderChecks::mayRemove(HANDLE folder, std::uint64_t folderId, HANDLE child,
                                 std::wstring_view name, bool empty) {
    if (!active_) {
        return true;
    }
    // Removing a link to an empty folder would remove its target, which has another parent.
    bool parentSeen = false;
    bool holdsSomething = false;
    forEachMatch(child, empty ? L"*" : L"..", [&](std::wstring_view entry, std::uint64_t id) {
        if (entry == L"..") {
            parentSeen = parentSeen || id == folderId;
        } else if (entry != L".") {
            holdsSomething = true;
        }
    });
    return parentSeen && !holdsSomething && !refusesName(folder, name);
}

} // namespace vp::win32
