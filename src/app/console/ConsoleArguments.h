// The console program's command line: what to do, on which targets, how to print it, and
// where the run log goes. Every option is a row of one table (ConsoleOptions.h), which the
// parser and the help both read.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vp::console {

enum class Action {
    Usage, // nothing asked: the usage is shown and the command counts as wrong
    Help,
    Version,
    List,
    Preview,
    Clean,
};

struct ConsoleCommand {
    Action action = Action::Usage;
    std::vector<int> targets; // catalogue numbers, ascending, each once
    std::optional<std::string> logFile;
    bool json = false;
    bool quiet = false;         // only the summary and the errors
    bool utf8 = false;          // UTF-8 to a pipe or a file instead of the console's code page
    bool systemProfile = false; // run under the SYSTEM account all the same
    // Rules files: the file (--regles), the entries and categories chosen, and --tout.
    std::optional<std::string> rulesFile;
    std::vector<std::string> entries;
    std::vector<std::string> ruleCategories;
    bool all = false;
};

// The command, or the message (French, one line) saying what is wrong with it.
struct ParsedArguments {
    std::optional<ConsoleCommand> command;
    std::string error;
};

// `arguments` without the program's own name, in UTF-8.
ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

// Adds the targets named by one argument ("6", "1-4,6", "internet", "temp,corbeille") to
// `targets`; false with `error` set when a part names none.
bool AddTargets(const std::string& text, std::vector<int>& targets, std::string& error);

} // namespace vp::console
