// The simulated platform's file system: drive-letter paths held in memory, names compared
// without case but kept as written, with the faults a test needs (files and folders in use,
// folders that cannot be listed, names the system refuses, folder and file links, hard links,
// protected places, changes made between two calls). Open folders are pinned to the folder itself,
// as handles are: renaming or replacing its path later does not redirect them, and, as on
// Windows, a folder cannot be removed while a handle holds it open. Nothing here touches the
// real disk.
#pragma once

#include "platform/FileSystem.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vp::sim {

struct FileOptions {
    std::uint32_t attributes = FileAttribute::Archive;
    bool inUse = false; // held open without sharing by another program: cannot be deleted
    // Mapped into memory by this very program (the Internet cache's own store): its deletion
    // is refused (AccessDenied), yet it opens for deletion like any file, so a probe cannot
    // tell, as on Windows.
    bool mapped = false;
    // Listed, but every call on its name fails, as for a name another system made ("q?").
    bool refusedName = false;
    std::string contents;
};

struct FolderOptions {
    std::uint32_t attributes = 0; // Directory is added
    bool inUse = false;           // cannot be removed
    bool unlistable = false;      // listing fails (no rights)
    bool noNewFiles = false;      // files in it can be changed, but none can be created
};

struct FileSystemCounters {
    long openFolder = 0;
    long list = 0;
    long setAttributes = 0;
    long deleteFile = 0;
    long removeFolder = 0;
    long attributes = 0;
};

class SimFileSystem final : public FileSystem {
public:
    SimFileSystem();
    ~SimFileSystem() override;

    // Builders: each creates the missing folders above the item, replaces what stood at its
    // path, and returns *this.
    SimFileSystem& file(std::string_view path, FileOptions options = {});
    SimFileSystem& folder(std::string_view path, FolderOptions options = {});
    // A folder link at `path` that leads to the folder `target` (which may lie above it).
    SimFileSystem& folderLink(std::string_view path, std::string_view target);
    // A file link at `path` that leads to the file `target`.
    SimFileSystem& fileLink(std::string_view path, std::string_view target);
    // Another name, at `path`, for the existing file `target`: both share identity, attributes
    // and contents, as NTFS hard links do.
    SimFileSystem& hardLink(std::string_view path, std::string_view target);
    // A place the system names as protected (ProtectedPlaces.h): the Windows folder, a profile…
    SimFileSystem& protectedPlace(std::string_view path, PlaceKind kind);
    // Gives the item at `path` exactly `attributes` (Directory and ReparsePoint are kept), as
    // another program would; a hard link's attributes are its file's.
    SimFileSystem& setAttributes(std::string_view path, std::uint32_t attributes);
    // Takes the item at `path` (a whole tree for a folder) away; open folders inside it fail.
    SimFileSystem& remove(std::string_view path);
    // Moves the item at `from` to the path `to`; open folders follow it.
    SimFileSystem& rename(std::string_view from, std::string_view to);
    // Makes every write of replaceFileContents fail, as a full disk would.
    void refuseWrites(bool refuse) { refuseWrites_ = refuse; }

    // Runs `change` just before the file service's call number `call` (counted from 0 over
    // every call of the service and its open folders), as another program would between two
    // calls. One change at a time; it runs once.
    void beforeCall(long call, std::function<void()> change);
    long calls() const { return calls_; }

    // Inspection, for assertions; not counted as calls. Paths are returned as written, below
    // `root`, depth first in name order; folders end with a backslash. Links are listed, not
    // followed.
    bool exists(std::string_view path) const;
    std::string contents(std::string_view path) const;
    std::uint32_t attributesOf(std::string_view path) const; // 0 when missing
    std::vector<std::string> tree(std::string_view root) const;
    // Every item below `root` with its attributes and contents, one line each.
    std::string snapshot(std::string_view root) const;
    const FileSystemCounters& counters() const { return counters_; }
    // Items a folder deleted, or entered, although no listing had ever shown them (their
    // identity): what a sweep must never do. Names as given to the call.
    const std::vector<std::string>& actedOnUnlisted() const { return actedOnUnlisted_; }

    // Deletes the file at `path` outright, as the simulated Internet cache does with the files
    // it keeps; false when there is no such file.
    bool eraseFile(std::string_view path);

    std::unique_ptr<Folder> openFolder(std::string_view path) override;
    std::optional<std::uint32_t> attributes(std::string_view path) override;
    bool replaceFileContents(std::string_view path, std::string_view bytes) override;
    std::vector<ProtectedPlace> protectedPlaces() override { return places_; }
    bool canMakeFileIn(std::string_view path) override;

    struct Node;

private:
    friend class SimFolder;
    struct Location {
        Node* parent = nullptr; // folder holding the item
        Node* node = nullptr;   // the item itself, nullptr when missing
        std::string name;       // last component as given
    };

    // Counts one call of the service and runs the change waiting for it.
    void tick();
    Location locate(std::string_view path, bool followFinalLink) const;
    Node* resolveLink(Node* node) const;
    Node* resolveFolder(const std::string& foldedKey) const;
    Node& makeFolders(std::string_view path);
    Node& place(std::string_view path);
    void detach(Node& node);
    void collect(const Node& folder, const std::string& prefix,
                 std::vector<std::string>& out) const;

    std::shared_ptr<Node> root_; // holds one folder per drive letter
    // Folders resolved lately, by folded path; cleared whenever a folder may have gone.
    static constexpr std::size_t FolderCacheSize = 8;
    mutable std::vector<std::pair<std::string, Node*>> folderCache_;
    FileSystemCounters counters_;
    bool refuseWrites_ = false;
    long calls_ = 0;
    long changeAt_ = -1;
    std::function<void()> change_;
    std::uint64_t nextId_ = 1;
    std::vector<ProtectedPlace> places_;
    std::unordered_set<std::uint64_t> listedIds_;
    std::vector<std::string> actedOnUnlisted_;
};

} // namespace vp::sim
