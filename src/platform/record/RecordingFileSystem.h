// A file service that passes every call on and writes into a journal each file deleted or
// kept and each folder removed or kept, with its full path. Reads are not recorded. Files
// that were already gone (Vanished) are not items: nothing was there to delete.
#pragma once

#include "platform/ForwardingFileSystem.h"
#include "platform/record/ItemJournal.h"

namespace vp::record {

class RecordingFileSystem final : public ForwardingFileSystem {
public:
    RecordingFileSystem(FileSystem& inner, ItemJournal& journal)
        : ForwardingFileSystem(inner), journal_(journal) {}

    std::unique_ptr<Folder> openFolder(std::string_view path) override;

private:
    ItemJournal& journal_;
};

} // namespace vp::record
