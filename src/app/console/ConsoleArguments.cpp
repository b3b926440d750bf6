#include "app/console/ConsoleArguments.h"

#include "app/Catalogue.h"
#include "app/console/ConsoleOptions.h"
#include "app/console/MatchFolding.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace vp::console {
namespace {

std::optional<int> targetNumber(std::string_view text) {
    int value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || failure != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > TargetCount()) {
        return std::nullopt;
    }
    return value;
}

// Every way one part may name targets: a category, a target's name, a number, a range.
bool addPart(std::string_view part, std::vector<int>& targets) {
    const std::string folded = FoldForMatching(part);
    for (const Category& category : Categories()) {
        if (folded == FoldForMatching(category.name)) {
            for (const CatalogueEntry& entry : Catalogue()) {
                if (category.contains(entry)) {
                    targets.push_back(entry.number);
                }
            }
            return true;
        }
    }
    for (const CatalogueEntry& entry : Catalogue()) {
        if (folded == entry.keyword) {
            targets.push_back(entry.number);
            return true;
        }
    }
    const std::size_t dash = part.find('-');
    const auto first = targetNumber(part.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : targetNumber(part.substr(dash + 1));
    if (!first || !last || *first > *last) {
        return false;
    }
    for (int n = *first; n <= *last; ++n) {
        targets.push_back(n);
    }
    return true;
}

// "complet, internet, windows, logiciels"
std::string categoryNames() {
    std::string names;
    for (const Category& category : Categories()) {
        names += (names.empty() ? "" : ", ") + FoldForMatching(category.name);
    }
    return names;
}

std::string unknownTarget(std::string_view part) {
    return "cible inconnue : « " + std::string(part) + " » (un numéro de 1 à " +
           std::to_string(TargetCount()) +
           ", un intervalle comme 1-4, un nom de « vexoma --liste » ou " + categoryNames() + ")";
}

// An option is anything that starts with "--" or "/", or with "-" and no digit ("-h", "-?");
// targets never do.
bool looksLikeOption(std::string_view argument) {
    if (argument.size() < 2) {
        return argument == "/" || argument == "-";
    }
    if (argument[0] == '/' || argument.substr(0, 2) == "--") {
        return true;
    }
    return argument[0] == '-' && (argument[1] < '0' || argument[1] > '9');
}

} // namespace

bool AddTargets(const std::string& text, std::vector<int>& targets, std::string& error) {
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view part = rest.substr(0, comma);
        if (!addPart(part, targets)) {
            error = unknownTarget(part);
            return false;
        }
        if (comma == std::string_view::npos) {
            return true;
        }
        rest.remove_prefix(comma + 1);
    }
}

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    if (arguments.empty()) {
        parsed.command = ConsoleCommand{};
        return parsed;
    }
    // Help, then the version, win over anything else on the line, even a wrong argument.
    for (const Action first : {Action::Help, Action::Version}) {
        for (const std::string& argument : arguments) {
            const ConsoleOption* option = FindConsoleOption(argument);
            if (option != nullptr && option->action == first) {
                parsed.command = ConsoleCommand{.action = first};
                return parsed;
            }
        }
    }

    ConsoleCommand command;
    std::optional<Action> action;
    auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!looksLikeOption(argument)) {
            if (!AddTargets(argument, command.targets, parsed.error)) {
                return parsed;
            }
            continue;
        }
        // "--log=FILE" as well as "--log FILE".
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const ConsoleOption* option = FindConsoleOption(name);
        if (option == nullptr) {
            return fail("option inconnue : « " + argument + " »");
        }
        std::string value;
        if (!option->value.empty()) {
            if (equals != std::string::npos) {
                value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            }
            if (value.empty()) {
                return fail("il manque " + std::string(option->value) + " après « " + name + " »");
            }
        } else if (equals != std::string::npos) {
            return fail("« " + name + " » ne prend pas de valeur");
        }
        if (option->action) {
            if (action && *action != *option->action) {
                return fail("« " + argument + " » ne va pas avec une autre action déjà demandée");
            }
            action = option->action;
        }
        if (!option->apply(command, value, parsed.error)) {
            return parsed;
        }
    }
    if (!action) {
        return fail(command.targets.empty()
                        ? "rien à faire : indiquez --liste, --apercu ou --nettoyer"
                        : "indiquez --apercu (voir sans rien effacer) ou --nettoyer (effacer)");
    }
    command.action = *action;
    if (command.action == Action::List) {
        if (!command.targets.empty() || command.logFile || command.json) {
            return fail("--liste ne prend ni cible, ni --log, ni --json");
        }
    } else if (command.targets.empty() && command.entries.empty() &&
               command.ruleCategories.empty()) {
        return fail("aucune cible : donnez des numéros (1-4,6), des noms (temp,corbeille) ou une "
                    "catégorie (" +
                    categoryNames() + ")");
    }
    std::sort(command.targets.begin(), command.targets.end());
    command.targets.erase(std::unique(command.targets.begin(), command.targets.end()),
                          command.targets.end());
    parsed.command = std::move(command);
    return parsed;
}

} // namespace vp::console
