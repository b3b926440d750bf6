// The start-up cache listing: walks the Internet cache once and fills List2 with the source
// URL names of the cookie entries and List3 with those of all others, in the cache's order.
// Each entry is fetched into a MemoryBlock sized for it and read through the block.
#include "app/Form1.h"

#include "platform/CacheEntryInfo.h"
#include "platform/InternetCache.h"
#include "platform/Memory.h"
#include "platform/Windowing.h"
#include "targets/MemoryBlock.h"

namespace vp {
namespace {

// An entry whose fetch keeps failing (it grows again between every size query and fetch)
// cannot be stepped over, since a failed fetch does not move the search on: after this many
// tries the listing ends rather than ask for it forever.
constexpr int MaxFetchTries = 4;

// The record is the program's own memory handed to the block's checked copy; a memory
// service that cannot probe addresses is told about it for as long as it is in use.
class SharedRecord {
public:
    SharedRecord(Memory& memory, CacheEntryInfo& record)
        : memory_(memory), address_(reinterpret_cast<std::uintptr_t>(&record)) {
        memory_.shareBuffer(address_, sizeof record);
    }
    ~SharedRecord() { memory_.unshareBuffer(address_); }
    SharedRecord(const SharedRecord&) = delete;
    SharedRecord& operator=(const SharedRecord&) = delete;
    std::uintptr_t address() const { return address_; }

private:
    Memory& memory_;
    std::uintptr_t address_;
};

} // namespace

void Form1::ListCacheEntries() {
    InternetCache& cache = platform_.internetCache;
    MemoryBlock entryBuffer(platform_.memory, platform_.narrowText);
    // The head of the current entry in the platform's layout of INTERNET_CACHE_ENTRY_INFOA:
    // the whole structure of the build's address width (80 bytes in a 32-bit build, 112 in a
    // 64-bit one), of which only the source URL address, its second field, is read.
    CacheEntryInfo record{};
    const SharedRecord recordShare(platform_.memory, record);
    constexpr auto RecordSize = static_cast<std::int32_t>(sizeof(CacheEntryInfo));

    CacheSearchHandle search = 0;
    std::int32_t size = 0;
    cache.findFirstEntry(0, size); // the handle of a size query is not kept
    int tries = 0;
    while (size >= 1) {
        entryBuffer.Allocate(size);
        if (entryBuffer.handle() == 0) {
            // Without a buffer the entry can neither be read nor stepped over: the listing
            // ends with what it has, instead of reading through an earlier entry's address.
            break;
        }
        bool fetched = false;
        if (search == 0) {
            search = cache.findFirstEntry(entryBuffer.handle(), size);
            fetched = search != 0;
        } else {
            fetched = cache.findNextEntry(search, entryBuffer.handle(), size);
        }

        // A failed fetch leaves the fresh block zero, so the record reads no address; cleared
        // for every entry all the same, so no address outlives the entry it came from.
        record = CacheEntryInfo{};
        entryBuffer.ReadFrom(recordShare.address(), RecordSize);
        if (record.sourceUrlName != 0) {
            const std::string name = entryBuffer.ExtractString(record.sourceUrlName, size);
            (name.starts_with("Cookie") ? List2 : List3)->addItem(name);
        }

        // A failed fetch did not move the search on: the same entry is asked for again,
        // resized, unless it keeps failing.
        tries = fetched ? 0 : tries + 1;
        if (tries == MaxFetchTries) {
            break;
        }
        size = 0;
        if (search == 0) {
            cache.findFirstEntry(0, size);
        } else {
            cache.findNextEntry(search, 0, size);
        }
    }
    cache.findClose(search);
    // entryBuffer gives its block back as it goes out of scope.
}

} // namespace vp
