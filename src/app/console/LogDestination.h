// Where --log may write: checked before the run, so that a clean never deletes anything only to
// find afterwards that its log has nowhere to go.
#pragma once

#include <optional>
#include <string>

namespace vp {
class FileSystem;
}

namespace vp::console {

// Why the run log cannot be written to `path` (a full path), in French, or nullopt when it can
// as far as can be told beforehand: a device name (NUL, CON, COM1...), a name Windows refuses,
// a missing folder, a folder or a read-only file in the way, a folder where no file can be made.
std::optional<std::string> LogDestinationProblem(FileSystem& files, const std::string& path);

} // namespace vp::console
