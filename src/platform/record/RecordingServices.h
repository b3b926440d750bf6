// The Internet cache and the shell of a recording platform: calls pass on; each cache entry
// the run deletes or fails to delete, and what each emptying of the bins removed or left, go
// into the journal.
#pragma once

#include "platform/InternetCache.h"
#include "platform/Shell.h"
#include "platform/record/ItemJournal.h"

namespace vp {
class NarrowText;
}

namespace vp::record {

class RecordingInternetCache final : public InternetCache {
public:
    RecordingInternetCache(InternetCache& inner, const NarrowText& narrowText, ItemJournal& journal)
        : inner_(inner), narrowText_(narrowText), journal_(journal) {}

    bool storeExists() override { return inner_.storeExists(); }
    std::vector<std::string> storeFiles() override { return inner_.storeFiles(); }
    CacheSearchHandle findFirstEntry(std::uintptr_t buffer, std::int32_t& size) override {
        return inner_.findFirstEntry(buffer, size);
    }
    bool findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                       std::int32_t& size) override {
        return inner_.findNextEntry(search, buffer, size);
    }
    bool findClose(CacheSearchHandle search) override { return inner_.findClose(search); }
    std::optional<CacheEntryState> inspectEntry(std::string_view sourceUrlName) override {
        return inner_.inspectEntry(sourceUrlName);
    }
    bool deleteEntry(std::string_view sourceUrlName) override;

private:
    InternetCache& inner_;
    const NarrowText& narrowText_;
    ItemJournal& journal_;
};

class RecordingShell final : public Shell {
public:
    RecordingShell(Shell& inner, ItemJournal& journal) : inner_(inner), journal_(journal) {}

    long emptyRecycleBin(std::uintptr_t owner, std::string_view root, std::uint32_t flags) override;
    std::optional<RecycleBinContents> queryRecycleBin(std::string_view root) override {
        return inner_.queryRecycleBin(root);
    }
    std::optional<RecycleBinContents> recycleBinLeftovers(std::string_view root) override {
        return inner_.recycleBinLeftovers(root);
    }
    long updateRecycleBinIcon() override { return inner_.updateRecycleBinIcon(); }
    std::intptr_t execute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                          std::string_view parameters, std::string_view folder, int show) override {
        return inner_.execute(owner, verb, file, parameters, folder, show);
    }

private:
    Shell& inner_;
    ItemJournal& journal_;
};

} // namespace vp::record
