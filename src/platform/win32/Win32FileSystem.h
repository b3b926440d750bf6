// The Win32 file system. Placeholder until the real service is written.
#pragma once

#include "platform/FileSystem.h"

namespace vp::win32 {

class Win32FileSystem final : public FileSystem {
public:
    bool setAttributes(std::string_view, std::uint32_t) override { return false; }
    std::optional<std::uint32_t> attributes(std::string_view) override { return std::nullopt; }
    bool deleteFile(std::string_view) override { return false; }
    bool removeFolder(std::string_view) override { return false; }
    std::optional<std::vector<DirEntry>> listFolder(std::string_view) override {
        return std::nullopt;
    }
    bool deleteMatchingFiles(std::string_view, bool) override { return false; }
    bool replaceFileContents(std::string_view, std::string_view) override { return false; }
};

} // namespace vp::win32
