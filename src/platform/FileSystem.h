// The file-system services the cleaning logic needs. Paths are UTF-8 Windows paths
// ("C:\folder\file.txt"; a name Windows holds that is no valid UTF-16, a lone surrogate, comes
// as WTF-8 and goes back unchanged); names compare without regard to case.
//
// Threat model. Everything the cleaner deletes is found by listing a folder and acted on a
// moment later; in between, anyone who can write to the folder may swap a name for a link
// (junction, symbolic link) to data the user never asked to clean. So nothing that changes the
// disk takes a path: a folder is opened once, as a `Folder` pinned to that folder (a handle), and
// every change names an item directly inside it. Opening refuses a link, and an item that has
// become a link, or something else than the listing said, is left alone: never entered, never
// deleted through, never given attributes. A file with other names (a hard link) shares its
// attributes with them: it is deleted by name only, never given attributes. A file counts as
// deleted only when, after the deletion, the folder holds nothing of its name: not when
// another program still holds it open, nor when it was not found to begin with (another
// program deleting it, or a name the system turned into another). A sweep never starts in a
// protected place (ProtectedPlaces.h).
#pragma once

#include "platform/Outcome.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

namespace FileAttribute {
inline constexpr std::uint32_t ReadOnly = 0x1;
inline constexpr std::uint32_t Hidden = 0x2;
inline constexpr std::uint32_t System = 0x4;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
// In listings and attributes: a link (symbolic link, junction, mount point). Other reparse
// points (cloud placeholders, compressed or deduplicated files) are ordinary items.
inline constexpr std::uint32_t ReparsePoint = 0x400;
} // namespace FileAttribute

struct DirEntry {
    std::string name; // as stored, without the folder
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;   // bytes, for files
    std::uint64_t fileId = 0; // the item's identity on its volume; 0 where the system has none
};

struct ProtectedPlace {
    std::string path; // as the system names it ("C:\Windows")
    PlaceKind kind;
};

// An open folder. It stays bound to the folder it was opened on: renaming or replacing that
// folder's path afterwards does not redirect it. Names are single components, no backslash.
class Folder {
public:
    virtual ~Folder() = default;

    // Everything directly inside: files, folders and links, with their attributes, in no promised
    // order, without "." and "..". nullopt when the folder cannot be read (or is gone).
    virtual std::optional<std::vector<DirEntry>> list() = 0;

    // The subfolder `name`, opened relative to this one; nullptr when it is missing, a file, a
    // link, cannot be opened, or is no longer the item `expected` described (same identity),
    // when given.
    virtual std::unique_ptr<Folder> openFolder(std::string_view name,
                                               const DirEntry* expected = nullptr) = 0;

    // This folder's own attributes become exactly `attributes` (Directory is kept).
    virtual bool setAttributes(std::uint32_t attributes) = 0;

    // Deletes the file `name` through its own handle: Done only when this folder holds nothing
    // of that name afterwards. With `attributes`, the file first gets exactly those (to clear
    // read-only, say) through the same handle; a file with other names keeps its attributes
    // (read-only, it stays: Link). With `expected`, a file that is no longer that entry
    // (another identity: Replaced; now hidden or system: HiddenOrSystem) is kept untouched. A
    // link, a folder, a file in use or one the system refuses is kept too, with its reason;
    // nothing of that name there is Vanished.
    virtual Outcome deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                               const DirEntry* expected = nullptr) = 0;

    // Removes the empty subfolder `name` through its own handle; false when it is a link, holds
    // anything, is in use or is missing.
    virtual bool removeFolder(std::string_view name) = 0;

    // What deleteFile and removeFolder would do, asked of the system without changing anything:
    // the item is opened for deletion and let go. Used to preview a run.
    virtual Outcome probeDeleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                                    const DirEntry* expected = nullptr) = 0;
    virtual bool probeRemoveFolder(std::string_view name) = 0;
    // What removeFolder would do once everything inside the subfolder were gone: whether the
    // folder itself may be removed (no link, not in use), whatever it holds now.
    virtual bool probeRemoveEmptiedFolder(std::string_view name) = 0;

    // Told of an entry of this folder its caller leaves as it is (hidden or system, a link) and
    // why, so that a layer reporting every item can name it. Changes nothing.
    virtual void leaveAlone(const DirEntry& entry, Outcome why) {
        static_cast<void>(entry);
        static_cast<void>(why);
    }

    // The folder's path as the system resolves it now (every link and "." or ".." resolved,
    // "C:\Users\Ann"); empty when it cannot tell.
    virtual std::string finalPath() = 0;
};

// What one deleteMatchingFiles call did: files deleted and their bytes, files it tried to
// delete that stayed, and the folder it refused to delete in, if any.
struct FileTally {
    std::uint64_t deleted = 0;
    std::uint64_t bytes = 0;
    std::uint64_t kept = 0;
    std::optional<Refusal> refused;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Opens the folder at `path` (with or without trailing backslash). nullptr when the path is
    // empty, names nothing, a file or a link, or cannot be opened.
    virtual std::unique_ptr<Folder> openFolder(std::string_view path) = 0;

    // The attributes of an existing file or folder; nullopt when nothing is there. A folder link
    // reports Directory | ReparsePoint. For inspection only: nothing is decided on it that a
    // link swapped in later could redirect.
    virtual std::optional<std::uint32_t> attributes(std::string_view path) = 0;

    // Writes `bytes` as the whole new content of `path`. The new content goes into a file made
    // new beside it, which takes the target's place only once it is completely written, so an
    // earlier file there is never left half written: where no new file can be made (a full
    // disk, no rights) nothing is written and the earlier file stays whole. A symbolic link to
    // a file is followed: the file it leads to is replaced, the same way. A read-only target, a
    // folder, a link to a folder or a link leading nowhere is refused with nothing written.
    virtual bool replaceFileContents(std::string_view path, std::string_view bytes) = 0;

    // Whether a new file can be made in the folder `path` now (rights, room, a folder at all),
    // asked by making an empty file of the program's own and deleting it at once.
    virtual bool canMakeFileIn(std::string_view path) = 0;

    // The places no sweep may start in or above, as the system names them (ProtectedPlaces.h
    // adds drive and share roots, and the profiles inside the users' folder).
    virtual std::vector<ProtectedPlace> protectedPlaces() = 0;

    // Opens `path` and lists it; nullopt as for Folder::list or when it cannot be opened.
    std::optional<std::vector<DirEntry>> listFolder(std::string_view path);

    // The scripting file-system object's DeleteFile: `pattern` names a file or, with `*` and
    // `?` in its last part, every matching file of that folder. With `force`, read-only files
    // go too. A name without wildcards deletes that file even when it is hidden or system;
    // wildcards never match hidden and system files. Links never match. Fails when the folder
    // is missing or nothing matches; stops at the first file it cannot delete, leaving the ones
    // not reached. A folder that is a protected place is refused whole for wildcards
    // (ProtectedPlaces.h). `tally`, when given, adds up what was deleted and what stayed.
    bool deleteMatchingFiles(std::string_view pattern, bool force, FileTally* tally = nullptr);
};

// True when `name` matches the wildcard `pattern` (`*` any run, `?` one character), without
// regard to case; "*.*" matches every name, also one without a dot, as on Windows.
bool wildcardMatch(std::string_view pattern, std::string_view name);

} // namespace vp
