// The simulated URL history store: the addresses the user visited, and a switch that makes
// the history object impossible to create.
#pragma once

#include "platform/UrlHistory.h"

#include <string>
#include <string_view>
#include <vector>

namespace vp::sim {

class SimUrlHistory final : public UrlHistory {
public:
    SimUrlHistory& visit(std::string_view url) {
        urls_.emplace_back(url);
        return *this;
    }
    void setUnavailable(bool unavailable) { unavailable_ = unavailable; }

    const std::vector<std::string>& urls() const { return urls_; }
    long clearCalls() const { return clearCalls_; }

    bool clearHistory() override {
        ++clearCalls_;
        if (unavailable_) {
            return false;
        }
        urls_.clear();
        return true;
    }

private:
    std::vector<std::string> urls_;
    bool unavailable_ = false;
    long clearCalls_ = 0;
};

} // namespace vp::sim
