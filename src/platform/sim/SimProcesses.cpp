#include "platform/sim/SimProcesses.h"

#include <utility>

namespace vp::sim {

void SimProcesses::start(std::string imagePath, std::string executable) {
    running_.push_back({std::move(imagePath), std::move(executable)});
}

std::vector<RunningProcess> SimProcesses::list() {
    ++listings_;
    return running_;
}

} // namespace vp::sim
