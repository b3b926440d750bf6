// The walk below a key's folder keeps an explicit stack instead of recursing, as the sweeper
// does, so a tree thousands of folders deep cannot exhaust the call stack.
#include "rules/FileKeyCleaner.h"

#include "platform/FileSystem.h"
#include "platform/NameCompare.h"
#include "platform/ProtectedPlaces.h"
#include "rules/FolderWalk.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace vp::rules {
namespace {

constexpr std::uint32_t HiddenOrSystem = FileAttribute::Hidden | FileAttribute::System;
constexpr std::uint32_t NeedsClearing = FileAttribute::ReadOnly | HiddenOrSystem;

// Whether the key's patterns take `file`: any pattern for an ordinary file, only a pattern
// naming it exactly for a hidden or system one.
bool patternsTake(const PatternList& patterns, const DirEntry& file) {
    const bool hidden = (file.attributes & HiddenOrSystem) != 0;
    for (const Pattern pattern : patterns) {
        if (!pattern.wildcard) {
            if (namesEqual(pattern.text, file.name)) {
                return true;
            }
        } else if (!hidden && (pattern.everything || wildcardMatch(pattern.text, file.name))) {
            return true;
        }
    }
    return false;
}

bool isPlainFolder(const DirEntry& item) {
    return (item.attributes & FileAttribute::Directory) != 0 &&
           (item.attributes & FileAttribute::ReparsePoint) == 0;
}

struct Frame {
    std::shared_ptr<Folder> folder;
    std::string path;
    std::vector<DirEntry> subfolders;
    std::size_t next = 0;
    bool leftSomething = false; // a file or folder stays in it: it cannot be removed
};

class KeyRun {
public:
    KeyRun(FileSystem& files, const FileKey& key, const Exclusions& exclusions, ItemTally& tally)
        : files_(files), key_(key), exclusions_(exclusions), tally_(tally),
          recursive_(key.flag != FileKeyFlag::None),
          removeSelf_(key.flag == FileKeyFlag::RemoveSelf) {}

    void run(ReachedFolder& start) {
        if (recursive_ || key_.patterns.matchesEverything()) {
            if (const auto place = RefusedSweepRoot(start.path, *start.folder, files_)) {
                tally_.refused({start.path, Outcome::ProtectedPlace, place});
                return;
            }
        }
        std::vector<Frame> stack;
        if (!enter(stack, start.folder, start.path)) {
            return;
        }
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.next < top.subfolders.size()) {
                const DirEntry& subfolder = top.subfolders[top.next++];
                std::shared_ptr<Folder> opened = top.folder->openFolder(subfolder.name, &subfolder);
                std::string path = joinPath(top.path, subfolder.name);
                if (!opened) {
                    top.leftSomething = true;
                    continue;
                }
                // Not pushed when it cannot be listed: `top` is still this folder's.
                if (!enter(stack, std::move(opened), std::move(path))) {
                    top.leftSomething = true;
                }
                continue;
            }
            // Every subfolder is done: those emptied go, when the key says so.
            bool left = top.leftSomething;
            if (removeSelf_) {
                for (const DirEntry& subfolder : top.subfolders) {
                    if (!emptied_.contains(foldCase(joinPath(top.path, subfolder.name)))) {
                        left = true;
                        continue;
                    }
                    const bool removed = top.folder->removeFolder(subfolder.name);
                    tally_.folder(joinPath(top.path, subfolder.name),
                                  removed ? Outcome::Done : Outcome::Failed);
                    left = left || !removed;
                }
            } else if (!top.subfolders.empty()) {
                left = true;
            }
            if (!left) {
                emptied_.insert(foldCase(top.path));
            }
            stack.pop_back();
        }
        // Windows refuses to remove a folder that is still open (this walk's own handle
        // included): every handle on it is let go first.
        start.folder.reset();
        if (removeSelf_ && start.parent && emptied_.contains(foldCase(start.path))) {
            const bool removed = start.parent->removeFolder(start.name);
            tally_.folder(start.path, removed ? Outcome::Done : Outcome::Failed);
        }
    }

private:
    // Lists one folder, deletes its matching files and pushes it with its subfolders (those of
    // a recursive key). False when it cannot be listed: it is reported, never guessed at.
    bool enter(std::vector<Frame>& stack, std::shared_ptr<Folder> folder, std::string path) {
        auto listing = folder->list();
        if (!listing) {
            tally_.refused({path, Outcome::AccessDenied, std::nullopt});
            return false;
        }
        Frame frame{std::move(folder), std::move(path), {}, 0, false};
        for (DirEntry& item : *listing) {
            if ((item.attributes & FileAttribute::Directory) != 0) {
                if (recursive_ && isPlainFolder(item)) {
                    frame.subfolders.push_back(std::move(item));
                } else {
                    frame.leftSomething = true;
                }
                continue;
            }
            if ((item.attributes & FileAttribute::ReparsePoint) != 0 ||
                !patternsTake(key_.patterns, item) ||
                exclusions_.excludesFile(frame.path, item.name)) {
                frame.leftSomething = true;
                continue;
            }
            std::optional<std::uint32_t> attributes;
            if ((item.attributes & NeedsClearing) != 0) {
                attributes = FileAttribute::Archive;
            }
            const Outcome outcome = frame.folder->deleteFile(item.name, attributes, &item);
            tally_.file(joinPath(frame.path, item.name), item, outcome);
            if (outcome != Outcome::Done && outcome != Outcome::Vanished) {
                frame.leftSomething = true;
            }
        }
        stack.push_back(std::move(frame));
        return true;
    }

    FileSystem& files_;
    const FileKey& key_;
    const Exclusions& exclusions_;
    ItemTally& tally_;
    bool recursive_;
    bool removeSelf_;
    // Folders left empty by this run (folded paths): the only ones it removes.
    std::unordered_set<std::string> emptied_;
};

} // namespace

void runFileKey(FileSystem& files, const FileKey& key, RootExpander& expander,
                const Exclusions& exclusions, ItemTally& tally) {
    const Expansion expansion = expander.expand(key.path);
    for (const ExpandedPath& candidate : expansion.candidates) {
        const std::vector<Segment> segments = segmentsOf(candidate);
        walkFolders(files, candidate.root, segments, [&](ReachedFolder& reached) {
            KeyRun(files, key, exclusions, tally).run(reached);
        });
    }
}

} // namespace vp::rules
