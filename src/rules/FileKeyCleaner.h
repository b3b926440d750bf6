// One FileKey run: the folders its path reaches (FolderWalk.h), then in each the files its
// patterns match, deleted through the folder's handle by the names its listing gave.
//
//   - `*` and `*.*` match every file; hidden and system files only when a pattern names them
//     exactly (no wildcard), as the scripting object's DeleteFile does.
//   - RECURSE does the same in every folder below; folders stay, emptied or not.
//   - REMOVESELF does what RECURSE does, then removes each folder that ends up empty, the
//     key's own folder included: a folder still holding anything (a file no pattern matched,
//     one excluded or kept) stays.
//   - Links are never entered nor deleted through.
//   - A key that is recursive or takes every file is refused when its folder is a protected
//     place (ProtectedPlaces.h); a key naming files by pattern, not recursive, may still
//     delete them there.
#pragma once

#include "rules/Exclusions.h"
#include "rules/ItemTally.h"
#include "rules/RootExpansion.h"
#include "rules/RuleModel.h"

namespace vp {
class FileSystem;
}

namespace vp::rules {

void runFileKey(FileSystem& files, const FileKey& key, RootExpander& expander,
                const Exclusions& exclusions, ItemTally& tally);

} // namespace vp::rules
