#include "platform/KnownFolders.h"

#include <array>

namespace vp {

std::string_view knownFolderName(KnownFolder folder) {
    static constexpr std::array<std::string_view, KnownFolderCount> Names = {
        "RoamingAppData",
        "LocalAppData",
        "LocalLowAppData",
        "ProgramData",
        "ProgramFiles",
        "ProgramFilesX86",
        "CommonProgramFiles",
        "CommonProgramFilesX86",
        "Documents",
        "Music",
        "Pictures",
        "Videos",
        "Desktop",
        "Public",
        "Profile",
        "Windows",
    };
    const auto index = static_cast<std::size_t>(folder);
    return index < Names.size() ? Names[index] : std::string_view("?");
}

} // namespace vp
