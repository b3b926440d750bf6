// The programs running on this machine, for telling which applications hold their files open.
// Only read: nothing here stops, starts or changes a process.
#pragma once

#include <string>
#include <vector>

namespace vp {

struct RunningProcess {
    // The executable's full path (UTF-8), empty when the system does not tell it (a process of
    // another user or of the system, which a normal user may not query).
    std::string imagePath;
    std::string executable; // its file name ("chrome.exe"), always known
    bool operator==(const RunningProcess&) const = default;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Every process running now, in no promised order.
    virtual std::vector<RunningProcess> list() = 0;
};

} // namespace vp
