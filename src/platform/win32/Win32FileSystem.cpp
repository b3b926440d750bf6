// Win32 file service: opens folders, replaces whole files and names the protected places; the
// changes inside a folder are Win32Folder's. Holds no cleaning logic and never acts through a
// link.
#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Win32Folder.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32NtFiles.h"
#include "platform/win32/Win32Paths.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>

namespace vp::win32 {
namespace {

// Writes all of `bytes` to the open file and flushes it to the disk.
bool writeAll(HANDLE file, std::string_view bytes) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1u << 20));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + offset, chunk, &done, nullptr) || done != chunk) {
            return false;
        }
        offset += done;
    }
    return FlushFileBuffers(file) != FALSE;
}

// A short name of its own for the new content, so that a target name near the length limit
// still leaves room for it: "~vp" and eight hexadecimal digits, ".tmp".
std::wstring temporaryName(unsigned attempt) {
    static unsigned counter = 0;
    const unsigned long long seed = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
                                    GetTickCount64() ^ (++counter * 0x9E3779B97F4A7C15ull) ^
                                    attempt;
    wchar_t name[24];
    wsprintfW(name, L"~vp%08lx.tmp", static_cast<unsigned long>(seed ^ (seed >> 29)));
    return name;
}

bool isOurTemporaryName(std::string_view name) {
    if (name.size() != 15 || !name.starts_with("~vp") || !name.ends_with(".tmp")) {
        return false;
    }
    return std::all_of(name.begin() + 3, name.begin() + 11,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// When this process started, in FILETIME units.
std::int64_t processStart() {
    FILETIME creation{}, exit{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(creation.dwHighDateTime) << 32) |
                                     creation.dwLowDateTime);
}

// A save stopped half way (the program killed while it wrote) leaves its temporary file
// behind: ours by name, and empty or older than this process. Only those go.
void removeStaleTemporaryFiles(Win32Folder& folder) {
    static const std::int64_t started = processStart();
    for (const Win32Folder::ListedFile& file : folder.files()) {
        constexpr std::uint32_t NotOurs =
            FileAttribute::Hidden | FileAttribute::System | FileAttribute::ReparsePoint;
        if (isOurTemporaryName(file.entry.name) && (file.entry.attributes & NotOurs) == 0 &&
            (file.entry.size == 0 || file.lastWrite < started)) {
            folder.deleteFile(file.entry.name, std::nullopt, &file.entry);
        }
    }
}

// The folder part of an extended path, as Win32Folder::open takes it: "\\?\C:\a\b.txt" gives
// "\\?\C:\a", "\\?\C:\b.txt" gives "\\?\C:\".
std::wstring folderOf(const std::wstring& target, std::size_t cut) {
    const std::wstring folder = target.substr(0, cut);
    return folder.ends_with(L":") ? folder + L'\\' : folder;
}

// The final path of the item `path` leads to, links followed ("\\?\C:\a"): a folder's or, when
// `folder` is false, a file's; empty when it leads to none.
std::wstring finalPathOf(const std::wstring& path, bool folder) {
    const OwnedHandle item(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, nt::ShareAll, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    nt::Identity identity;
    if (!item || !nt::queryIdentity(item.get(), identity) ||
        ((identity.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != folder) {
        return {};
    }
    std::wstring final(32768, L'\0');
    const DWORD length =
        GetFinalPathNameByHandleW(item.get(), final.data(), static_cast<DWORD>(final.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= final.size()) {
        return {};
    }
    final.resize(length);
    return final;
}

// Makes the file `name` new and writes the content into it, kept open as `file`. A file that
// could not be written whole is deleted again.
enum class Made { Written, NameTaken, Failed };
Made writeNew(Win32Folder& folder, const std::wstring& name, std::string_view bytes,
              OwnedHandle& file) {
    const nt::Status status =
        nt::openRelative(folder.handle(), name, GENERIC_WRITE | DELETE, 0, nt::CreateNew,
                         nt::NonDirectoryOnly | nt::OpenReparsePoint, file);
    if (!nt::succeeded(status)) {
        return status == nt::ObjectNameCollision ? Made::NameTaken : Made::Failed;
    }
    if (!writeAll(file.get(), bytes)) {
        nt::markForDeletion(file.get());
        file.reset();
        return Made::Failed;
    }
    return Made::Written;
}

// Replaces the file `target` (an extended path); a link there is followed once when
// `followLink`.
bool replaceFile(const std::wstring& target, std::string_view bytes, bool followLink) {
    const std::size_t cut = target.find_last_of(L'\\');
    if (target.empty() || cut == std::wstring::npos || cut + 1 == target.size()) {
        return false;
    }
    // The folder itself, never through a link at its name (a trailing backslash would follow
    // one under Wine).
    const auto folder = Win32Folder::open(folderOf(target, cut));
    if (!folder) {
        return false;
    }
    removeStaleTemporaryFiles(*folder);
    std::wstring name = target.substr(cut + 1);
    const std::wstring stored = folder->storedName(name);
    if (stored.empty()) {
        // A new name: the file is made under it directly, which fails when anything holds the
        // name, a link leading nowhere included (the listing does not show one under Wine).
        OwnedHandle file;
        return writeNew(*folder, name, bytes, file) == Made::Written;
    }
    // An existing target must be a plain, writable file of this folder; a symbolic link to a
    // file is followed to it, as editors do. A read-only file, a folder or any other link
    // there is refused with nothing written.
    name = stored;
    // Only asked: a file held open would keep the new one from taking its name.
    const Outcome existing = folder->openCheckedFile(name, 0).outcome;
    if (existing == Outcome::Link && followLink) {
        const std::wstring linked = finalPathOf(target, false);
        return !linked.empty() && replaceFile(linked, bytes, false);
    }
    if (existing != Outcome::Done) {
        return false;
    }
    // The new content goes into a file created new (never an existing name, never through a
    // link), and takes the target's place through its own handle once it is written. Where no
    // file can be made (a full disk, no rights), nothing is written: the old file stays whole.
    OwnedHandle file;
    Made made = Made::NameTaken;
    for (unsigned attempt = 0; attempt < 16 && made == Made::NameTaken; ++attempt) {
        made = writeNew(*folder, temporaryName(attempt), bytes, file);
    }
    if (made != Made::Written) {
        return false;
    }
    if (!nt::succeeded(nt::renameInto(file.get(), folder->handle(), name))) {
        nt::markForDeletion(file.get());
        return false;
    }
    return true;
}

// A known folder's path as the system names it, or empty.
std::wstring knownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::wstring out;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)) &&
        path != nullptr) {
        out = path;
    }
    CoTaskMemFree(path);
    return out;
}

} // namespace

