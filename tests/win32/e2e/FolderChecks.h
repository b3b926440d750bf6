// Checks of the Win32 file service against changes made between a listing and a deletion, and
// of the places and names it gives the logic; test driver only.
#pragma once

#include "platform/Environment.h"
#include "platform/FileSystem.h"

#include <string>

namespace vp::e2e {

// `root`: an empty scratch folder (a path the program takes, "C:\scratch").
void checkFolders(FileSystem& fs, Environment& env, const std::string& root);

} // namespace vp::e2e
