// A file service that passes every call on and writes into a journal each file deleted or
// kept and each folder removed or kept, with its full path. Reads are not recorded. Files
// that were already gone (Vanished) are not items: nothing was there to delete.
#pragma once

#include "platform/FileSystem.h"
#include "platform/record/ItemJournal.h"

namespace vp::record {

class RecordingFileSystem final : public FileSystem {
public:
    RecordingFileSystem(FileSystem& inner, ItemJournal& journal)
        : inner_(inner), journal_(journal) {}

    std::unique_ptr<Folder> openFolder(std::string_view path) override;
    std::optional<std::uint32_t> attributes(std::string_view path) override {
        return inner_.attributes(path);
    }
    bool replaceFileContents(std::string_view path, std::string_view bytes) override {
        return inner_.replaceFileContents(path, bytes);
    }
    std::vector<ProtectedPlace> protectedPlaces() override { return inner_.protectedPlaces(); }
    bool canMakeFileIn(std::string_view path) override { return inner_.canMakeFileIn(path); }

private:
    FileSystem& inner_;
    ItemJournal& journal_;
};

} // namespace vp::record
