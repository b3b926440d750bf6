// Wine shows the host's symbolic links as the files and folders they lead to: no reparse
// point, and a deletion through the link's name deletes its target. Wine never tells a link
// from its target by attributes or file id; only the name it keeps for an open handle (the
// target's real path) gives it away, and that name drops the dots and blanks that end a
// component, so "sweep.\x" reads like "sweep\x". The file service therefore checks, under Wine
// only, every item it opens to change: the handle's name must be the folder's name and the
// listed name, letter case included, and names that the dropped dots and blanks would make
// ambiguous are refused outright. Identity (file id) checks close the swaps made after a
// listing; the name checks close the links planted before it.
//
// All of it lives in one object per open folder, WineFolderChecks; outside Wine it holds
// nothing and every check passes at once, so the folder's code has no branch of its own.
#pragma once

#include "platform/FileSystem.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vp::win32 {

namespace wine {
bool running();
} // namespace wine

class WineFolderChecks {
public:
    // For the folder opened by its path `extendedPath` as `folder`; false from valid() when
    // the path's last part is a link or the folder cannot tell its name from a sibling's.
    static WineFolderChecks forRoot(HANDLE folder, const std::wstring& extendedPath);
    // For the subfolder `name` of this folder (`parent`, whose id is `parentId`), opened and
    // found to be this folder's own (ownsItem).
    WineFolderChecks forChild(HANDLE parent, std::uint64_t parentId, std::wstring_view name);

    bool valid() const { return valid_; }

    // The item opened as `item` for `name` is this folder's own, not a link's target.
    bool ownsItem(HANDLE item, std::wstring_view name) const;
    // `name` in this folder (`folder`) cannot be told from another item's name: it is never
    // changed. Judged on the last listing's names, or on a listing made now before any.
    bool refusesName(HANDLE folder, std::wstring_view name);
    // A listing of this folder, whose ".." has the id `parentIdSeen`: false when the folder
    // lies elsewhere than in the folder it was opened from. Keeps the listed names for
    // refusesName.
    bool acceptListing(std::uint64_t parentIdSeen, const std::vector<DirEntry>& entries);
    // The subfolder `name`, opened as `child`, lies in this folder (`folder`, id `folderId`)
    // and may be removed: its ".." is this folder, nothing shares its spelling, and, when
    // `empty` is asked, it holds nothing.
    bool mayRemove(HANDLE folder, std::uint64_t folderId, HANDLE child, std::wstring_view name,
                   bool empty);

private:
    // The spellings that two or more of the folder's names share (see refusesName).
    const std::unordered_set<std::wstring>& sharedSpellings(HANDLE folder);
    void keepSpellings(const std::vector<DirEntry>& entries);

    bool active_ = false;
    bool valid_ = true;
    std::wstring keptName_;      // the folder's name as Wine keeps it for its handle
    std::uint64_t parentId_ = 0; // 0 for a folder opened by path
    bool lookAlike_ = false;     // the folder or one above it has a look-alike sibling
    bool listed_ = false;
    std::unordered_set<std::wstring> sharedSpellings_;
};

} // namespace vp::win32
