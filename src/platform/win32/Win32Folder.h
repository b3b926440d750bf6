// An open folder on Win32: a directory handle opened without following a link, listed from the
// handle, with every item inside opened relative to it (never by a path a link could redirect)
// and changed through that item's own handle. Every item is checked before it is changed, on
// Windows and under Wine alike: a file or a folder as asked, no link, still the listed item
// (same file id), not hidden or system unless listed so; a file with other names keeps its
// attributes. A file counts as deleted only when, its handle closed, the folder holds nothing
// of its name any more.
#pragma once

#include "platform/FileSystem.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32NtFiles.h"
#include "platform/win32/Win32WineLinks.h"

#include <windows.h>

#include <memory>
#include <string>

namespace vp::win32 {

class Win32Folder final : public Folder {
public:
    // Opens the folder at `extendedPath` ("\\?\C:\a", without a trailing backslash but for a
    // drive's root); nullptr when it is no real folder, or a link.
    static std::unique_ptr<Win32Folder> open(const std::wstring& extendedPath);

    std::optional<std::vector<DirEntry>> list() override;
    std::unique_ptr<Folder> openFolder(std::string_view name, const DirEntry* expected) override;
    bool setAttributes(std::uint32_t attributes) override;
    Outcome deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                       const DirEntry* expected) override;
    bool removeFolder(std::string_view name) override;
    Outcome probeDeleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                            const DirEntry* expected) override;
    bool probeRemoveFolder(std::string_view name) override;
    bool probeRemoveEmptiedFolder(std::string_view name) override;
    std::string finalPath() override;

    // For saving a file beside others: the folder's handle, and the name a file of this folder
    // really has when `name` names it without regard to case (empty when none does).
    HANDLE handle() const { return handle_.get(); }
    std::wstring storedName(std::wstring_view name);

    // The existing file `name`, opened for `access` and checked like an item about to be
    // changed. Without a handle, `outcome` says why: Vanished, Link (a link to elsewhere,
    // which the caller may follow), AccessDenied (read-only, too), or another refusal.
    struct CheckedFile {
        OwnedHandle handle;
        Outcome outcome = Outcome::Failed;
        nt::Identity identity;
    };
    CheckedFile openCheckedFile(std::wstring_view name, ACCESS_MASK access);

    // The files of this folder with the time each was last written (FILETIME units); for
    // cleaning up after an earlier save.
    struct ListedFile {
        DirEntry entry;
        std::int64_t lastWrite = 0;
    };
    std::vector<ListedFile> files();

private:
    Win32Folder(OwnedHandle handle, std::uint64_t id, WineFolderChecks wine)
        : handle_(std::move(handle)), id_(id), wine_(std::move(wine)) {}

    enum class Kind { File, Folder };
    struct Opened {
        OwnedHandle item;                  // null when refused
        Outcome refusal = Outcome::Failed; // why, when refused
        nt::Status status = 0;             // the open's own status
        nt::Identity identity;
    };
    // Opens the item `name` inside this folder and checks it is what the caller may change:
    // a file or a folder as asked, no link, the identity `expected` gives, not hidden or system
    // when `expected` was neither, and under Wine the name the handle really has.
    Opened openItem(std::wstring_view name, Kind kind, ACCESS_MASK access,
                    const DirEntry* expected);
    // openItem for a file about to be deleted; without the right to change its attributes
    // where that is refused (a read-only file of an unprivileged user under Wine).
    Opened openForDeletion(std::wstring_view name, const DirEntry* expected);
    // The subfolder `name` opened for removal, checked as openItem does.
    Opened openForRemoval(std::wstring_view name);
    // After a deletion: Done when the folder holds nothing of that name any more.
    Outcome goneOrKept(std::wstring_view name);

    OwnedHandle handle_;
    std::uint64_t id_ = 0;
    WineFolderChecks wine_;
};

} // namespace vp::win32
