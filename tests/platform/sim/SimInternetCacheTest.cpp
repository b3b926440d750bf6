#include "platform/sim/SimInternetCache.h"

#include "platform/CacheEntryInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vp::sim {
namespace {

// An entry buffer of the test's own.
struct Buffer {
    std::vector<std::uint64_t> words; // aligned for the record
    explicit Buffer(std::int32_t size) : words(static_cast<std::size_t>(size) / 8 + 1) {}
    std::uintptr_t address() { return reinterpret_cast<std::uintptr_t>(words.data()); }
    CacheEntryInfo record() {
        CacheEntryInfo info{};
        std::memcpy(&info, words.data(), sizeof info);
        return info;
    }
};

std::string text(std::uintptr_t address) {
    return reinterpret_cast<const char*>(address);
}

TEST(SimInternetCache, FirstNextAndCloseWalkTheEntriesInOrderInThePlatformLayout) {
    SimInternetCache cache;
    cache.entry("Cookie:anne@example.com/", {.localFile = R"(C:\Cookies\anne@example[1].txt)"})
        .entry("http://café.example/", {.localFile = R"(C:\Cache\x.htm)"});

    std::int32_t size = 0;
    EXPECT_EQ(cache.findFirstEntry(0, size), 0u) << "a size query opens no search";
    EXPECT_EQ(size, static_cast<std::int32_t>(sizeof(CacheEntryInfo) + 25 + 31));

    Buffer first(size);
    std::int32_t small = size - 1;
    EXPECT_EQ(cache.findFirstEntry(first.address(), small), 0u);
    EXPECT_EQ(small, size) << "a buffer too small learns the size it needs";
    const CacheSearchHandle search = cache.findFirstEntry(first.address(), size);
    ASSERT_NE(search, 0u);
    const CacheEntryInfo record = first.record();
    EXPECT_EQ(record.sourceUrlName, first.address() + sizeof(CacheEntryInfo));
    EXPECT_EQ(text(record.sourceUrlName), "Cookie:anne@example.com/");
    EXPECT_EQ(text(record.localFileName), R"(C:\Cookies\anne@example[1].txt)");

    size = 0;
    EXPECT_FALSE(cache.findNextEntry(search, 0, size));
    ASSERT_EQ(size, cache.entrySize(1));
    Buffer second(size);
    EXPECT_TRUE(cache.findNextEntry(search, second.address(), size)) << "not moved on by a failure";
    EXPECT_EQ(text(second.record().sourceUrlName), "http://caf\xE9.example/") << "narrow text";

    size = 0;
    EXPECT_FALSE(cache.findNextEntry(search, 0, size));
    EXPECT_LT(size, 1) << "no further entry";
    EXPECT_EQ(cache.openSearches(), 1);
    EXPECT_TRUE(cache.findClose(search));
    EXPECT_FALSE(cache.findClose(search));
    EXPECT_EQ(cache.openSearches(), 0);
}

} // namespace
} // namespace vp::sim
