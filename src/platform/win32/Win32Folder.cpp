// Win32 open folders: directory handles, relative opens and changes through item handles.
// Never acts through a link: see the threat model in platform/FileSystem.h.
#include "platform/win32/Win32Folder.h"

#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32NtFiles.h"
#include "platform/win32/Win32WineLinks.h"

#include <vector>

namespace vp::win32 {
namespace {

constexpr DWORD Settable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                           FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;
constexpr DWORD NotForDeletion = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr ACCESS_MASK FolderAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
constexpr ACCESS_MASK FileDeletionAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;

// Room for one batch of a folder's listing, kept from call to call.
std::vector<unsigned char>& listingBuffer() {
    thread_local std::vector<unsigned char> buffer(64 * 1024);
    return buffer;
}

std::uint64_t idOf(const LARGE_INTEGER& id) {
    return static_cast<std::uint64_t>(id.QuadPart);
}

bool isGoneStatus(LONG status) {
    return status == nt::ObjectNameNotFound || status == nt::ObjectPathNotFound;
}

// Calls `visit(entry)` for every entry of the open folder, "." and ".." included; false when
// the folder cannot be read.
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

// Under Wine: the open folder `folder` is empty and its ".." is the folder `parentId`.
bool emptyBelow(HANDLE folder, std::uint64_t parentId, bool checkParent) {
    bool empty = true;
    bool parentSeen = !checkParent;
    const bool read = forEachEntry(folder, [&](const nt::DirectoryEntry& entry) {
        const std::wstring_view name = nameOf(entry);
        if (name == L"..") {
            parentSeen = parentSeen || idOf(entry.fileId) == parentId;
        } else if (name != L".") {
            empty = false;
        }
    });
    return read && empty && parentSeen;
}

} // namespace

std::unique_ptr<Win32Folder> Win32Folder::open(const std::wstring& extendedPath) {
    if (extendedPath.empty()) {
        return nullptr;
    }
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE handle = CreateFileW(extendedPath.c_str(), FolderAccess | FILE_WRITE_ATTRIBUTES,
                                nt::ShareAll, nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        handle = CreateFileW(extendedPath.c_str(), FolderAccess, nt::ShareAll, nullptr,
                             OPEN_EXISTING, flags, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    auto owned = std::make_shared<OwnedHandle>(handle);
    ULONG attributes = 0;
    if (!nt::queryAttributes(handle, attributes) || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return nullptr;
    }
    std::unique_ptr<Win32Folder> folder(new Win32Folder(owned, nt::queryFileId(handle)));
    if (wine::running()) {
        // Wine's folder links show as reparse points only when looked up by name.
        const DWORD byName = GetFileAttributesW(extendedPath.c_str());
        if (byName == INVALID_FILE_ATTRIBUTES || (byName & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            return nullptr;
        }
        folder->keptName_ = wine::keptName(handle);
        folder->lookAlike_ = wine::ancestorsHaveLookAlikes(folder->keptName_);
    }
    return folder;
}

Win32Folder::Opened Win32Folder::openItem(std::wstring_view name, Kind kind, ACCESS_MASK access,
                                          const DirEntry* expected) {
    Opened opened;
    HANDLE handle = INVALID_HANDLE_VALUE;
    const ULONG options =
        (kind == Kind::File ? nt::NonDirectoryOnly : nt::DirectoryOnly) | nt::OpenReparsePoint;
    opened.status = nt::openRelative(handle_->get(), name, access, nt::ShareAll, nt::OpenExisting,
                                     options, handle);
    if (!nt::succeeded(opened.status)) {
        return opened;
    }
    auto item = std::make_unique<OwnedHandle>(handle);
    if (wine::running()) {
        // Wine shows no reparse points and gives a link its target's attributes and file id,
        // so only the name it keeps for the handle tells a link from this folder's own item.
        if (wine::keptName(handle) != wine::childName(keptName_, name)) {
            return opened;
        }
        // That name is all a file needs: asking its attributes again would cost Wine one more
        // round trip per file and tell nothing new.
        if (kind == Kind::File && expected != nullptr) {
            opened.attributes = expected->attributes;
            opened.item = std::move(item);
            return opened;
        }
    }
    ULONG attributes = 0;
    if (!nt::queryAttributes(handle, attributes)) {
        return opened;
    }
    opened.attributes = attributes;
    const bool isFolder = (opened.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if ((opened.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
        isFolder != (kind == Kind::Folder)) {
        return opened;
    }
    if (kind == Kind::Folder || (expected != nullptr && expected->fileId != 0)) {
        opened.id = nt::queryFileId(handle);
    }
    if (expected != nullptr) {
        if (expected->fileId != 0 && opened.id != 0 && expected->fileId != opened.id) {
            return opened; // another item took the listed one's place
        }
        if ((opened.attributes & NotForDeletion) != 0 &&
            (expected->attributes & NotForDeletion) == 0) {
            return opened;
        }
    }
    opened.item = std::move(item);
    return opened;
}

bool Win32Folder::wineRefuses(std::wstring_view name) const {
    return wine::running() && (lookAlike_ || sharedSpellings_.contains(wine::spelling(name)));
}

std::optional<std::vector<DirEntry>> Win32Folder::list() {
    std::vector<DirEntry> entries;
    std::uint64_t parentSeen = 0;
    const bool read = forEachEntry(handle_->get(), [&](const nt::DirectoryEntry& entry) {
        const std::wstring_view name = nameOf(entry);
        if (isDots(name)) {
            if (name == L"..") {
                parentSeen = idOf(entry.fileId);
            }
            return;
        }
        entries.push_back({narrowUtf8(name), entry.fileAttributes,
                           static_cast<std::uint64_t>(entry.endOfFile.QuadPart),
                           idOf(entry.fileId)});
    });
    if (!read) {
        return std::nullopt;
    }
    if (wine::running()) {
        // A folder reached through a link lists its real parent as "..".
        if (parent_ && parentSeen != parentId_) {
            return std::nullopt;
        }
        if (parent_ && !lookAlike_) {
            lookAlike_ = wine::hasLookAlike(parent_->get(), nameInParent_);
        }
        std::vector<std::wstring> names;
        names.reserve(entries.size());
        for (const DirEntry& entry : entries) {
            names.push_back(widen(entry.name));
        }
        sharedSpellings_ = wine::sharedSpellings(names);
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
    std::unique_ptr<Win32Folder> child(
        new Win32Folder(std::shared_ptr<OwnedHandle>(std::move(opened.item)), opened.id));
    if (wine::running()) {
        child->parent_ = handle_;
        child->parentId_ = id_;
        child->nameInParent_ = wide;
        child->keptName_ = wine::childName(keptName_, wide);
        child->lookAlike_ = lookAlike_;
    }
    return child;
}

bool Win32Folder::setAttributes(std::uint32_t attributes) {
    return nt::succeeded(nt::setBasic(handle_->get(), attributes & Settable));
}

Deletion Win32Folder::deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                                 const DirEntry* expected) {
    const std::wstring wide = widen(name);
    if (wineRefuses(wide)) {
        return Deletion::Kept;
    }
    Opened opened = openItem(wide, Kind::File, FileDeletionAccess, expected);
    if (!opened.item) {
        if (isGoneStatus(opened.status)) {
            return Deletion::Missing;
        }
        // In use by a program that shares no deletion: its attributes still change, as they
        // need no deletion access.
        if (opened.status == nt::SharingViolation && attributes) {
            Opened inUse =
                openItem(wide, Kind::File, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, expected);
            if (inUse.item && (inUse.attributes & Settable) != (*attributes & Settable)) {
                nt::setBasic(inUse.item->get(), *attributes & Settable);
            }
        }
        return Deletion::Kept;
    }
    if (attributes && (opened.attributes & Settable) != (*attributes & Settable)) {
        nt::setBasic(opened.item->get(), *attributes & Settable);
    }
    return nt::succeeded(nt::markForDeletion(opened.item->get())) ? Deletion::Deleted
                                                                  : Deletion::Kept;
}

Win32Folder::Opened Win32Folder::openForRemoval(std::wstring_view name) {
    if (wineRefuses(name)) {
        return {};
    }
    return openItem(name, Kind::Folder, DELETE | FILE_READ_ATTRIBUTES | FILE_LIST_DIRECTORY,
                    nullptr);
}

bool Win32Folder::removeFolder(std::string_view name) {
    const std::wstring wide = widen(name);
    const Opened opened = openForRemoval(wide);
    if (!opened.item) {
        return false;
    }
    // Under Wine the folder must be this one's own child (a link's target has another parent):
    // removing a link to an empty folder would remove its target.
    if (wine::running() &&
        (wine::hasLookAlike(handle_->get(), wide) || !emptyBelow(opened.item->get(), id_, true))) {
        return false;
    }
    return nt::succeeded(nt::markForDeletion(opened.item->get()));
}

Deletion Win32Folder::probeDeleteFile(std::string_view name,
                                      std::optional<std::uint32_t> attributes) {
    const std::wstring wide = widen(name);
    if (wineRefuses(wide)) {
        return Deletion::Kept;
    }
    const Opened opened = openItem(wide, Kind::File, FileDeletionAccess, nullptr);
    if (!opened.item) {
        return isGoneStatus(opened.status) ? Deletion::Missing : Deletion::Kept;
    }
    const std::uint32_t after = attributes.value_or(opened.attributes);
    return (after & FILE_ATTRIBUTE_READONLY) == 0 ? Deletion::Deleted : Deletion::Kept;
}

bool Win32Folder::probeRemoveFolder(std::string_view name) {
    const std::wstring wide = widen(name);
    const Opened opened = openForRemoval(wide);
    return opened.item && emptyBelow(opened.item->get(), id_, wine::running());
}

bool Win32Folder::probeRemoveEmptiedFolder(std::string_view name) {
    const std::wstring wide = widen(name);
    const Opened opened = openForRemoval(wide);
    if (!opened.item) {
        return false;
    }
    if (!wine::running()) {
        return true;
    }
    // Under Wine a link to a folder opens as its target: it must list this folder as its "..".
    bool parentSeen = false;
    forEachEntry(opened.item->get(), [&](const nt::DirectoryEntry& entry) {
        parentSeen = parentSeen || (nameOf(entry) == L".." && idOf(entry.fileId) == id_);
    });
    return parentSeen && !wine::hasLookAlike(handle_->get(), wide);
}

std::wstring Win32Folder::storedName(std::wstring_view name) {
    std::wstring stored;
    forEachEntry(handle_->get(), [&](const nt::DirectoryEntry& entry) {
        const std::wstring_view listed = nameOf(entry);
        if (stored.empty() && listed.size() == name.size() &&
            CompareStringOrdinal(listed.data(), static_cast<int>(listed.size()), name.data(),
                                 static_cast<int>(name.size()), TRUE) == CSTR_EQUAL) {
            stored = listed;
        }
    });
    return stored;
}

HANDLE Win32Folder::openCheckedFile(std::wstring_view name, ACCESS_MASK access, bool& missing) {
    missing = false;
    if (wineRefuses(name)) {
        return INVALID_HANDLE_VALUE;
    }
    Opened opened = openItem(name, Kind::File, access | FILE_READ_ATTRIBUTES, nullptr);
    if (!opened.item) {
        missing = isGoneStatus(opened.status);
        return INVALID_HANDLE_VALUE;
    }
    if ((opened.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return INVALID_HANDLE_VALUE;
    }
    // The caller closes the handle.
    HANDLE handle = INVALID_HANDLE_VALUE;
    DuplicateHandle(GetCurrentProcess(), opened.item->get(), GetCurrentProcess(), &handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return handle;
}

} // namespace vp::win32
