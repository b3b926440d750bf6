#include "app/console/ConsoleArguments.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace vp::console {
namespace {

constexpr int FirstTarget = 1;
constexpr int LastTarget = 20;

struct Category {
    std::string_view name; // as the window's selector shows it, compared without case
    int first;
    int last;
};
constexpr Category Categories[] = {
    {"complet", 1, 20}, {"internet", 1, 4}, {"windows", 5, 10}, {"logiciels", 11, 20}};

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::optional<int> targetNumber(std::string_view text) {
    int value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < FirstTarget ||
        value > LastTarget) {
        return std::nullopt;
    }
    return value;
}

bool addPart(std::string_view part, std::vector<int>& targets, std::string& error) {
    const std::string lowered = lowerAscii(part);
    for (const Category& category : Categories) {
        if (lowered == category.name) {
            for (int n = category.first; n <= category.last; ++n) {
                targets.push_back(n);
            }
            return true;
        }
    }
    const std::size_t dash = part.find('-');
    const auto first = targetNumber(part.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : targetNumber(part.substr(dash + 1));
    if (!first || !last || *first > *last) {
        error = "cible inconnue : « " + std::string(part) +
                " » (un numéro de 1 à 20, un intervalle comme 1-4, ou complet, internet, "
                "windows, logiciels)";
        return false;
    }
    for (int n = *first; n <= *last; ++n) {
        targets.push_back(n);
    }
    return true;
}

} // namespace

bool AddTargets(const std::string& text, std::vector<int>& targets, std::string& error) {
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        if (!addPart(rest.substr(0, comma), targets, error)) {
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
    ConsoleCommand command;
    std::optional<Action> action;
    auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    auto setAction = [&](Action chosen, const std::string& option) {
        if (action && *action != chosen) {
            parsed.error = "« " + option + " » ne va pas avec une autre action déjà demandée";
            return false;
        }
        action = chosen;
        return true;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--aide" || argument == "--help" || argument == "-h" || argument == "/?") {
            ConsoleCommand help;
            parsed.command = help;
            return parsed;
        }
        if (argument == "--liste" || argument == "--list") {
            if (!setAction(Action::List, argument)) {
                return parsed;
            }
        } else if (argument == "--apercu" || argument == "--aperçu" || argument == "--preview") {
            if (!setAction(Action::Preview, argument)) {
                return parsed;
            }
        } else if (argument == "--nettoyer" || argument == "--clean") {
            if (!setAction(Action::Clean, argument)) {
                return parsed;
            }
        } else if (argument == "--json") {
            command.json = true;
        } else if (argument == "--log" || argument == "--journal") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                return fail("il manque le nom du fichier après « " + argument + " »");
            }
            if (command.logFile) {
                return fail("un seul fichier journal peut être donné");
            }
            command.logFile = arguments[++i];
        } else if (argument.rfind("--log=", 0) == 0 || argument.rfind("--journal=", 0) == 0) {
            const std::string file = argument.substr(argument.find('=') + 1);
            if (file.empty() || command.logFile) {
                return fail("« " + argument + " » : un seul fichier journal, et nommé");
            }
            command.logFile = file;
        } else if (!argument.empty() && argument.front() == '-' &&
                   (argument.size() < 2 || argument[1] < '0' || argument[1] > '9')) {
            return fail("option inconnue : « " + argument + " »");
        } else if (!AddTargets(argument, command.targets, parsed.error)) {
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
    } else if (command.targets.empty()) {
        return fail("aucune cible : donnez des numéros (1-4,6) ou une catégorie (complet, "
                    "internet, windows, logiciels)");
    }
    std::sort(command.targets.begin(), command.targets.end());
    command.targets.erase(std::unique(command.targets.begin(), command.targets.end()),
                          command.targets.end());
    parsed.command = std::move(command);
    return parsed;
}

} // namespace vp::console
