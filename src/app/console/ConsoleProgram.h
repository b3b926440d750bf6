// The console program `vexoma`: the window's cleaning run, without a window, from a command
// line. It previews or cleans the chosen targets, prints the run log as the run writes it and
// a summary of what was (or would be) freed, and can save the run log as the window does.
#pragma once

#include "platform/Platform.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vp::console {

namespace ExitStatus {
inline constexpr int Done = 0;
inline constexpr int SomethingKept = 1; // items that could not be deleted, or no run log file
inline constexpr int WrongCommand = 2;  // nothing was run, nothing deleted
} // namespace ExitStatus

struct ConsoleStreams {
    std::function<void(std::string_view utf8)> out;
    std::function<void(std::string_view utf8)> err;
    // Turns a file name from the command line into the full path the file service expects.
    std::function<std::string(std::string_view)> fullPath = [](std::string_view path) {
        return std::string(path);
    };
};

// Runs the command `arguments` (UTF-8, without the program's name) on `platform`, whose
// windowing may be one with controls held in memory: nothing is shown.
int RunConsole(const std::vector<std::string>& arguments, const Platform& platform,
               const ConsoleStreams& streams);

// The help text, in French.
std::string HelpText();

// What the program shows when it is started without arguments from Explorer, on a console of
// its own that closes when it ends: the help, how to call it by its full path
// (`programPath`, in UTF-8) from a command prompt, and the key that closes the window.
std::string DoubleClickText(std::string_view programPath);

} // namespace vp::console
