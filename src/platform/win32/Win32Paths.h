// Paths for the wide file calls: the program's UTF-8 Windows paths in the extended-length
// form ("\\?\C:\folder\file"), which reaches every name the file system can hold, at any
// length, exactly as the listing reported it.
#pragma once

#include <string>
#include <string_view>

namespace vp::win32 {

// "C:\a\b\" → L"\\?\C:\a\b"; forward slashes, repeated separators, "." and ".." are settled
// here because the extended form passes names to the file system untouched. UNC paths become
// "\\?\UNC\server\share\..."; relative paths are made full first. Empty for an empty path.
std::wstring extendedPath(std::string_view utf8Path);

} // namespace vp::win32
