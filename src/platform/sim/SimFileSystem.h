// The simulated platform's file system: drive-letter paths held in memory, names compared
// without case but kept as written, with the faults a test needs (files and folders in use,
// folders that cannot be listed, folder links). Nothing here touches the real disk.
#pragma once

#include "platform/FileSystem.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vp::sim {

struct FileOptions {
    std::uint32_t attributes = FileAttribute::Archive;
    bool inUse = false; // held open without sharing by another program: cannot be deleted
    std::string contents;
};

struct FolderOptions {
    std::uint32_t attributes = 0; // Directory is added
    bool inUse = false;           // cannot be removed
    bool unlistable = false;      // listing fails (no rights)
};

struct FileSystemCounters {
    long setAttributes = 0;
    long attributes = 0;
    long deleteFile = 0;
    long removeFolder = 0;
    long listFolder = 0;
};

class SimFileSystem final : public FileSystem {
public:
    SimFileSystem();
    ~SimFileSystem() override;

    // Builders: each creates the missing folders above the item and returns *this.
    SimFileSystem& file(std::string_view path, FileOptions options = {});
    SimFileSystem& folder(std::string_view path, FolderOptions options = {});
    // A folder link at `path` that leads to the folder `target` (which may lie above it).
    SimFileSystem& folderLink(std::string_view path, std::string_view target);
    // Makes every write of replaceFileContents fail, as a full disk would.
    void refuseWrites(bool refuse) { refuseWrites_ = refuse; }

    // Inspection, for assertions. Paths are returned as written, below `root`, depth first in
    // name order; folders end with a backslash. Links are listed, not followed.
    bool exists(std::string_view path) const;
    std::string contents(std::string_view path) const;
    std::vector<std::string> tree(std::string_view root) const;
    const FileSystemCounters& counters() const { return counters_; }

    bool setAttributes(std::string_view path, std::uint32_t attributes) override;
    std::optional<std::uint32_t> attributes(std::string_view path) override;
    bool deleteFile(std::string_view path) override;
    bool removeFolder(std::string_view path) override;
    std::optional<std::vector<DirEntry>> listFolder(std::string_view folder) override;
    bool deleteMatchingFiles(std::string_view pattern, bool force) override;
    bool replaceFileContents(std::string_view path, std::string_view bytes) override;

private:
    struct Node;
    struct Location {
        Node* parent = nullptr; // folder holding the item
        Node* node = nullptr;   // the item itself, nullptr when missing
        std::string name;       // last component as given
    };

    Location locate(std::string_view path, bool followFinalLink) const;
    Node* resolveLink(Node* node) const;
    Node* resolveFolder(const std::string& foldedKey) const;
    Node& makeFolders(std::string_view path);
    void collect(const Node& folder, const std::string& prefix,
                 std::vector<std::string>& out) const;

    std::unique_ptr<Node> root_; // holds one folder per drive letter
    // Folders resolved lately, by folded path; cleared whenever a folder may have gone.
    static constexpr std::size_t FolderCacheSize = 8;
    mutable std::vector<std::pair<std::string, Node*>> folderCache_;
    FileSystemCounters counters_;
    bool refuseWrites_ = false;
};

// True when `name` matches the wildcard `pattern` (`*` any run, `?` one character), without
// regard to case; "*.*" matches every name, also one without a dot, as on Windows.
bool wildcardMatch(std::string_view pattern, std::string_view name);

} // namespace vp::sim
