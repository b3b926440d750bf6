#include "app/console/ConsoleProgram.h"

#include "app/Catalogue.h"
#include "app/Form1.h"
#include "app/RunLogText.h"
#include "app/console/ConsoleArguments.h"
#include "app/console/ConsoleReport.h"
#include "app/console/LineTapWindowing.h"
#include "platform/FileSystem.h"
#include "platform/Windowing.h"
#include "platform/preview/PreviewPlatform.h"

#include <memory>

namespace vp::console {
namespace {

std::string folderOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string catalogueListing() {
    std::string text;
    for (const CatalogueEntry& entry : Catalogue()) {
        text += entry.number < 10 ? " " : "";
        text += std::to_string(entry.number) + "  " + std::string(entry.caption) + '\n';
    }
    text += "\nCatégories : complet (1-20), internet (1-4), windows (5-10), logiciels (11-20)\n";
    return text;
}

} // namespace

int RunConsole(const std::vector<std::string>& arguments, const Platform& platform,
               const ConsoleStreams& streams) {
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.command) {
        streams.err("vexoma : " + parsed.error + "\nRien n'a été effacé. Aide : vexoma --aide\n");
        return ExitStatus::WrongCommand;
    }
    const ConsoleCommand& command = *parsed.command;
    if (command.action == Action::Help) {
        streams.out(HelpText());
        return ExitStatus::Done;
    }
    if (command.action == Action::List) {
        streams.out(catalogueListing());
        return ExitStatus::Done;
    }
    std::string logPath;
    if (command.logFile) {
        logPath = streams.fullPath(*command.logFile);
        const std::string folder = folderOf(logPath);
        const auto attributes = platform.fileSystem.attributes(folder);
        if (folder.empty() || !attributes || (*attributes & FileAttribute::Directory) == 0) {
            streams.err("vexoma : le dossier du journal n'existe pas : « " + folder +
                        " »\nRien n'a été effacé.\n");
            return ExitStatus::WrongCommand;
        }
    }

    const bool preview = command.action == Action::Preview;
    RunReport report(preview);
    Form1* running = nullptr;
    LineTapWindowing windowing(platform.windowing, "List1", [&](std::string_view line) {
        const int target = running != nullptr ? running->totals.currentTarget() : 0;
        report.addLine(target, line);
        if (!command.json) {
            streams.out(std::string(line) + '\n');
        }
    });
    // The run's platform is the one given, with the windowing that hands on the run log, and
    // for a preview wrapped so that nothing is changed.
    const Platform tapped{
        platform.registry,      platform.fileSystem, platform.environment, platform.shell,
        platform.internetCache, platform.urlHistory, platform.memory,      windowing,
        platform.graphics,      platform.narrowText};
    std::unique_ptr<preview::PreviewPlatform> previewPlatform;
    if (preview) {
        previewPlatform = std::make_unique<preview::PreviewPlatform>(tapped);
    }
    Platform runPlatform = previewPlatform ? previewPlatform->bundle() : tapped;

    Form1 form(runPlatform);
    form.Form_Load();
    for (int n = 1; n <= RunTotals::Targets; ++n) {
        form.ch(n).setValue(0);
    }
    for (const int n : command.targets) {
        form.ch(n).setValue(1);
    }
    running = &form;
    form.Command1_Click();
    running = nullptr;

    report.setTotals(form.totals);
    int status = form.totals.sum().somethingKept() ? ExitStatus::SomethingKept : ExitStatus::Done;
    if (command.logFile) {
        // Written for real in a preview too: the log is the program's output, not the run's.
        if (!platform.fileSystem.replaceFileContents(
                logPath, RunLogFileBytes(*form.List1, platform.narrowText))) {
            streams.err("vexoma : le journal n'a pas pu être écrit dans « " + logPath + " »\n");
            status = ExitStatus::SomethingKept;
        }
    }
    streams.out(command.json ? report.json(command.targets, status) : report.summary());
    return status;
}

} // namespace vp::console
