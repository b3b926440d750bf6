// The console program on the simulated platform: a wrong command deletes nothing and says why,
// a preview prints the same run log as the clean that follows it and changes nothing, the exit
// status tells whether something stayed, --log writes the window's bytes, --json holds it all.
#include "app/console/ConsoleProgram.h"

#include "app/Form1.h"
#include "support/RandomProfile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vp::console {
namespace {

using test::RandomProfile;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome run(sim::SimPlatform& sim, const std::vector<std::string>& arguments) {
    Outcome outcome;
    ConsoleStreams streams{[&](std::string_view text) { outcome.out += text; },
                           [&](std::string_view text) { outcome.err += text; }};
    outcome.status = RunConsole(arguments, sim.bundle(), streams);
    return outcome;
}

std::string stateOf(sim::SimPlatform& sim) {
    std::ostringstream out;
    out << sim.files.snapshot("C:\\") << sim.registry.exportRegText();
    for (const auto& name : sim.internetCache.names()) {
        out << name << '\n';
    }
    for (const auto& item : sim.shell.recycleBinItems()) {
        out << item << '\n';
    }
    return out.str();
}

// The run-log part of the printed text: everything before the summary.
std::string runLogPart(const std::string& out) {
    const std::size_t summary = out.find("\nAperçu : ") != std::string::npos
                                    ? out.find("\nAperçu : ")
                                    : out.find("\nBilan du nettoyage :");
    return out.substr(0, summary);
}

const std::string Temp = R"(C:\Documents and Settings\anne\Local Settings\Temp\)";

void smallProfile(sim::SimPlatform& sim, bool locked) {
    sim.environment.set("USERNAME", "anne").setTempPath(Temp);
    sim.files.file(Temp + "a.tmp", {.contents = "12345"})
        .file(Temp + R"(Setup\b.log)", {.contents = std::string(2048, 'b')});
    if (locked) {
        sim.files.file(Temp + "locked.dat", {.inUse = true});
    }
    sim.registry.setString(R"(Software\WinRAR\ArcHistory)", "0", "été.rar");
    sim.shell.recycled(R"(C:\x)", 700);
}

TEST(ConsoleProgram, AWrongCommandDeletesNothingAndSaysWhy) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--nettoyer", "25"},
          {"--nettoyer"},
          {"complet"},
          {"--nettoyer", "complet", "--bogus"},
          {"--nettoyer", "complet", "--log", R"(C:\missing folder\run.txt)"}}) {
        sim::SimPlatform sim;
        smallProfile(sim, false);
        const std::string before = stateOf(sim);
        const Outcome outcome = run(sim, arguments);
        EXPECT_EQ(outcome.status, ExitStatus::WrongCommand);
        EXPECT_NE(outcome.err.find("Rien n'a été effacé"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(stateOf(sim), before);
    }
}

TEST(ConsoleProgram, HelpAndListExplainWithoutRunning) {
    sim::SimPlatform sim;
    const Outcome help = run(sim, {"--aide"});
    EXPECT_EQ(help.status, ExitStatus::Done);
    for (const char* mentioned : {"--apercu", "--nettoyer", "--liste", "--log", "--json", "1-4,6",
                                  "logiciels", "Codes de sortie"}) {
        EXPECT_NE(help.out.find(mentioned), std::string::npos) << mentioned;
    }
    const Outcome list = run(sim, {"--liste"});
    EXPECT_EQ(list.status, ExitStatus::Done);
    EXPECT_NE(list.out.find(" 1  Adresses tapées récemment\n"), std::string::npos);
    EXPECT_NE(list.out.find("20  WinZip\n"), std::string::npos);
    EXPECT_TRUE(sim.windowing.window() == nullptr); // no run, not even a window in memory
}

TEST(ConsoleProgram, PreviewPrintsTheCleansLinesChangesNothingAndBothTellWhatStayed) {
    for (const bool locked : {false, true}) {
        sim::SimPlatform sim;
        smallProfile(sim, locked);
        const std::string before = stateOf(sim);
        const Outcome preview = run(sim, {"--apercu", "windows,19"});
        EXPECT_EQ(stateOf(sim), before);
        const Outcome clean = run(sim, {"--nettoyer", "windows,19"});
        EXPECT_NE(stateOf(sim), before);

        const int expected = locked ? ExitStatus::SomethingKept : ExitStatus::Done;
        EXPECT_EQ(preview.status, expected);
        EXPECT_EQ(clean.status, expected);
        EXPECT_EQ(runLogPart(preview.out), runLogPart(clean.out));
        EXPECT_NE(runLogPart(clean.out).find(Temp + "a.tmp\n"), std::string::npos);
        EXPECT_NE(runLogPart(clean.out).find("été.rar\n"), std::string::npos);
        EXPECT_NE(preview.out.find("Fichiers                  : 2, 2 053 octets (2,0 Ko)"),
                  std::string::npos)
            << preview.out;
        EXPECT_NE(clean.out.find("Corbeille                 : 1 élément(s), 700 octets"),
                  std::string::npos)
            << clean.out;
        EXPECT_EQ(clean.out.find("Restés en place") != std::string::npos, locked);
    }
}

TEST(ConsoleProgram, LogFileHoldsTheBytesTheWindowSaves) {
    const std::string logPath = R"(C:\logs\run.txt)";
    const std::string savedPath = R"(C:\logs\saved.txt)";
    for (const char* action : {"--apercu", "--nettoyer"}) {
        sim::SimPlatform console;
        RandomProfile(7).build(console);
        console.files.folder(R"(C:\logs)");
        EXPECT_NE(run(console, {action, "complet", "--log", logPath}).status,
                  ExitStatus::WrongCommand);

        // The window, on an identical profile, cleaning the same targets and saving.
        sim::SimPlatform window;
        RandomProfile(7).build(window);
        window.files.folder(R"(C:\logs)");
        Platform platform = window.bundle();
        Form1 form(platform);
        form.Form_Load();
        for (int n = 1; n <= 20; ++n) {
            form.ch(n).setValue(1);
        }
        form.Command1_Click();
        window.windowing.window()->queueSaveDialogAnswer(savedPath);
        form.Command5_Click();

        ASSERT_TRUE(window.files.exists(savedPath));
        EXPECT_EQ(console.files.contents(logPath), window.files.contents(savedPath)) << action;
    }
}

TEST(ConsoleProgram, AProtectedPlaceIsReportedWithItsReasonAndTouchesNothing) {
    for (const bool preview : {true, false}) {
        sim::SimPlatform sim;
        smallProfile(sim, false);
        sim.environment.setTempPath(R"(C:\)");
        sim.files.file(R"(C:\boot.ini)").file(R"(C:\Docs\thesis.doc)");
        const std::string before = stateOf(sim);
        const Outcome outcome = run(sim, {preview ? "--apercu" : "--nettoyer", "6"});
        EXPECT_EQ(outcome.status, ExitStatus::SomethingKept);
        EXPECT_EQ(runLogPart(outcome.out), "Fichiers temporaire  : Nettoyage ...\n");
        EXPECT_NE(outcome.out.find("  Laissé intact             : C:\\ (emplacement protégé, "
                                   "racine d'un lecteur)\n"),
                  std::string::npos)
            << outcome.out;
        EXPECT_EQ(stateOf(sim), before);
        const Outcome json = run(sim, {"--apercu", "--json", "6"});
        EXPECT_NE(json.out.find("\"refused\": [{\"path\": \"C:\\\\\", \"reason\": "
                                "\"emplacement protégé, racine d'un lecteur\"}]"),
                  std::string::npos)
            << json.out;
    }
}

TEST(ConsoleProgram, JsonHoldsEachTargetWithItsLinesCountsAndBytes) {
    sim::SimPlatform sim;
    smallProfile(sim, true);
    const Outcome outcome = run(sim, {"--nettoyer", "--json", "6,10"});
    EXPECT_EQ(outcome.status, ExitStatus::SomethingKept);
    const std::string& json = outcome.out;
    EXPECT_EQ(json.front(), '{');
    EXPECT_NE(json.find("\"mode\": \"nettoyage\""), std::string::npos);
    EXPECT_NE(json.find("{\"number\": 6, \"caption\": \"Fichiers temporaire\",\n     \"lines\": "
                        "[\"Fichiers temporaire  : Nettoyage ...\", \"C:\\\\Documents and "
                        "Settings\\\\anne\\\\Local Settings\\\\Temp\\\\a.tmp\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"totals\": {\"files\": 2, \"fileBytes\": 2053, \"keptFiles\": 1, "
                        "\"folders\": 1"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"number\": 10, \"caption\": \"Vider la corbeille\""), std::string::npos);
    EXPECT_NE(json.find("\"recycledItems\": 1, \"recycledBytes\": 700, \"refused\": []}"),
              std::string::npos);
    EXPECT_NE(json.find("\"status\": 1\n}\n"), std::string::npos);
    // No run-log text before the JSON.
    EXPECT_EQ(json.find("Bilan"), std::string::npos);
}

} // namespace
} // namespace vp::console
