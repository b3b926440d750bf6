// The console program's command line: what to do, on which targets, and where the run log goes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vp::console {

enum class Action { Help, List, Preview, Clean };

struct ConsoleCommand {
    Action action = Action::Help;
    std::vector<int> targets; // catalogue numbers, ascending, each once
    std::optional<std::string> logFile;
    bool json = false;
};

// The command, or the message (French, one line) saying what is wrong with it.
struct ParsedArguments {
    std::optional<ConsoleCommand> command;
    std::string error;
};

// `arguments` without the program's own name, in UTF-8.
ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

// Adds the targets named by one argument ("6", "1-4,6", "internet", ...) to `targets`; false
// with `error` set when a part names none.
bool AddTargets(const std::string& text, std::vector<int>& targets, std::string& error);

} // namespace vp::console
