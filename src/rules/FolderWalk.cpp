#include "rules/FolderWalk.h"

#include <optional>
#include <vector>

namespace vp::rules {
namespace {

// A folder still to open: its name inside `parent` and what the listing said it was (for a
// name matched by a wildcard), so that one swapped for another since is not entered.
struct Pending {
    std::shared_ptr<Folder> parent;
    std::string name;
    std::optional<DirEntry> listed;
    std::string path;
    std::size_t depth = 0;
};

} // namespace

std::vector<Segment> segmentsOf(const ExpandedPath& path) {
    std::vector<Segment> segments;
    for (const Segment segment : path.segments()) {
        segments.push_back(segment);
    }
    return segments;
}

std::string joinPath(std::string_view path, std::string_view name) {
    std::string out(path);
    if (out.empty() || out.back() != '\\') {
        out += '\\';
    }
    out += name;
    return out;
}

std::string openablePath(std::string_view root) {
    std::string path(root);
    if (path.size() == 2 && path[1] == ':') {
        path += '\\';
    }
    return path;
}

void walkFolders(FileSystem& files, std::string_view root, std::span<const Segment> segments,
                 const std::function<void(ReachedFolder&)>& visit) {
    std::string rootPath = openablePath(root);
    std::shared_ptr<Folder> start = files.openFolder(rootPath);
    if (start) {
        walkFolders(std::move(start), std::move(rootPath), segments, visit);
    }
}

void walkFolders(std::shared_ptr<Folder> start, std::string rootPath,
                 std::span<const Segment> segments,
                 const std::function<void(ReachedFolder&)>& visit) {
    if (!start) {
        return;
    }
    // Children of a folder are queued after it; `expand` opens one folder and queues or visits.
    std::vector<Pending> pending;
    auto expand = [&](std::shared_ptr<Folder> parent, std::string name,
                      std::shared_ptr<Folder> folder, std::string path, std::size_t depth) {
        if (depth == segments.size()) {
            ReachedFolder reached{std::move(parent), std::move(name), std::move(folder),
                                  std::move(path)};
            visit(reached);
            return;
        }
        const Segment segment = segments[depth];
        if (!segment.wildcard) {
            pending.push_back({folder, std::string(segment.text), std::nullopt,
                               joinPath(path, segment.text), depth + 1});
            return;
        }
        auto listing = folder->list();
        if (!listing) {
            return;
        }
        for (DirEntry& item : *listing) {
            const bool isFolder = (item.attributes & FileAttribute::Directory) != 0 &&
                                  (item.attributes & FileAttribute::ReparsePoint) == 0;
            if (isFolder && wildcardMatch(segment.text, item.name)) {
                std::string childPath = joinPath(path, item.name);
                std::string childName = item.name;
                pending.push_back({folder, std::move(childName), std::move(item),
                                   std::move(childPath), depth + 1});
            }
        }
    };
    expand(nullptr, {}, std::move(start), std::move(rootPath), 0);
    while (!pending.empty()) {
        Pending next = std::move(pending.back());
        pending.pop_back();
        std::shared_ptr<Folder> opened =
            next.parent->openFolder(next.name, next.listed ? &*next.listed : nullptr);
        if (opened) {
            expand(std::move(next.parent), std::move(next.name), std::move(opened),
                   std::move(next.path), next.depth);
        }
    }
}

} // namespace vp::rules
