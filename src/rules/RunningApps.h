// Which detected applications are running: a process started from a folder the entry's
// detection found, or a browser known by its usual executable name whose folders the entry's
// paths name. Only told, never acted on: no process is ever stopped; a running application's
// open files are left by the file service as in use.
#pragma once

#include "platform/Processes.h"
#include "rules/RuleModel.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vp::rules {

class Detector;

// Whether `path` is `folder` or lies below it, letter case aside, on folder boundaries:
// "C:\App" holds "C:\App\x.exe", never "C:\Apple\x.exe". An empty folder holds nothing.
bool liesUnder(std::string_view path, std::string_view folder);

// The usual executable names (lower case) of the browsers whose folders the entry's paths go
// through (DetectFile, FileKey and SpecialDetect paths): "chrome.exe" for a path through
// "Google\Chrome".
std::vector<std::string_view> browserExecutables(const Entry& entry);

// The executable name of the first process that is the application: one started from under
// one of `folders`, or named as one of `executables` (letter case aside). Empty when none.
std::string runningApplication(std::span<const RunningProcess> processes,
                               std::span<const std::string> folders,
                               std::span<const std::string_view> executables);

// The same for entries detected by `detector`, the processes listed once, on first need.
class RunningApplications {
public:
    RunningApplications(Processes& processes, Detector& detector)
        : processes_(processes), detector_(detector) {}

    std::string of(const Entry& entry);

private:
    Processes& processes_;
    Detector& detector_;
    std::optional<std::vector<RunningProcess>> running_;
};

} // namespace vp::rules
