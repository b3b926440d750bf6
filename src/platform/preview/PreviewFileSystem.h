// The file service of a preview: every read goes to the real service, every change is asked of
// it without being made (the folder's probes) and kept in the overlay, which later reads see.
#pragma once

#include "platform/ForwardingFileSystem.h"
#include "platform/preview/FileOverlay.h"

namespace vp::preview {

class PreviewFileSystem final : public ForwardingFileSystem {
public:
    explicit PreviewFileSystem(FileSystem& inner) : ForwardingFileSystem(inner) {}

    FileOverlay& overlay() { return overlay_; }
    const FileOverlay& overlay() const { return overlay_; }

    std::unique_ptr<Folder> openFolder(std::string_view path) override;
    std::optional<std::uint32_t> attributes(std::string_view path) override;
    // Nothing is written: the path is recorded, and the answer is what a write would answer as
    // far as the item there tells (a folder, a link or a read-only file refuses it).
    bool replaceFileContents(std::string_view path, std::string_view bytes) override;
    // Files (paths) the program itself keeps mapped while it runs, which no deletion removes
    // though they open for one: the Internet cache's own store.
    void holdOpen(const std::vector<std::string>& paths);
    // canMakeFileIn is answered by the system: its probe file is gone again at once.

private:
    FileOverlay overlay_;
};

} // namespace vp::preview