std::unique_ptr<Folder> Win32FileSystem::openFolder(std::string_view path) {
    return Win32Folder::open(extendedPath(path));
}

std::optional<std::uint32_t> Win32FileSystem::attributes(std::string_view path) {
    const std::wstring wide = extendedPath(path);
    const DWORD attributes =
        wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return attributes;
}

bool Win32FileSystem::replaceFileContents(std::string_view path, std::string_view bytes) {
    if (path.empty() || path.back() == '\\') {
        return false;
    }
    return replaceFile(extendedPath(path), bytes, true);
}

bool Win32FileSystem::canMakeFileIn(std::string_view path) {
    std::wstring wide = extendedPath(path);
    while (wide.size() > 1 && wide.back() == L'\\' && !wide.ends_with(L":\\")) {
        wide.pop_back();
    }
    const auto folder = wide.empty() ? nullptr : Win32Folder::open(wide);
    if (!folder) {
        return false;
    }
    Made made = Made::NameTaken;
    OwnedHandle file;
    for (unsigned attempt = 0; attempt < 16 && made == Made::NameTaken; ++attempt) {
        made = writeNew(*folder, temporaryName(attempt), {}, file);
    }
    if (made != Made::Written) {
        return false;
    }
    nt::markForDeletion(file.get());
    return true;
}

std::vector<ProtectedPlace> Win32FileSystem::protectedPlaces() {
    if (!places_.empty()) {
        return places_;
    }
    const std::pair<const KNOWNFOLDERID*, PlaceKind> known[] = {
        {&FOLDERID_Windows, PlaceKind::Windows},
        {&FOLDERID_ProgramFiles, PlaceKind::ProgramFiles},
        {&FOLDERID_ProgramFilesX86, PlaceKind::ProgramFiles},
        {&FOLDERID_ProgramFilesX64, PlaceKind::ProgramFiles},
        {&FOLDERID_ProgramFilesCommon, PlaceKind::ProgramFiles},
        {&FOLDERID_ProgramFilesCommonX86, PlaceKind::ProgramFiles},
        {&FOLDERID_ProgramData, PlaceKind::ProgramData},
        {&FOLDERID_UserProfiles, PlaceKind::Users},
        {&FOLDERID_Profile, PlaceKind::Profile},
        {&FOLDERID_Public, PlaceKind::Profile},
        {&FOLDERID_Documents, PlaceKind::KnownFolder},
        {&FOLDERID_Desktop, PlaceKind::KnownFolder},
        {&FOLDERID_Downloads, PlaceKind::KnownFolder},
        {&FOLDERID_Pictures, PlaceKind::KnownFolder},
        {&FOLDERID_Music, PlaceKind::KnownFolder},
        {&FOLDERID_Videos, PlaceKind::KnownFolder},
        {&FOLDERID_RoamingAppData, PlaceKind::KnownFolder},
        {&FOLDERID_LocalAppData, PlaceKind::KnownFolder},
        {&FOLDERID_LocalAppDataLow, PlaceKind::KnownFolder},
        {&FOLDERID_StartMenu, PlaceKind::KnownFolder},
        {&FOLDERID_Favorites, PlaceKind::KnownFolder},
    };
    std::vector<std::wstring> paths;
    std::vector<PlaceKind> kinds;
    for (const auto& [id, kind] : known) {
        paths.push_back(knownFolder(*id));
        kinds.push_back(kind);
    }
    wchar_t windows[MAX_PATH + 1] = {};
    if (const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH + 1);
        length > 0 && length <= MAX_PATH) {
        paths.emplace_back(windows, length);
        kinds.push_back(PlaceKind::Windows);
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (paths[i].empty()) {
            continue;
        }
        places_.push_back({narrowUtf8(paths[i]), kinds[i]});
        // Reached through a link (the profile's folders under Wine lead into the host's home),
        // a place is also where the link leads.
        if (const std::wstring final = finalPathOf(extendedPath(narrowUtf8(paths[i])), true);
            !final.empty()) {
            places_.push_back({narrowUtf8(final), kinds[i]});
        }
    }
    return places_;
}

} // namespace vp::win32
