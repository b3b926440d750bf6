#include "app/console/ConsoleProgram.h"

#include "app/Catalogue.h"
#include "app/Form1.h"
#include "app/RunLogText.h"
#include "app/console/ConsoleArguments.h"
#include "app/console/ConsoleReport.h"
#include "app/console/LineTapWindowing.h"
#include "app/console/LogDestination.h"
#include "app/console/RulesRun.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Windowing.h"
#include "platform/preview/PreviewPlatform.h"
#include "platform/record/RecordingPlatform.h"

#include <memory>

namespace vp::console {
namespace {

std::string catalogueListing() {
    std::string text;
    for (const CatalogueEntry& entry : Catalogue()) {
        std::string number = std::to_string(entry.number);
        std::string name(entry.keyword);
        text.append(3 - std::min<std::size_t>(3, number.size()), ' ');
        text += number;
        text += "  ";
        text += name;
        text.append(name.size() < 21 ? 21 - name.size() : 1, ' ');
        text += entry.caption;
        text += '\n';
        text.append(26, ' ');
        text += entry.cleans;
        text += '\n';
    }
    text += "\nCatégories :\n" + CategoriesHelp();
    return text;
}

std::string wrongCommand(std::string_view why) {
    return "vexoma : " + std::string(why) + "\nRien n'a été effacé. Aide : vexoma --aide\n";
}

// The temporary folder the run will sweep, as the system reports it.
std::string tempFolder(Environment& environment) {
    std::string buffer;
    const std::uint32_t needed = environment.tempPath(0, buffer);
    return needed != 0 && environment.tempPath(needed + 1, buffer) != 0 ? buffer : std::string();
}

} // namespace

std::string_view ProgramVersion() {
    return VP_VERSION;
}

int RunConsole(const std::vector<std::string>& arguments, const Platform& platform,
               const ConsoleHost& host) {
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.command) {
        host.err(wrongCommand(parsed.error));
        return ExitStatus::WrongCommand;
    }
    const ConsoleCommand& command = *parsed.command;
    if (command.utf8) {
        host.preferUtf8();
    }
    switch (command.action) {
    case Action::Usage:
        host.err("vexoma : le nettoyage de Vexoma Pellora en ligne de commande.\n\n" + UsageText() +
                 "\nRien n'a été effacé. Aide : vexoma --aide\n");
        return ExitStatus::WrongCommand;
    case Action::Help:
        host.out(HelpText());
        return ExitStatus::Done;
    case Action::Version:
        host.out("vexoma " + std::string(ProgramVersion()) + '\n');
        return ExitStatus::Done;
    case Action::List: {
        std::string error;
        const auto rules = LoadRules(command, host, error);
        if (!error.empty()) {
            host.err(wrongCommand(error));
            return ExitStatus::WrongCommand;
        }
        host.out(catalogueListing() +
                 (rules ? RulesListing(*rules, platform, host, command.all) : std::string()));
        return ExitStatus::Done;
    }
    case Action::Preview:
    case Action::Clean:
        break;
    }

    if (host.systemAccount && !command.systemProfile) {
        host.err(wrongCommand(
            "le programme tourne sous le compte SYSTEM : il nettoierait le profil du système, "
            "pas celui d'un utilisateur. Planifiez la tâche sous le compte de l'utilisateur, ou "
            "ajoutez --profil-systeme pour nettoyer le profil du système"));
        return ExitStatus::WrongCommand;
    }
    std::string logPath;
    if (command.logFile) {
        logPath = host.fullPath(*command.logFile);
        if (const auto problem = LogDestinationProblem(platform.fileSystem, logPath)) {
            host.err(wrongCommand(*problem));
            return ExitStatus::WrongCommand;
        }
    }

    // The rules file and the entries chosen in it are checked before anything runs too.
    std::optional<rules::RuleSet> rules;
    if (WantsRules(command)) {
        std::string error;
        rules = LoadRules(command, host, error);
        if (!error.empty()) {
            host.err(wrongCommand(error));
            return ExitStatus::WrongCommand;
        }
        if (!rules && (!command.entries.empty() || !command.ruleCategories.empty())) {
            host.err(wrongCommand("--entree et --categorie demandent un fichier de règles "
                                  "(--regles FICHIER, ou winapp2.ini à côté de vexoma.exe)"));
            return ExitStatus::WrongCommand;
        }
        if (const auto problem = rules ? SelectionProblem(command, *rules) : std::nullopt) {
            host.err(wrongCommand(*problem));
            return ExitStatus::WrongCommand;
        }
    }

