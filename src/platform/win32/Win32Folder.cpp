// Win32 open folders: directory handles, relative opens and changes through item handles.
// Never acts through a link: see the threat model in platform/FileSystem.h.
#include "platform/win32/Win32Folder.h"

#include "platform/win32/Win32NarrowText.h"

#include <cstddef>
#include <vector>

namespace vp::win32 {
namespace {

constexpr DWORD Settable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                           FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;
constexpr DWORD NotForDeletion = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr ACCESS_MASK FolderAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
constexpr ACCESS_MASK FileDeletionAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
constexpr nt::Status FileIsADirectory = static_cast<nt::Status>(0xC00000BA);
constexpr nt::Status NotADirectory = static_cast<nt::Status>(0xC0000103);

// Room for one batch of a folder's listing, kept from call to call.
std::vector<unsigned char>& listingBuffer() {
    thread_local std::vector<unsigned char> buffer(std::size_t{64} * 1024);
    return buffer;
}

std::uint64_t idOf(const LARGE_INTEGER& id) {
    return static_cast<std::uint64_t>(id.QuadPart);
}

bool isGoneStatus(nt::Status status) {
    return status == nt::ObjectNameNotFound || status == nt::ObjectPathNotFound;
}

// Why an open failed, as a reason the caller can report.
Outcome reasonOf(nt::Status status, bool expected) {
    if (isGoneStatus(status)) {
        return Outcome::Vanished;
    }
    switch (status) {
    case nt::SharingViolation:
    case nt::DeletePending:
        return Outcome::InUse;
    case nt::AccessDenied:
    case nt::CannotDelete:
        return Outcome::AccessDenied;
    case FileIsADirectory:
    case NotADirectory:
        return expected ? Outcome::Replaced : Outcome::Failed;
    default:
        return Outcome::Failed;
    }
}

// Calls `visit(entry)` for every entry of the open folder, "." and ".." included; false when
// the folder cannot be read. Never with a mask: the first one given stays with the handle.
template <typename Visit> bool forEachEntry(HANDLE folder, Visit visit) {
    auto& buffer = listingBuffer();
    for (bool restart = true;; restart = false) {
        const nt::Status status =
            nt::listDirectory(folder, buffer.data(), static_cast<ULONG>(buffer.size()), restart);
        if (status == nt::NoMoreFiles || (restart && status == nt::NoSuchFile)) {
            return true;
        }
        if (!nt::succeeded(status)) {
            return false;
        }
        for (const unsigned char* at = buffer.data();;) {
            const auto* entry = reinterpret_cast<const nt::DirectoryEntry*>(at);
            visit(*entry);
            if (entry->nextEntryOffset == 0) {
                break;
            }
            at += entry->nextEntryOffset;
        }
    }
}

std::wstring_view nameOf(const nt::DirectoryEntry& entry) {
    return {entry.fileName, entry.fileNameLength / sizeof(wchar_t)};
}

bool isDots(std::wstring_view name) {
    return name == L"." || name == L"..";
}

// Only name surrogates are links; a listing gives a reparse point's tag in place of its
// extended attributes' size.
ULONG listedAttributes(const nt::DirectoryEntry& entry) {
    ULONG attributes = entry.fileAttributes;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && !nt::isNameSurrogate(entry.eaSize)) {
        attributes &= ~static_cast<ULONG>(FILE_ATTRIBUTE_REPARSE_POINT);
    }
    return attributes;
}

bool holdsNothing(HANDLE folder) {
    bool empty = true;
    const bool read = forEachEntry(
        folder, [&](const nt::DirectoryEntry& entry) { empty = empty && isDots(nameOf(entry)); });
    return read && empty;
}

} // namespace

