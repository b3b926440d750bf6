// An open folder on Win32: a directory handle opened without following a link, listed from the
// handle, with every item inside opened relative to it (never by a path a link could redirect)
// and changed through that item's own handle.
#pragma once

#include "platform/FileSystem.h"

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_set>

namespace vp::win32 {

// Owns one handle; shared by a folder and the subfolders opened from it, which look back at
// their parent under Wine.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

class Win32Folder final : public Folder {
public:
    // Opens the folder at `extendedPath` ("\\?\C:\a"); nullptr when it is no real folder.
    static std::unique_ptr<Win32Folder> open(const std::wstring& extendedPath);

    std::optional<std::vector<DirEntry>> list() override;
    std::unique_ptr<Folder> openFolder(std::string_view name, const DirEntry* expected) override;
    bool setAttributes(std::uint32_t attributes) override;
    Deletion deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                        const DirEntry* expected) override;
    bool removeFolder(std::string_view name) override;
    Deletion probeDeleteFile(std::string_view name,
                             std::optional<std::uint32_t> attributes) override;
    bool probeRemoveFolder(std::string_view name) override;
    bool probeRemoveEmptiedFolder(std::string_view name) override;

    // For saving a file beside others: the folder's handle, and the name a file of this folder
    // really has when `name` names it without regard to case (empty when none does).
    HANDLE handle() const { return handle_->get(); }
    std::wstring storedName(std::wstring_view name);
    // Opens the existing file `name` for `access`, checked like an item about to be deleted;
    // INVALID_HANDLE_VALUE when it is missing (`missing` set) or refused.
    HANDLE openCheckedFile(std::wstring_view name, ACCESS_MASK access, bool& missing);

private:
    Win32Folder(std::shared_ptr<OwnedHandle> handle, std::uint64_t id)
        : handle_(std::move(handle)), id_(id) {}

    enum class Kind { File, Folder };
    struct Opened {
        std::unique_ptr<OwnedHandle> item; // null when refused
        LONG status = 0;                   // why it could not be opened
        std::uint32_t attributes = 0;
        std::uint64_t id = 0;
    };
    // Opens the item `name` inside this folder and checks it is what the caller may change:
    // a file or a folder as asked, no link, the identity `expected` gives, not hidden or system
    // when `expected` was neither, and under Wine the name the handle really has.
    Opened openItem(std::wstring_view name, Kind kind, ACCESS_MASK access,
                    const DirEntry* expected);
    // The subfolder `name` opened for removal, checked as openItem does; refused under Wine
    // when this folder cannot tell it from another one.
    Opened openForRemoval(std::wstring_view name);
    // Under Wine: names this folder cannot tell from another one, which are never changed.
    bool wineRefuses(std::wstring_view name) const;
    // Under Wine: the subfolder opened as `child` really lies in this folder (its ".." is this
    // folder) and is empty or not, as the listing shows.
    bool wineFolderChecks(Win32Folder& child);

    std::shared_ptr<OwnedHandle> handle_;
    std::uint64_t id_ = 0;
    // Under Wine only.
    std::shared_ptr<OwnedHandle> parent_;
    std::uint64_t parentId_ = 0;
    std::wstring nameInParent_;
    std::wstring keptName_;
    bool lookAlike_ = false;
    std::unordered_set<std::wstring> sharedSpellings_;
};

} // namespace vp::win32
