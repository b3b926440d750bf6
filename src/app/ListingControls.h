// The two off-screen listing controls the directory sweeper drives: Dir1 lists a folder's
// subfolders, File1 its files. Both never list a link or a hidden or system item, and keep
// their listing in ascending name order, compared without regard to case.
#pragma once

#include "platform/FileSystem.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

class FileSystem;
struct DirEntry;

// One folder's listing as the listing controls show it: its files and its subfolders, each in
// ascending name order compared without regard to case, without hidden, system or link entries.
struct FolderListing {
    std::vector<DirEntry> files;
    std::vector<DirEntry> folders;
    std::vector<DirEntry> unlisted; // hidden, system and link entries, in the listing's order
};
FolderListing SplitListing(std::vector<DirEntry> entries);

class ListingControl {
public:
    explicit ListingControl(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

    // The folder listed, without a trailing backslash (except for a drive's root).
    const std::string& path() const { return path_; }
    int listCount() const { return static_cast<int>(names_.size()); }
    // The name of entry `index` without its folder.
    const std::string& name(int index) const { return names_.at(static_cast<std::size_t>(index)); }
    // The full path of entry `index`: the folder, one backslash, the name.
    std::string list(int index) const;

protected:
    // Lists `folder`, keeping its files or its subfolders. When the folder cannot be listed the
    // control lists nothing (never the names of the folder it showed before) and this is false.
    bool load(std::string_view folder, bool folders);

private:
    FileSystem& fileSystem_;
    std::string path_;
    std::vector<std::string> names_;
};

class FileListBox final : public ListingControl {
public:
    using ListingControl::ListingControl;
    bool setPath(std::string_view folder);
};

class DirListBox final : public ListingControl {
public:
    using ListingControl::ListingControl;
    // Raises the change event after the folder changed.
    bool setPath(std::string_view folder);
    void onChange(std::function<void()> handler) { onChange_ = std::move(handler); }

private:
    std::function<void()> onChange_;
};

} // namespace vp
