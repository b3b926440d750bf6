// The one policy on where a sweep may start. A folder handed to the sweeper, or to a deletion
// by pattern, comes from the environment or the registry, which anyone can set: TEMP=C:\ or a
// shell-folder value naming the profile would otherwise empty a whole drive or the user's
// documents. So a folder is refused, and left untouched, when it is a drive, volume or share
// root, or when it is (or lies above) the Windows folder, a Program Files folder, the folder of
// every user's application data, the users' folder, a user's profile (any folder directly in
// the users' folder, or the one the system names) or a known folder (Documents, Desktop,
// Downloads, Pictures, Music, Videos, the AppData folders, Start Menu, Favorites). The folder
// is judged twice: on the path it was asked by, its "." and ".." settled, and on the path the
// system resolves its open handle to, so a link or a mapped drive letter leads nowhere else.
// Folders below a protected place (the Windows folder's Prefetch, a program's folder in
// Program Files, a profile's Temp) are swept as usual.
#pragma once

#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// `path` with its "." and ".." components settled: separators made backslashes, repeated and
// trailing ones dropped (a drive's root keeps its own: "C:\"), ".." never above the root. Text
// only: links are the system's to resolve.
std::string ResolveDots(std::string_view path);

// The protected place that a sweep starting at `path` would be in or above, or nullopt.
std::optional<PlaceKind> ProtectedPlaceAt(std::string_view path,
                                          const std::vector<ProtectedPlace>& places);

// For the open `folder`, asked for by `askedPath`: the protected place it is or lies above,
// judged on both paths (see above), or nullopt when it may be swept.
std::optional<PlaceKind> RefusedSweepRoot(std::string_view askedPath, Folder& folder,
                                          FileSystem& files);

} // namespace vp
