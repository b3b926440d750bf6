// The simulated Internet cache: entries in a fixed order, each with its source URL name and
// the local file the cache keeps for it, filled into entry buffers in the platform's layout.
// Faults a test needs: entries in use, and an entry that grows between a size query and the
// fetch that follows it.
#pragma once

#include "platform/InternetCache.h"
#include "platform/NarrowText.h"

#include <string>
#include <vector>

namespace vp::sim {

class SimFileSystem;

struct CacheEntryOptions {
    std::string localFile; // full path; deleted with the entry when the file system is attached
    bool inUse = false;    // cannot be deleted
    // The entry grows by `growBy` bytes right after each of the first `growTimes` queries of
    // its size (-1: after every one), so the fetch that follows finds the buffer too small.
    std::int32_t growBy = 0;
    int growTimes = 1;
};

struct InternetCacheCounters {
    long findFirst = 0;
    long findNext = 0;
    long findClose = 0;
    long failedFetches = 0; // fetches refused because the buffer was too small
    long deleteEntry = 0;
};

class SimInternetCache final : public InternetCache {
public:
    // Deleting an entry deletes its local file there too.
    void attachFileSystem(SimFileSystem& files) { files_ = &files; }

    // Builder: a cache that has never been used, without a store until the first search.
    SimInternetCache& withoutStore() {
        store_ = false;
        return *this;
    }
    // Builder: appends an entry; `sourceUrlName` is UTF-8.
    SimInternetCache& entry(std::string_view sourceUrlName, const CacheEntryOptions& options = {});

    // Inspection: the source URL names still in the cache (UTF-8), in order.
    std::vector<std::string> names() const;
    const InternetCacheCounters& counters() const { return counters_; }
    int openSearches() const;
    // The bytes an entry needs now, with its texts.
    std::int32_t entrySize(std::size_t index) const;

    // Builder: `path` (UTF-8) is one of the store's files, which the cache keeps mapped (give
    // the file the `mapped` option in the file system too).
    SimInternetCache& storeFile(std::string path) {
        storeFiles_.push_back(std::move(path));
        return *this;
    }

    bool storeExists() override { return store_; }
    std::vector<std::string> storeFiles() override {
        return store_ ? storeFiles_ : std::vector<std::string>();
    }
    CacheSearchHandle findFirstEntry(std::uintptr_t buffer, std::int32_t& size) override;
    bool findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                       std::int32_t& size) override;
    bool findClose(CacheSearchHandle search) override;
    std::optional<CacheEntryState> inspectEntry(std::string_view sourceUrlName) override;
    bool deleteEntry(std::string_view sourceUrlName) override;

private:
    struct Entry {
        std::string url;       // narrow
        std::string localFile; // narrow
        std::string localFileUtf8;
        bool inUse = false;
        std::int32_t extra = 0; // bytes of header information beyond the texts
        std::int32_t growBy = 0;
        int growTimes = 0;
    };

    std::vector<std::string> storeFiles_;

    std::int32_t sizeOf(const Entry& entry) const;
    // Answers a size query or a fetch for the entry at `index`; true when it was filled.
    bool serve(std::size_t index, std::uintptr_t buffer, std::int32_t& size);
    void fill(const Entry& entry, std::uintptr_t buffer) const;

    Windows1252Text narrow_;
    std::vector<Entry> entries_;
    std::vector<std::size_t> searches_; // position of each search; handle = index + 1
    std::vector<bool> searchOpen_;
    InternetCacheCounters counters_;
    SimFileSystem* files_ = nullptr;
    bool store_ = true;
};

} // namespace vp::sim
