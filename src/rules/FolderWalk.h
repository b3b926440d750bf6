// The folders a rule path names, reached through folder handles: each literal folder is
// opened inside the one before it, and a folder name with wildcards is matched against the
// listing of the folder before it, never expanded as a string. Links are never entered (a
// handle refuses to open one), so a path leads only where its folders really are.
#pragma once

#include "platform/FileSystem.h"
#include "rules/RootExpansion.h"
#include "rules/RuleModel.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vp::rules {

// One folder a walk reached: its handle, the folder holding it (null for the root the walk
// started from) with the name it has there, and its path, for messages and logs.
struct ReachedFolder {
    std::shared_ptr<Folder> parent;
    std::string name;
    std::shared_ptr<Folder> folder;
    std::string path; // without a trailing backslash, except for a drive's root ("C:\")
};

// The folder names of an expanded path, in order.
std::vector<Segment> segmentsOf(const ExpandedPath& path);

// `path` joined with `name` by a single backslash.
std::string joinPath(std::string_view path, std::string_view name);

// Every folder reached from `root` (a full path, "C:" for a drive's root) by the folder names
// `segments`, in no promised order. The walk keeps an explicit list of what is left to open,
// so a path thousands of folders deep cannot exhaust the call stack.
void walkFolders(FileSystem& files, std::string_view root, std::span<const Segment> segments,
                 const std::function<void(ReachedFolder&)>& visit);

// The same from `root`, already open at `rootPath` (a caller walking many paths from one root
// opens it once).
void walkFolders(std::shared_ptr<Folder> root, std::string rootPath,
                 std::span<const Segment> segments,
                 const std::function<void(ReachedFolder&)>& visit);

// `root` as a folder path to open ("C:" becomes "C:").
std::string openablePath(std::string_view root);

} // namespace vp::rules
