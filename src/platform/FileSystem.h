// The file-system services the cleaning logic needs. Paths are UTF-8 Windows paths
// ("C:\folder\file.txt"); names compare without regard to case.
#pragma once

#include <cstdint>
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
inline constexpr std::uint32_t ReparsePoint = 0x400;
} // namespace FileAttribute

struct DirEntry {
    std::string name; // as stored, without the folder
    std::uint32_t attributes = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Afterwards the file or folder carries exactly `attributes` (a folder keeps its Directory
    // flag). False when the item is missing or refuses; nothing changes then.
    virtual bool setAttributes(std::string_view path, std::uint32_t attributes) = 0;

    // The attributes of an existing file or folder; nullopt when nothing is there.
    // A folder link (junction, symbolic link) reports Directory | ReparsePoint.
    virtual std::optional<std::uint32_t> attributes(std::string_view path) = 0;

    // Deletes one file. Fails for a read-only file, a file in use, a folder and a missing path.
    virtual bool deleteFile(std::string_view path) = 0;

    // Removes an empty folder. Fails when it still holds anything, is in use or is missing.
    virtual bool removeFolder(std::string_view path) = 0;

    // Everything directly inside `folder` (with or without trailing backslash): files,
    // folders and links, with their attributes, in no promised order, without "." and "..".
    // nullopt when the path is empty, names no folder, names a file or cannot be read.
    virtual std::optional<std::vector<DirEntry>> listFolder(std::string_view folder) = 0;

    // The scripting file-system object's DeleteFile: `pattern` names a file or, with `*` and
    // `?` in its last part, every matching file of that folder. With `force`, read-only files
    // go too. Fails when the folder is missing or nothing matches; stops at the first file it
    // cannot delete, leaving the ones not reached.
    virtual bool deleteMatchingFiles(std::string_view pattern, bool force) = 0;

    // Writes `bytes` as the whole new content of `path`. The old file, if any, is replaced only
    // once the new content is completely written; on failure it is left as it was.
    virtual bool replaceFileContents(std::string_view path, std::string_view bytes) = 0;
};

} // namespace vp
