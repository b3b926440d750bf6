// The Win32 Internet cache through wininet's narrow calls.
#pragma once

#include "platform/InternetCache.h"

namespace vp::win32 {

class Win32InternetCache final : public InternetCache {
public:
    bool storeExists() override;
    std::vector<std::string> storeFiles() override;
    CacheSearchHandle findFirstEntry(std::uintptr_t buffer, std::int32_t& size) override;
    bool findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                       std::int32_t& size) override;
    bool findClose(CacheSearchHandle search) override;
    std::optional<CacheEntryState> inspectEntry(std::string_view sourceUrlName) override;
    bool deleteEntry(std::string_view sourceUrlName) override;
};

} // namespace vp::win32
