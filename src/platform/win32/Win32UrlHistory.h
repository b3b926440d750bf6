// The Win32 URL history store, through the COM object CUrlHistory.
#pragma once

#include "platform/UrlHistory.h"

namespace vp::win32 {

class Win32UrlHistory final : public UrlHistory {
public:
    bool clearHistory() override;
};

} // namespace vp::win32
