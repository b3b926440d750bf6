// The console's side of rules files (--regles, --entree, --categorie, --tout): reading the
// file, listing its entries after the twenty targets, and running the chosen entries after
// them, each logged like a target.
#pragma once

#include "app/RunTotals.h"
#include "app/console/ConsoleArguments.h"
#include "app/console/ConsoleProgram.h"
#include "app/console/ConsoleReport.h"
#include "platform/Platform.h"
#include "rules/RuleSet.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vp::console {

// Whether the command needs a rules file at all.
bool WantsRules(const ConsoleCommand& command);

// The rules file the command names (--regles), else the host's default one when it is there.
// nullopt with `error` set when a named file cannot be read; nullopt with `error` empty when
// no file was named and there is no default one.
std::optional<rules::RuleSet> LoadRules(const ConsoleCommand& command, const ConsoleHost& host,
                                        std::string& error);

// What --liste prints after the targets: the detected entries with their category, a mark for
// a warning, their number of keys and the program found running of each; with --tout also the
// others with the reason, and every key or entry the reader refused.
std::string RulesListing(const rules::RuleSet& rules, const Platform& platform,
                         const ConsoleHost& host, bool all);

struct RulesOutput {
    std::function<void(std::string_view)> logLine; // a run-log line
    std::function<void(std::string_view)> note;    // a warning or a kept item
    // Around each entry that runs: before its first line, and after its last with what it
    // did (its lines and items are the caller's to add, from what it was handed meanwhile).
    std::function<void()> entryBegins = [] {};
    std::function<void(EntryReport&&)> entryEnds = [](EntryReport&&) {};
};

// Checks the command's selection against the file: a name or category that matches nothing
// is a wrong command (returned as its message).
std::optional<std::string> SelectionProblem(const ConsoleCommand& command,
                                            const rules::RuleSet& rules);

// Runs the selected entries that apply on `platform` (a preview's when previewing), counting
// into `totals` at the place for items outside any target. True when an item stayed.
bool RunRuleEntries(const ConsoleCommand& command, const rules::RuleSet& rules,
                    const Platform& platform, const ConsoleHost& host, RunTotals& totals,
                    const RulesOutput& output);

} // namespace vp::console
