// The Win32 Internet cache. Placeholder until the real service is written.
#pragma once

#include "platform/InternetCache.h"

namespace vp::win32 {

class Win32InternetCache final : public InternetCache {
public:
    CacheSearchHandle findFirstEntry(std::uintptr_t, std::int32_t& size) override {
        size = 0;
        return 0;
    }
    bool findNextEntry(CacheSearchHandle, std::uintptr_t, std::int32_t& size) override {
        size = 0;
        return false;
    }
    bool findClose(CacheSearchHandle) override { return true; }
    bool deleteEntry(std::string_view) override { return false; }
};

} // namespace vp::win32