    const bool preview = command.action == Action::Preview;
    RunReport report(preview);
    Form1* running = nullptr;
    const bool printLines = !command.json && !command.quiet;
    LineTapWindowing windowing(platform.windowing, "List1", [&](std::string_view line) {
        const int target = running != nullptr ? running->totals.currentTarget() : 0;
        report.addLine(target, line);
        if (printLines) {
            host.out(std::string(line) + '\n');
        }
    });
    // The run's platform is the one given, with the windowing that hands on the run log, and
    // for a preview wrapped so that nothing is changed.
    const Platform tapped{
        platform.registry,      platform.fileSystem, platform.environment, platform.shell,
        platform.internetCache, platform.urlHistory, platform.memory,      windowing,
        platform.graphics,      platform.narrowText, platform.processes};
    std::unique_ptr<preview::PreviewPlatform> previewPlatform;
    if (preview) {
        previewPlatform = std::make_unique<preview::PreviewPlatform>(tapped);
    }
    // Outermost, the journal of every item, so that a preview names what the run would do.
    record::ItemJournal journal(
        [&running] { return running != nullptr ? running->totals.currentTarget() : 0; });
    record::RecordingPlatform recording(previewPlatform ? previewPlatform->bundle() : tapped,
                                        journal);
    Platform runPlatform = recording.bundle();

    RunContext context;
    context.started = host.nowUtc();
    context.computer = platform.environment.variable("COMPUTERNAME").value_or("");
    context.user = platform.environment.variable("USERNAME").value_or("");
    context.tempFolder = tempFolder(platform.environment);
    context.targets = command.targets;

    Form1 form(runPlatform);
    form.Form_Load();
    for (const CatalogueEntry& entry : Catalogue()) {
        form.ch(entry.number).setValue(0);
    }
    for (const int n : command.targets) {
        form.ch(n).setValue(1);
    }
    if (!command.targets.empty()) {
        running = &form;
        form.Command1_Click();
        running = nullptr;
    }
    RunTotals totals = form.totals;
    bool rulesKept = false;
    if (rules) {
        std::vector<std::string> entryLines;
        std::size_t entryItemsFrom = 0;
        RulesOutput output{[&](std::string_view line) {
                               report.addLine(0, line);
                               entryLines.emplace_back(line);
                               if (printLines) {
                                   host.out(std::string(line) + '\n');
                               }
                           },
                           [&](std::string_view note) {
                               if (printLines) {
                                   host.out(note);
                               }
                           }};
        output.entryBegins = [&] {
            entryLines.clear();
            entryItemsFrom = journal.entries().size();
        };
        output.entryEnds = [&](EntryReport&& entry) {
            entry.lines = std::move(entryLines);
            entryLines.clear();
            const auto& recorded = journal.entries();
            for (std::size_t i = entryItemsFrom; i < recorded.size(); ++i) {
                entry.items.push_back(recorded[i].item);
            }
            report.addEntry(std::move(entry));
        };
        rulesKept = RunRuleEntries(command, *rules, runPlatform, host, totals, output);
    }

    report.setTotals(totals);
    report.setItems(journal.entries());
    int status =
        totals.sum().somethingKept() || rulesKept ? ExitStatus::SomethingKept : ExitStatus::Done;
    if (command.logFile) {
        // Written for real in a preview too: the log is the program's output, not the run's.
        if (!platform.fileSystem.replaceFileContents(
                logPath, RunLogFileBytes(*form.List1, platform.narrowText))) {
            host.err("vexoma : le nettoyage a eu lieu, mais le journal n'a pas pu être écrit "
                     "dans « " +
                     logPath + " »\n");
            status = ExitStatus::LogNotWritten;
        }
    }
    context.status = status;
    host.out(command.json ? report.json(context) : report.summary());
    return status;
}

} // namespace vp::console
