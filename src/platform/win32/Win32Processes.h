// The running processes from a Toolhelp snapshot, each one's image path asked with the least
// right there is (PROCESS_QUERY_LIMITED_INFORMATION). Nothing is ever stopped or changed.
#pragma once

#include "platform/Processes.h"

namespace vp::win32 {

class Win32Processes final : public Processes {
public:
    std::vector<RunningProcess> list() override;
};

} // namespace vp::win32
