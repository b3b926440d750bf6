#include "app/ListingControls.h"

#include "platform/FileSystem.h"
#include "platform/NameCompare.h"

#include <algorithm>

namespace vp {
namespace {

constexpr std::uint32_t NeverListed =
    FileAttribute::Hidden | FileAttribute::System | FileAttribute::ReparsePoint;

bool isListedFile(std::uint32_t attributes) {
    return (attributes & (NeverListed | FileAttribute::Directory)) == 0;
}

bool isListedFolder(std::uint32_t attributes) {
    return (attributes & FileAttribute::Directory) != 0 && (attributes & NeverListed) == 0;
}

std::string withoutTrailingBackslash(std::string_view folder) {
    std::string path(folder);
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

} // namespace

bool ListingControl::load(std::string_view folder, bool (*wanted)(std::uint32_t)) {
    if (folder.empty()) {
        return false;
    }
    auto entries = fileSystem_.listFolder(folder);
    if (!entries) {
        return false;
    }
    // Each name is folded once, not at every comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(entries->size());
    for (auto& entry : *entries) {
        if (wanted(entry.attributes)) {
            keyed.emplace_back(foldCase(entry.name), std::move(entry.name));
        }
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> names;
    names.reserve(keyed.size());
    for (auto& [folded, name] : keyed) {
        names.push_back(std::move(name));
    }
    path_ = withoutTrailingBackslash(folder);
    names_ = std::move(names);
    return true;
}

std::string ListingControl::list(int index) const {
    std::string full = path_;
    if (full.empty() || full.back() != '\\') {
        full += '\\';
    }
    return full + name(index);
}

bool FileListBox::setPath(std::string_view folder) { return load(folder, isListedFile); }

bool DirListBox::setPath(std::string_view folder) {
    if (!load(folder, isListedFolder)) {
        return false;
    }
    if (onChange_) {
        onChange_();
    }
    return true;
}

} // namespace vp
