// The simulated process list: whatever a test says is running.
#pragma once

#include "platform/Processes.h"

#include <string>
#include <vector>

namespace vp::sim {

class SimProcesses final : public Processes {
public:
    // A process running from `imagePath` (empty: one whose path cannot be read) under the
    // executable name `executable`.
    void start(std::string imagePath, std::string executable);
    void clear() { running_.clear(); }
    long listings() const { return listings_; }

    std::vector<RunningProcess> list() override;

private:
    std::vector<RunningProcess> running_;
    long listings_ = 0;
};

} // namespace vp::sim
