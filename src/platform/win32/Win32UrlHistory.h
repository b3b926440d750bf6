// The Win32 URL history store. Placeholder until the real service is written.
#pragma once

#include "platform/UrlHistory.h"

namespace vp::win32 {

class Win32UrlHistory final : public UrlHistory {
public:
    bool clearHistory() override { return true; }
};

} // namespace vp::win32
