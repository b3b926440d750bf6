// The preview's record of what a run would have changed on disk, folder by folder: names gone
// and attributes given. Folders are keyed by their path folded for comparison; only folders in
// which something would change have a record, so it grows with the run's changes, never with
// the size of the tree it walks.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vp::preview {

// A set of names in one flat table: a name short enough to sit inside its string costs no
// allocation of its own, which keeps recording a folder's deletions as cheap as making them.
// Names are only ever added.
class NameSet {
public:
    static std::size_t hashOf(std::string_view name) { return std::hash<std::string_view>{}(name); }
    bool contains(std::string_view name) const { return contains(name, hashOf(name)); }
    bool contains(std::string_view name, std::size_t hash) const;
    void insert(std::string name) {
        const std::size_t hash = hashOf(name);
        insert(std::move(name), hash);
    }
    void insert(std::string name, std::size_t hash); // `hash` is hashOf(name)
    void reserve(std::size_t names);
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    // Where `name` is, or the free slot for it.
    std::size_t slotOf(std::string_view name, std::size_t hash) const;
    void grow(std::size_t slots);

    std::vector<std::string> slots_;
    std::vector<bool> used_;
    std::size_t size_ = 0;
};

struct FolderChanges {
    NameSet gone;                                              // folded names
    std::unordered_map<std::string, std::uint32_t> attributes; // folded name: new attributes
    // Items the folder would still hold, counted from its last listing; -1 when unknown.
    long remaining = -1;
};

class FileOverlay {
public:
    // The folded key of a path: case folded, without trailing backslashes.
    static std::string keyOf(std::string_view path);
    static std::string childKey(std::string_view folderKey, std::string_view foldedName);
    // Splits a key into its folder's key and its last (folded) name.
    static std::pair<std::string, std::string> split(const std::string& key);

    FolderChanges* find(const std::string& folderKey);
    // Changes whenever a record is made or dropped: a pointer from find() stays good until then.
    std::uint64_t generation() const { return generation_; }
    FolderChanges& changes(const std::string& folderKey);
    // True when the item at `key`, or a folder above it, would be gone.
    bool goneOnPath(const std::string& key) const;
    // The attributes the item at `key` would have, when the run would give it some.
    std::optional<std::uint32_t> attributesOf(const std::string& key) const;
    // Records the item at `key` as gone; a folder's own record and those below it are dropped.
    void recordGone(const std::string& key);
    void recordAttributes(const std::string& key, std::uint32_t attributes);

    // Files the run would have written, by path; never shown by a listing.
    std::vector<std::string> writes;
    // Files the program itself holds mapped (their keys): their deletion would be refused.
    std::unordered_set<std::string> held;
    std::size_t foldersWithChanges() const { return folders_.size(); }
    // Names the record holds now, gone or given attributes: what its memory grows with.
    std::size_t namesHeld() const;

private:
    std::map<std::string, FolderChanges, std::less<>> folders_;
    std::uint64_t generation_ = 0;
};

} // namespace vp::preview