std::unique_ptr<Win32Folder> Win32Folder::open(const std::wstring& extendedPath) {
    if (extendedPath.empty()) {
        return nullptr;
    }
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
    OwnedHandle handle(CreateFileW(extendedPath.c_str(), FolderAccess | FILE_WRITE_ATTRIBUTES,
                                   nt::ShareAll, nullptr, OPEN_EXISTING, flags, nullptr));
    if (!handle && GetLastError() == ERROR_ACCESS_DENIED) {
        handle = OwnedHandle(CreateFileW(extendedPath.c_str(), FolderAccess, nt::ShareAll, nullptr,
                                         OPEN_EXISTING, flags, nullptr));
    }
    nt::Identity identity;
    if (!handle || !nt::queryIdentity(handle.get(), identity) ||
        (identity.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return nullptr;
    }
    if ((identity.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
        nt::isNameSurrogate(nt::queryReparseTag(handle.get()))) {
        return nullptr;
    }
    WineFolderChecks wine = WineFolderChecks::forRoot(handle.get(), extendedPath);
    if (!wine.valid()) {
        return nullptr;
    }
    return std::unique_ptr<Win32Folder>(
        new Win32Folder(std::move(handle), identity.id, std::move(wine)));
}

Win32Folder::Opened Win32Folder::openItem(std::wstring_view name, Kind kind, ACCESS_MASK access,
                                          const DirEntry* expected) {
    Opened opened;
    OwnedHandle item;
    const ULONG options =
        (kind == Kind::File ? nt::NonDirectoryOnly : nt::DirectoryOnly) | nt::OpenReparsePoint;
    opened.status = nt::openRelative(handle_.get(), name, access, nt::ShareAll, nt::OpenExisting,
                                     options, item);
    if (!nt::succeeded(opened.status)) {
        opened.refusal = reasonOf(opened.status, expected != nullptr);
        return opened;
    }
    // Under Wine a link opens as its target: only the name kept for the handle tells.
    if (!wine_.ownsItem(item.get(), name)) {
        opened.refusal = Outcome::Link;
        return opened;
    }
    nt::Identity& identity = opened.identity;
    if (!nt::queryIdentity(item.get(), identity)) {
        return opened;
    }
    const bool isFolder = (identity.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if ((identity.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
        nt::isNameSurrogate(nt::queryReparseTag(item.get()))) {
        opened.refusal = Outcome::Link;
        return opened;
    }
    if (isFolder != (kind == Kind::Folder)) {
        opened.refusal = expected != nullptr ? Outcome::Replaced : Outcome::Failed;
        return opened;
    }
    if (expected != nullptr) {
        if (expected->fileId != 0 && identity.id != 0 && expected->fileId != identity.id) {
            opened.refusal = Outcome::Replaced; // another item took the listed one's place
            return opened;
        }
        if ((identity.attributes & NotForDeletion) != 0 &&
            (expected->attributes & NotForDeletion) == 0) {
            opened.refusal = Outcome::HiddenOrSystem;
            return opened;
        }
    }
    opened.item = std::move(item);
    opened.refusal = Outcome::Done;
    return opened;
}

Win32Folder::Opened Win32Folder::openForDeletion(std::wstring_view name, const DirEntry* expected) {
    Opened opened = openItem(name, Kind::File, FileDeletionAccess, expected);
    if (!opened.item && opened.status == nt::AccessDenied) {
        // Wine opens a file for a change of attributes as for writing, which the host refuses
        // an unprivileged user on a read-only file; its attributes still change through a
        // handle opened for deletion.
        opened = openItem(name, Kind::File, DELETE | FILE_READ_ATTRIBUTES, expected);
    }
    return opened;
}

std::optional<std::vector<DirEntry>> Win32Folder::list() {
    std::vector<DirEntry> entries;
    std::uint64_t parentSeen = 0;
    const bool read = forEachEntry(handle_.get(), [&](const nt::DirectoryEntry& entry) {
        const std::wstring_view name = nameOf(entry);
        if (isDots(name)) {
            if (name == L"..") {
                parentSeen = idOf(entry.fileId);
            }
            return;
        }
        entries.push_back({narrowUtf8(name), listedAttributes(entry),
                           static_cast<std::uint64_t>(entry.endOfFile.QuadPart),
                           idOf(entry.fileId)});
    });
    if (!read || !wine_.acceptListing(parentSeen, entries)) {
        return std::nullopt;
    }
    return entries;
}

std::unique_ptr<Folder> Win32Folder::openFolder(std::string_view name, const DirEntry* expected) {
    const std::wstring wide = widen(name);
    Opened opened = openItem(wide, Kind::Folder, FolderAccess | FILE_WRITE_ATTRIBUTES, expected);
    if (!opened.item && opened.status == nt::AccessDenied) {
        opened = openItem(wide, Kind::Folder, FolderAccess, expected);
    }
    if (!opened.item) {
        return nullptr;
    }
    return std::unique_ptr<Folder>(new Win32Folder(std::move(opened.item), opened.identity.id,
                                                   wine_.forChild(handle_.get(), id_, wide)));
}

bool Win32Folder::setAttributes(std::uint32_t attributes) {
    return nt::succeeded(nt::setBasic(handle_.get(), attributes & Settable));
}

Outcome Win32Folder::deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                                const DirEntry* expected) {
    const std::wstring wide = widen(name);
    if (wine_.refusesName(handle_.get(), wide)) {
        return Outcome::Failed;
    }
    Opened opened = openForDeletion(wide, expected);
    if (!opened.item) {
        // In use by a program that shares no deletion: its attributes still change, as they
        // need no deletion access.
        if (opened.status == nt::SharingViolation && attributes) {
            const Opened inUse =
                openItem(wide, Kind::File, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, expected);
            if (inUse.item && inUse.identity.links == 1 &&
                (inUse.identity.attributes & Settable) != (*attributes & Settable)) {
                nt::setBasic(inUse.item.get(), *attributes & Settable);
            }
        }
        return opened.refusal;
    }
    const nt::Identity& identity = opened.identity;
    const bool readOnly = (identity.attributes & FILE_ATTRIBUTE_READONLY) != 0;
    nt::Status status = 0;
    if (identity.links > 1) {
        // Its other names share its attributes: clearing read-only here would clear it there.
        status = nt::markForDeletion(opened.item.get(), readOnly);
        if (!nt::succeeded(status) && readOnly) {
            return Outcome::Link;
        }
    } else {
        if (attributes && (identity.attributes & Settable) != (*attributes & Settable)) {
            nt::setBasic(opened.item.get(), *attributes & Settable);
        }
        status = nt::markForDeletion(opened.item.get());
    }
    if (!nt::succeeded(status)) {
        return reasonOf(status, false);
    }
    opened.item.reset();
    return goneOrKept(wide);
}

Outcome Win32Folder::goneOrKept(std::wstring_view name) {
    // A file another program holds open (sharing deletion) goes only when that program lets it
    // go; under Wine a file whose folder was moved away survives at the new place. Either way
    // its name is still in this folder.
    OwnedHandle lookUp;
    const nt::Status status =
        nt::openRelative(handle_.get(), name, FILE_READ_ATTRIBUTES, nt::ShareAll, nt::OpenExisting,
                         nt::OpenReparsePoint, lookUp);
    return isGoneStatus(status) ? Outcome::Done : Outcome::InUse;
}

Win32Folder::Opened Win32Folder::openForRemoval(std::wstring_view name) {
    if (wine_.refusesName(handle_.get(), name)) {
        return {};
    }
    return openItem(name, Kind::Folder, DELETE | FILE_READ_ATTRIBUTES | FILE_LIST_DIRECTORY,
                    nullptr);
}

bool Win32Folder::removeFolder(std::string_view name) {
    const std::wstring wide = widen(name);
    Opened opened = openForRemoval(wide);
    if (!opened.item || !wine_.mayRemove(handle_.get(), id_, opened.item.get(), wide, true) ||
        !nt::succeeded(nt::markForDeletion(opened.item.get()))) {
        return false;
    }
    opened.item.reset();
    return goneOrKept(wide) == Outcome::Done;
}

Outcome Win32Folder::probeDeleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                                     const DirEntry* expected) {
    const std::wstring wide = widen(name);
    if (wine_.refusesName(handle_.get(), wide)) {
        return Outcome::Failed;
    }
    const Opened opened = openForDeletion(wide, expected);
    if (!opened.item) {
        return opened.refusal;
    }
    const ULONG current = opened.identity.attributes;
    if (opened.identity.links > 1) {
        return (current & FILE_ATTRIBUTE_READONLY) == 0 ? Outcome::Done : Outcome::Link;
    }
    const std::uint32_t after = attributes.value_or(current);
    return (after & FILE_ATTRIBUTE_READONLY) == 0 ? Outcome::Done : Outcome::AccessDenied;
}

bool Win32Folder::probeRemoveFolder(std::string_view name) {
    const std::wstring wide = widen(name);
    const Opened opened = openForRemoval(wide);
    return opened.item && holdsNothing(opened.item.get()) &&
           wine_.mayRemove(handle_.get(), id_, opened.item.get(), wide, true);
}

bool Win32Folder::probeRemoveEmptiedFolder(std::string_view name) {
    const std::wstring wide = widen(name);
    const Opened opened = openForRemoval(wide);
    return opened.item && wine_.mayRemove(handle_.get(), id_, opened.item.get(), wide, false);
}

std::string Win32Folder::finalPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (const DWORD volume : {VOLUME_NAME_DOS, VOLUME_NAME_GUID}) {
        for (;;) {
            const DWORD length = GetFinalPathNameByHandleW(handle_.get(), buffer.data(),
                                                           static_cast<DWORD>(buffer.size()),
                                                           FILE_NAME_NORMALIZED | volume);
            if (length == 0) {
                break;
            }
            if (length >= buffer.size()) {
                buffer.resize(length + 1);
                continue;
            }
            std::wstring_view path(buffer.data(), length);
            // "\\?\C:\a" is "C:\a", "\\?\UNC\server\share" is "\\server\share"; a volume
            // without a drive letter keeps its "\\?\Volume{…}".
            if (volume == VOLUME_NAME_DOS && path.starts_with(L"\\\\?\\UNC\\")) {
                return "\\\\" + narrowUtf8(path.substr(8));
            }
            if (volume == VOLUME_NAME_DOS && path.starts_with(L"\\\\?\\")) {
                path.remove_prefix(4);
            }
            return narrowUtf8(path);
        }
    }
    return {};
}

std::wstring Win32Folder::storedName(std::wstring_view name) {
    std::wstring stored;
    forEachEntry(handle_.get(), [&](const nt::DirectoryEntry& entry) {
        const std::wstring_view listed = nameOf(entry);
        if (stored.empty() && listed.size() == name.size() &&
            CompareStringOrdinal(listed.data(), static_cast<int>(listed.size()), name.data(),
                                 static_cast<int>(name.size()), TRUE) == CSTR_EQUAL) {
            stored = listed;
        }
    });
    return stored;
}

Win32Folder::CheckedFile Win32Folder::openCheckedFile(std::wstring_view name, ACCESS_MASK access) {
    CheckedFile checked;
    if (wine_.refusesName(handle_.get(), name)) {
        return checked;
    }
    Opened opened = openItem(name, Kind::File, access | FILE_READ_ATTRIBUTES, nullptr);
    checked.identity = opened.identity;
    if (!opened.item) {
        checked.outcome = opened.refusal;
        return checked;
    }
    if ((opened.identity.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        checked.outcome = Outcome::AccessDenied;
        return checked;
    }
    checked.handle = std::move(opened.item);
    checked.outcome = Outcome::Done;
    return checked;
}

std::vector<Win32Folder::ListedFile> Win32Folder::files() {
    std::vector<ListedFile> files;
    forEachEntry(handle_.get(), [&](const nt::DirectoryEntry& entry) {
        if ((entry.fileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            files.push_back(
                {{narrowUtf8(nameOf(entry)), listedAttributes(entry),
                  static_cast<std::uint64_t>(entry.endOfFile.QuadPart), idOf(entry.fileId)},
                 entry.lastWriteTime.QuadPart});
        }
    });
    return files;
}

} // namespace vp::win32
