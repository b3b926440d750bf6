#include "app/ListingControls.h"

#include "platform/FileSystem.h"
#include "platform/NameCompare.h"

#include <algorithm>

namespace vp {
namespace {

constexpr std::uint32_t NeverListed =
    FileAttribute::Hidden | FileAttribute::System | FileAttribute::ReparsePoint;

std::string withoutTrailingBackslash(std::string_view folder) {
    std::string path(folder);
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

// Sorts by name without regard to case; each name is folded once, not at every comparison.
void sortByName(std::vector<DirEntry>& entries) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        keys.emplace_back(foldCase(entries[i].name), i);
    }
    std::sort(keys.begin(), keys.end(), [&entries](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first
                                  : entries[a.second].name < entries[b.second].name;
    });
    std::vector<DirEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& key : keys) {
        sorted.push_back(std::move(entries[key.second]));
    }
    entries = std::move(sorted);
}

} // namespace

FolderListing SplitListing(std::vector<DirEntry> entries) {
    FolderListing listing;
    for (DirEntry& entry : entries) {
        if ((entry.attributes & NeverListed) != 0) {
            continue;
        }
        ((entry.attributes & FileAttribute::Directory) != 0 ? listing.folders : listing.files)
            .push_back(std::move(entry));
    }
    sortByName(listing.files);
    sortByName(listing.folders);
    return listing;
}

bool ListingControl::load(std::string_view folder, bool folders) {
    names_.clear();
    path_ = withoutTrailingBackslash(folder);
    auto entries = folder.empty() ? std::nullopt : fileSystem_.listFolder(folder);
    if (!entries) {
        return false;
    }
    FolderListing listing = SplitListing(std::move(*entries));
    for (DirEntry& entry : folders ? listing.folders : listing.files) {
        names_.push_back(std::move(entry.name));
    }
    return true;
}

std::string ListingControl::list(int index) const {
    std::string full = path_;
    if (full.empty() || full.back() != '\\') {
        full += '\\';
    }
    return full + name(index);
}

bool FileListBox::setPath(std::string_view folder) {
    return load(folder, false);
}

bool DirListBox::setPath(std::string_view folder) {
    const bool listed = load(folder, true);
    // The change event follows every change of folder, so File1 never keeps another folder's
    // names, also when this one cannot be listed.
    if (onChange_) {
        onChange_();
    }
    return listed;
}

} // namespace vp
