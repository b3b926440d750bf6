// The Win32 file system on the native calls with extended-length paths: every name the file
// system can hold, at any length. Everything it changes is opened relative to a folder handle
// and changed through its own handle; links are never acted through.
#pragma once

#include "platform/FileSystem.h"

namespace vp::win32 {

class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<Folder> openFolder(std::string_view path) override;
    std::optional<std::uint32_t> attributes(std::string_view path) override;
    bool replaceFileContents(std::string_view path, std::string_view bytes) override;
    // Asked of the system once: the known folders, the Windows folder, and where each one
    // leads when it is reached through a link.
    std::vector<ProtectedPlace> protectedPlaces() override;
    bool canMakeFileIn(std::string_view path) override;

private:
    std::vector<ProtectedPlace> places_;
};

} // namespace vp::win32
