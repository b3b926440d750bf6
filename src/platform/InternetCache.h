// The browser's Internet cache, in the shape of wininet's narrow calls. Entry buffers are
// raw memory addresses (from the Memory service) holding the platform's cache-entry layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

using CacheSearchHandle = std::uintptr_t;

// One entry as the cache describes it, without changing it.
struct CacheEntryState {
    std::uint64_t size = 0; // bytes of the file the cache keeps for it
    std::string localFile;  // that file's full path, narrow text; empty when none
    bool inUse = false;     // known to be locked, so deleting it would fail
};

class InternetCache {
public:
    virtual ~InternetCache() = default;

    // Whether the cache has its store on disk at all (its index files). Any search makes one
    // where there is none, so a caller that must change nothing asks this first.
    virtual bool storeExists() = 0;

    // The files of that store (UTF-8 paths) which the cache library keeps mapped into the
    // program once it has used them: no deletion of them succeeds while the program runs, yet
    // they open for deletion like any file, so only the cache can tell. Empty without a store.
    virtual std::vector<std::string> storeFiles() = 0;

    // FindFirstUrlCacheEntryA(nullptr, buffer, size). With buffer 0: sets `size` to the bytes
    // the first entry needs (0 or less when the cache is empty). With a buffer of at least
    // `size` bytes: fills it with the first entry and returns the search handle (0 on failure).
    virtual CacheSearchHandle findFirstEntry(std::uintptr_t buffer, std::int32_t& size) = 0;

    // FindNextUrlCacheEntryA. With buffer 0: sets `size` to the bytes the next entry needs,
    // below 1 when there is none. With a large enough buffer: fills it and moves on. When the
    // buffer is too small nothing is filled and the search does not move on.
    virtual bool findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                               std::int32_t& size) = 0;

    // FindCloseUrlCache; the handle may be 0.
    virtual bool findClose(CacheSearchHandle search) = 0;

    // GetUrlCacheEntryInfoA: the entry of that source URL name (narrow text), nullopt when there
    // is none. A lock the cache cannot report reads as not in use.
    virtual std::optional<CacheEntryState> inspectEntry(std::string_view sourceUrlName) = 0;

    // DeleteUrlCacheEntryA: removes the entry and its local file; false when there is no such
    // entry or it is in use. `sourceUrlName` is narrow text.
    virtual bool deleteEntry(std::string_view sourceUrlName) = 0;
};

} // namespace vp
