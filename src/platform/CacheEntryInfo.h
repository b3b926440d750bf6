// The platform's cache-entry record (INTERNET_CACHE_ENTRY_INFOA) as the Internet cache lays it
// out at the start of an entry buffer, followed by the texts its pointers lead to. Built from
// fixed-width fields with natural alignment so that it matches the Windows layout of the build's
// own address width: 80 bytes in a 32-bit build, 112 in a 64-bit one. Plain data without
// initialisers, so that it can be copied as bytes; value-initialise it ({}) to clear it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace vp {

struct CacheFileTime {
    std::uint32_t low;
    std::uint32_t high;
};

struct CacheEntryInfo {
    std::uint32_t structSize;
    std::uintptr_t sourceUrlName; // narrow text, zero-terminated; 0 when absent
    std::uintptr_t localFileName; // narrow text, zero-terminated; 0 when absent
    std::uint32_t cacheEntryType;
    std::uint32_t useCount;
    std::uint32_t hitRate;
    std::uint32_t sizeLow;
    std::uint32_t sizeHigh;
    CacheFileTime lastModifiedTime;
    CacheFileTime expireTime;
    CacheFileTime lastAccessTime;
    CacheFileTime lastSyncTime;
    std::uintptr_t headerInfo;
    std::uint32_t headerInfoSize;
    std::uintptr_t fileExtension;
    std::uint32_t exemptDelta;
};

static_assert(std::is_trivial_v<CacheEntryInfo>);
static_assert(offsetof(CacheEntryInfo, sourceUrlName) == sizeof(std::uintptr_t));
static_assert(sizeof(CacheEntryInfo) == (sizeof(std::uintptr_t) == 8 ? 112 : 80));

} // namespace vp
