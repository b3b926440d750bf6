// The bytes of a saved run log: the header, an empty line, then every line of the run log,
// each ended by CR LF, in the system's narrow code page. The window's save and the console
// program's --log write exactly these.
#pragma once

#include <string>

namespace vp {

class ListBox;
class NarrowText;

std::string RunLogFileBytes(const ListBox& runLog, const NarrowText& narrow);

} // namespace vp
