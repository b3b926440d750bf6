#include "app/console/RulesRun.h"

#include "platform/Environment.h"
#include "platform/KnownFolders.h"
#include "rules/Detection.h"
#include "rules/EntryCleaner.h"
#include "rules/EntrySelection.h"
#include "rules/ItemTally.h"
#include "rules/RootExpansion.h"
#include "rules/RunningApps.h"

namespace vp::console {
namespace {

rules::SelectionRequest requestOf(const ConsoleCommand& command) {
    return {command.entries, command.ruleCategories};
}

std::string categoryText(const rules::Entry& entry) {
    return entry.category.name.empty() ? std::string("sans catégorie")
                                       : std::string(entry.category.name);
}

std::size_t keyCount(const rules::Entry& entry) {
    return entry.fileKeys.size() + entry.regKeys.size();
}

std::string entryLine(const rules::Entry& entry) {
    std::string line = "  ";
    line += entry.hasWarning ? "[!] " : "    ";
    line += rules::displayName(entry);
    // Plain ASCII punctuation: the console's code page may hold no dash.
    line += " (" + categoryText(entry) + ", " + std::to_string(keyCount(entry)) + " clé(s))";
    return line;
}

// The known folders are the host's; without them no path of a rule can be expanded.
class EmptyKnownFolders final : public KnownFolders {
public:
    std::optional<std::string> path(KnownFolder) override { return std::nullopt; }
};

KnownFolders& knownFoldersOf(const ConsoleHost& host) {
    static EmptyKnownFolders none;
    return host.knownFolders != nullptr ? *host.knownFolders : none;
}

} // namespace

bool WantsRules(const ConsoleCommand& command) {
    return command.rulesFile || !command.entries.empty() || !command.ruleCategories.empty() ||
           command.action == Action::List;
}

std::optional<rules::RuleSet> LoadRules(const ConsoleCommand& command, const ConsoleHost& host,
                                        std::string& error) {
    error.clear();
    if (command.rulesFile) {
        const std::string path = host.fullPath(*command.rulesFile);
        auto bytes = host.readFile(path);
        if (!bytes) {
            error = "le fichier de règles « " + path + " » ne peut pas être lu";
            return std::nullopt;
        }
        return rules::parseRules(std::move(*bytes), path);
    }
    if (host.defaultRulesFile.empty()) {
        return std::nullopt;
    }
    auto bytes = host.readFile(host.defaultRulesFile);
    if (!bytes) {
        return std::nullopt;
    }
    return rules::parseRules(std::move(*bytes), host.defaultRulesFile);
}

std::string RulesListing(const rules::RuleSet& rules, const Platform& platform,
                         const ConsoleHost& host, bool all) {
    rules::RootExpander expander(knownFoldersOf(host), platform.environment);
    rules::Detector detector(platform.fileSystem, platform.registry, platform.narrowText, expander,
                             host.windowsVersion);
    rules::RunningApplications running(platform.processes, detector);
    std::string detected;
    std::string others;
    std::size_t found = 0;
    for (const rules::Entry& entry : rules.entries()) {
        const rules::DetectionResult result = detector.detect(entry);
        if (result == rules::DetectionResult::Detected) {
            detected += entryLine(entry);
            const std::string program = running.of(entry);
            if (!program.empty()) {
                detected += " ; en cours d'exécution : " + program;
            }
            detected += '\n';
            ++found;
        } else if (all) {
            others +=
                entryLine(entry) + " : " + std::string(rules::frenchDetectionResult(result)) + '\n';
        }
    }
    std::string text = "\nRègles de « " + rules.fileName() + " » : " + std::to_string(found) +
                       " entrée(s) détectée(s) sur " + std::to_string(rules.entries().size()) +
                       " ([!] : avertissement, à nommer exactement avec --entree)\n" + detected;
    if (all) {
        text += "\nEntrées non retenues :\n" + others;
        text += "\nClés et entrées refusées à la lecture :\n";
        for (const rules::Diagnostic& diagnostic : rules.diagnostics()) {
            if (diagnostic.effect != rules::Effect::Noted) {
                text += "  " + rules::describe(rules.fileName(), diagnostic) + '\n';
            }
        }
    }
    return text;
}

std::optional<std::string> SelectionProblem(const ConsoleCommand& command,
                                            const rules::RuleSet& rules) {
    const rules::Selection selection = rules::selectEntries(rules.entries(), requestOf(command));
    if (!selection.unmatchedNames.empty()) {
        return "aucune entrée des règles ne s'appelle « " + selection.unmatchedNames.front() + " »";
    }
    if (!selection.unmatchedCategories.empty()) {
        return "aucune entrée des règles n'est de la catégorie « " +
               selection.unmatchedCategories.front() + " »";
    }
    return std::nullopt;
}

bool RunRuleEntries(const ConsoleCommand& command, const rules::RuleSet& rules,
                    const Platform& platform, const ConsoleHost& host, RunTotals& totals,
                    const RulesOutput& output) {
    const rules::Selection selection = rules::selectEntries(rules.entries(), requestOf(command));
    for (const rules::Entry* entry : selection.needExactName) {
        output.note("Règles : « " + std::string(rules::displayName(*entry)) +
                    " » porte un avertissement : nommez-la exactement avec --entree pour la "
                    "lancer\n");
    }
    rules::RootExpander expander(knownFoldersOf(host), platform.environment);
    rules::Detector detector(platform.fileSystem, platform.registry, platform.narrowText, expander,
                             host.windowsVersion);
    rules::RunningApplications running(platform.processes, detector);
    totals.beginTarget(0);
    bool somethingKept = false;
    for (const rules::Entry* entry : selection.entries) {
        const std::string name(rules::displayName(*entry));
        const rules::DetectionResult result = detector.detect(*entry);
        if (result != rules::DetectionResult::Detected) {
            output.note("Règles : « " + name + " » n'est pas lancée (" +
                        std::string(rules::frenchDetectionResult(result)) + ")\n");
            continue;
        }
        if (entry->hasWarning) {
            output.note("Attention, « " + name + " » : " + std::string(entry->warning) + '\n');
        }
        EntryReport report;
        report.name = name;
        report.category = std::string(entry->category.name);
        report.hasWarning = entry->hasWarning;
        report.warning = std::string(entry->warning);
        report.running = running.of(*entry);
        if (!report.running.empty()) {
            // Its files stay as in use, item by item, through the file service's own checks;
            // the program is never stopped.
            output.note("Règles : « " + name + " » : l'application tourne (" + report.running +
                        ") ; les fichiers qu'elle tient ouverts restent en place (" +
                        std::string(rules::frenchKeptReason(Outcome::InUse)) + ")\n");
        }
        output.entryBegins();
        // Each entry counts apart, for its own report, then into the run's place outside any
        // target.
        RunTotals entryTotals(0);
        rules::ItemTally tally(entryTotals, output.logLine);
        output.logLine(name + " : Nettoyage ...");
        rules::cleanEntry(platform, *entry, expander, tally);
        output.logLine("");
        for (const rules::KeptItem& item : tally.kept()) {
            output.note("  Resté en place : " + item.path + " (" +
                        std::string(rules::frenchKeptReason(item.reason)) + ")\n");
        }
        report.totals = entryTotals.target(0);
        totals.current() += report.totals;
        somethingKept = somethingKept || !tally.kept().empty() || !report.totals.refused.empty();
        output.entryEnds(std::move(report));
    }
    return somethingKept;
}

} // namespace vp::console
