// The Win32 file system on the wide calls with extended-length paths: every name the file
// system can hold, at any length. Links (and every other reparse point) are never acted
// through: they are listed with their attributes and otherwise left alone.
#pragma once

#include "platform/FileSystem.h"

namespace vp::win32 {

class Win32FileSystem final : public FileSystem {
public:
    bool setAttributes(std::string_view path, std::uint32_t attributes) override;
    std::optional<std::uint32_t> attributes(std::string_view path) override;
    bool deleteFile(std::string_view path) override;
    bool removeFolder(std::string_view path) override;
    std::optional<std::vector<DirEntry>> listFolder(std::string_view folder) override;
    bool deleteMatchingFiles(std::string_view pattern, bool force) override;
    bool replaceFileContents(std::string_view path, std::string_view bytes) override;
};

} // namespace vp::win32
