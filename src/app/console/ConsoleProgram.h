// The console program `vexoma`: the window's cleaning run, without a window, from a command
// line. It previews or cleans the chosen targets, prints the run log as the run writes it and
// a summary of what was (or would be) freed, and can save the run log as the window does.
// Everything it can check is checked before anything is deleted.
#pragma once

#include "platform/Platform.h"
#include "rules/RuleModel.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {
class KnownFolders;
}

namespace vp::console {

namespace ExitStatus {
inline constexpr int Done = 0;
inline constexpr int SomethingKept = 1; // items stayed (in use, hidden, a link, protected...)
inline constexpr int WrongCommand = 2;  // nothing was run, nothing deleted
inline constexpr int LogNotWritten = 3; // the run ran, but its --log file could not be written
} // namespace ExitStatus

// What the program is given by the system it runs on, besides the platform.
struct ConsoleHost {
    // Text in UTF-8, lines ending in '\n'; the host turns it into what its streams take.
    std::function<void(std::string_view utf8)> out;
    std::function<void(std::string_view utf8)> err;
    // Turns a file name from the command line into the full path the file service expects.
    std::function<std::string(std::string_view)> fullPath = [](std::string_view path) {
        return std::string(path);
    };
    // The time now, ISO 8601 in UTC ("2026-12-06T09:30:00Z").
    std::function<std::string()> nowUtc = [] { return std::string("1970-01-01T00:00:00Z"); };
    // Called once, before anything is written, when the command asks for UTF-8 (--utf8).
    std::function<void()> preferUtf8 = [] {};
    // The program runs under the SYSTEM account (a scheduled task, a deployment tool): its
    // profile is the system's, not a user's.
    bool systemAccount = false;
    // The whole bytes of a rules file, nullopt when it cannot be read.
    std::function<std::optional<std::string>(std::string_view path)> readFile =
        [](std::string_view) { return std::optional<std::string>(); };
    // winapp2.ini beside the program, read when no --regles names a file and it is there.
    std::string defaultRulesFile;
    // The user's known folders, for the variables of rules; none without them.
    KnownFolders* knownFolders = nullptr;
    // The running Windows' kernel version, for DetectOS; unknown, an entry limited to some
    // versions never runs.
    std::optional<rules::OsVersion> windowsVersion;
};

// Runs the command `arguments` (UTF-8, without the program's name) on `platform`, whose
// windowing may be one with controls held in memory: nothing is shown.
int RunConsole(const std::vector<std::string>& arguments, const Platform& platform,
               const ConsoleHost& host);

// The usage (a few lines), the whole help, and the categories' lines of both, in French.
std::string UsageText();
std::string HelpText();
std::string CategoriesHelp();

// The program's version, "1.0.0".
std::string_view ProgramVersion();

// What the program shows when it is started without arguments from Explorer, on a console of
// its own that closes when it ends: the help, how to call it by its full path
// (`programPath`, in UTF-8) from a command prompt, and the key that closes the window.
std::string DoubleClickText(std::string_view programPath);

} // namespace vp::console
