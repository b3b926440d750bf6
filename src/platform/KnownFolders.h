// The user's and the system's well-known folders, as the shell names them. Rules files name
// folders by variable (%AppData%, %ProgramFiles%...); their paths differ from one Windows, one
// language and one user to the next, and may be redirected, so they are always asked of the
// system, never guessed from a fixed layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vp {

enum class KnownFolder : std::uint8_t {
    RoamingAppData,  // AppData\Roaming
    LocalAppData,    // AppData\Local
    LocalLowAppData, // AppData\LocalLow, for programs running at low integrity
    ProgramData,     // the machine's shared application data
    // The Program Files folder of the system's own architecture: the 64-bit one on a 64-bit
    // Windows, whatever the architecture of the program asking.
    ProgramFiles,
    // The folder of 32-bit programs on a 64-bit Windows; on a 32-bit Windows the same folder
    // as ProgramFiles.
    ProgramFilesX86,
    CommonProgramFiles, // Program Files\Common Files, as ProgramFiles
    CommonProgramFilesX86,
    Documents,
    Music,
    Pictures,
    Videos,
    Desktop,
    Public,  // the folder shared by every user of the machine
    Profile, // the user's own profile folder
    Windows,
};

inline constexpr int KnownFolderCount = static_cast<int>(KnownFolder::Windows) + 1;

// The folder's English identifier, for messages and tests ("RoamingAppData").
std::string_view knownFolderName(KnownFolder folder);

class KnownFolders {
public:
    virtual ~KnownFolders() = default;

    // The folder's full path (UTF-8, without a trailing backslash except for a drive root),
    // or nullopt when the system has no such folder for this user (or cannot say).
    virtual std::optional<std::string> path(KnownFolder folder) = 0;
};

} // namespace vp
