// The user's shell-folder key, where Windows records the paths of the cookie, cache, history
// and recent folders.
#pragma once

#include <string_view>

namespace vp {

inline constexpr std::string_view ShellFoldersKey =
    R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)";

} // namespace vp
