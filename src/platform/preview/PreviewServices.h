// The shell, Internet cache and URL history of a preview: reads pass through, changes are only
// recorded (and, where the service can tell, answered as the real change would be).
#pragma once

#include "platform/ForwardingServices.h"
#include "platform/UrlHistory.h"

#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace vp {
class NarrowText;
}

namespace vp::preview {

class FileOverlay;

class PreviewShell final : public ForwardingShell {
public:
    explicit PreviewShell(Shell& inner) : ForwardingShell(inner) {}

    bool emptied() const { return emptiedAll_ || !emptiedDrives_.empty(); }
    long pagesOpened() const { return pagesOpened_; }

    long emptyRecycleBin(std::uintptr_t owner, std::string_view root, std::uint32_t flags) override;
    // An emptied bin holds what the shell says an emptying would leave.
    std::optional<RecycleBinContents> queryRecycleBin(std::string_view root) override;
    long updateRecycleBinIcon() override;
    // Opening a page changes nothing on disk but starts a program: not done in a preview.
    std::intptr_t execute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                          std::string_view parameters, std::string_view folder, int show) override;

private:
    bool emptiedAll_ = false;
    std::set<char> emptiedDrives_;
    long pagesOpened_ = 0;
};

// Entries deleted in the preview are left out of every search begun after the deletion.
class PreviewInternetCache final : public ForwardingInternetCache {
public:
    // An entry deleted takes its local file with it: that goes into `files`.
    PreviewInternetCache(InternetCache& inner, FileOverlay& files, const NarrowText& narrow)
        : ForwardingInternetCache(inner), files_(files), narrow_(narrow) {}

    std::size_t entriesDeleted() const { return deleted_.size(); }

    // A cache that has no store yet is empty: searching it would make the store.
    CacheSearchHandle findFirstEntry(std::uintptr_t buffer, std::int32_t& size) override;
    bool findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                       std::int32_t& size) override;
    bool findClose(CacheSearchHandle search) override;
    std::optional<CacheEntryState> inspectEntry(std::string_view sourceUrlName) override;
    // Answered from the entry's description: gone when it is there and not known to be in use.
    bool deleteEntry(std::string_view sourceUrlName) override;

private:
    // One entry fetched from the real cache into memory of the preview's own.
    struct Fetched {
        std::vector<std::uint64_t> storage; // aligned for the record at its start
        std::int32_t size = 0;
        bool valid = false;
    };
    // Fetches the entry after `search` (the first when `search` is 0, which then becomes the
    // search's handle), skipping the entries deleted in the preview; false at the end.
    bool fetchKept(CacheSearchHandle& search, Fetched& entry);
    bool fetch(CacheSearchHandle& search, Fetched& entry);
    bool isDeleted(const Fetched& entry) const;
    // Copies the entry into the caller's buffer, its texts' addresses moved along.
    static void deliver(const Fetched& entry, std::uintptr_t buffer);

    FileOverlay& files_;
    const NarrowText& narrow_;
    std::unordered_set<std::string> deleted_; // narrow source URL names
    // Searches begun once something was deleted: the entry each has fetched ahead, if any.
    std::map<CacheSearchHandle, Fetched> filtered_;
};

class PreviewUrlHistory final : public UrlHistory {
public:
    bool cleared() const { return cleared_; }
    // The store cannot be asked whether clearing would work without clearing it: the preview
    // answers that it would.
    bool clearHistory() override {
        cleared_ = true;
        return true;
    }

private:
    bool cleared_ = false;
};

} // namespace vp::preview
