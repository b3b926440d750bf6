// Simulated known folders: in memory only; must never ask the host for anything.
#include "platform/sim/SimKnownFolders.h"

namespace vp::sim {

SimKnownFolders& SimKnownFolders::set(KnownFolder folder, std::string_view path) {
    paths_[static_cast<std::size_t>(folder)] = std::string(path);
    return *this;
}

SimKnownFolders& SimKnownFolders::unset(KnownFolder folder) {
    paths_[static_cast<std::size_t>(folder)].reset();
    return *this;
}

SimKnownFolders& SimKnownFolders::setTypicalProfile(std::string_view user, bool sixtyFourBit) {
    const std::string profile = "C:\\Users\\" + std::string(user);
    const std::string programs32 = sixtyFourBit ? "C:\\Program Files (x86)" : "C:\\Program Files";
    set(KnownFolder::Profile, profile);
    set(KnownFolder::RoamingAppData, profile + "\\AppData\\Roaming");
    set(KnownFolder::LocalAppData, profile + "\\AppData\\Local");
    set(KnownFolder::LocalLowAppData, profile + "\\AppData\\LocalLow");
    set(KnownFolder::Documents, profile + "\\Documents");
    set(KnownFolder::Music, profile + "\\Music");
    set(KnownFolder::Pictures, profile + "\\Pictures");
    set(KnownFolder::Videos, profile + "\\Videos");
    set(KnownFolder::Desktop, profile + "\\Desktop");
    set(KnownFolder::Public, "C:\\Users\\Public");
    set(KnownFolder::ProgramData, "C:\\ProgramData");
    set(KnownFolder::ProgramFiles, "C:\\Program Files");
    set(KnownFolder::ProgramFilesX86, programs32);
    set(KnownFolder::CommonProgramFiles, "C:\\Program Files\\Common Files");
    set(KnownFolder::CommonProgramFilesX86, programs32 + "\\Common Files");
    set(KnownFolder::Windows, "C:\\Windows");
    return *this;
}

std::optional<std::string> SimKnownFolders::path(KnownFolder folder) {
    const auto index = static_cast<std::size_t>(folder);
    return index < paths_.size() ? paths_[index] : std::nullopt;
}

} // namespace vp::sim
