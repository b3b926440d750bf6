// The simulated URL history store. Placeholder: always empty.
#pragma once

#include "platform/UrlHistory.h"

namespace vp::sim {

class SimUrlHistory final : public UrlHistory {
public:
    bool clearHistory() override { return true; }
};

} // namespace vp::sim
