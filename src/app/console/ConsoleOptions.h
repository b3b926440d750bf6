// The console program's options, as one table: the parser recognises them by these names and
// the help lists them from it, so an option is added in one place.
#pragma once

#include "app/console/ConsoleArguments.h"

#include <span>
#include <string_view>

namespace vp::console {

struct ConsoleOption {
    // Every name it answers to, the one the help shows first. Names are compared without regard
    // to case or accents, and a "--name" may also be written "/name", as Windows tools take it.
    std::span<const std::string_view> names;
    std::string_view value; // what follows it ("FICHIER"), empty when it takes nothing
    std::string_view help;  // French; '\n' between its lines
    // What it does to the command; false with `error` set when it cannot (a second --log).
    bool (*apply)(ConsoleCommand& command, std::string_view value, std::string& error);
    // An action: the command holds only one, but for --aide and --version, which win over
    // everything else on the line.
    std::optional<Action> action = std::nullopt;
};

std::span<const ConsoleOption> ConsoleOptions();

// The option named `name` as typed ("--NETTOYER", "/?", "-h"), without any "=value"; nullptr
// when there is none.
const ConsoleOption* FindConsoleOption(std::string_view name);

} // namespace vp::console
