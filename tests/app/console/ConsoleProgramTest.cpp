// The console program on the simulated platform: a wrong command deletes nothing and says why,
// a preview prints the same run log as the clean that follows it and changes nothing, the exit
// status tells whether something stayed, --log writes the window's bytes, --json holds it all.
#include "app/console/ConsoleProgram.h"

#include "app/Form1.h"
#include "app/console/ConsoleReport.h"
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

Outcome run(sim::SimPlatform& sim, const std::vector<std::string>& arguments,
            bool systemAccount = false) {
    Outcome outcome;
    ConsoleHost host{[&](std::string_view text) { outcome.out += text; },
                     [&](std::string_view text) { outcome.err += text; }};
    host.nowUtc = [] { return std::string("2026-12-06T09:30:00Z"); };
    host.systemAccount = systemAccount;
    outcome.status = RunConsole(arguments, sim.bundle(), host);
    return outcome;
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
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
    const std::string Logs = R"(C:\logs\)";
    const struct {
        std::vector<std::string> arguments;
        std::string_view why;
        bool systemAccount = false;
    } cases[] = {
        {{}, "Utilisation :"}, // no argument: the usage itself
        {{"--nettoyer", "25"}, "cible inconnue : « 25 »"},
        {{"--nettoyer"}, "aucune cible"},
        {{"complet"}, "indiquez --apercu"},
        {{"--nettoyer", "complet", "/AUTO"}, "option inconnue : « /AUTO »"},
        // The log's destination is checked before the run, never after it.
        {{"--nettoyer", "complet", "--log", R"(C:\missing folder\run.txt)"},
         "le dossier du journal n'existe pas"},
        {{"--nettoyer", "complet", "--log", Logs + "a?b.txt"}, "nom de fichier journal invalide"},
        {{"--nettoyer", "complet", "--log", Logs + "run.txt."}, "nom de fichier journal invalide"},
        {{"--nettoyer", "complet", "--log", Logs + "NUL"}, "nom de périphérique"},
        {{"--nettoyer", "complet", "--log", Logs + "com1.log"}, "nom de périphérique"},
        {{"--nettoyer", "complet", "--log", Logs + "COM9"}, "nom de périphérique"},
        {{"--nettoyer", "complet", "--log", Logs + "lpt9.txt"}, "nom de périphérique"},
        {{"--nettoyer", "complet", "--log", R"(\\.\nul)"}, "périphérique"},
        {{"--nettoyer", "complet", "--log", Logs + "sub"}, "est un dossier"},
        {{"--nettoyer", "complet", "--log", Logs + "old.txt"}, "lecture seule"},
        {{"--nettoyer", "complet", "--log", Logs}, "il manque le nom du fichier journal"},
        // Under SYSTEM, the profile cleaned would be the system's.
        {{"--nettoyer", "complet"}, "compte SYSTEM", true},
    };
    for (const auto& wrong : cases) {
        sim::SimPlatform sim;
        smallProfile(sim, false);
        sim.files.folder(Logs + "sub")
            .file(Logs + "old.txt", {.attributes = FileAttribute::ReadOnly});
        const std::string before = stateOf(sim);
        const Outcome outcome = run(sim, wrong.arguments, wrong.systemAccount);
        EXPECT_EQ(outcome.status, ExitStatus::WrongCommand) << wrong.why;
        EXPECT_TRUE(contains(outcome.err, wrong.why)) << outcome.err;
        EXPECT_TRUE(contains(outcome.err, "Rien n'a été effacé")) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(stateOf(sim), before) << wrong.why;
    }
}

TEST(ConsoleProgram, TheSystemAccountCleansOnlyWhenAskedTo) {
    sim::SimPlatform sim;
    smallProfile(sim, false);
    const Outcome outcome = run(sim, {"--nettoyer", "temp", "--profil-systeme"}, true);
    EXPECT_EQ(outcome.status, ExitStatus::Done) << outcome.err;
    EXPECT_FALSE(sim.files.exists(Temp + "a.tmp"));
}

TEST(ConsoleProgram, ALogThatCannotBeWrittenAfterTheRunIsStatusThree) {
    sim::SimPlatform sim;
    smallProfile(sim, false);
    sim.files.folder(R"(C:\logs)");
    sim.files.refuseWrites(true); // a full disk: nothing tells it beforehand
    const Outcome outcome = run(sim, {"--nettoyer", "temp", "--log", R"(C:\logs\run.txt)"});
    EXPECT_EQ(outcome.status, ExitStatus::LogNotWritten);
    EXPECT_TRUE(contains(outcome.err, "le journal n'a pas pu être écrit")) << outcome.err;
    EXPECT_FALSE(sim.files.exists(Temp + "a.tmp")); // the run did run
}

TEST(ConsoleProgram, AnItemLeftInTheBinStaysAndThePreviewSaysSo) {
    for (const char* action : {"--apercu", "--nettoyer"}) {
        sim::SimPlatform sim;
        smallProfile(sim, false);
        sim.shell.recycled(R"(C:\dossier)", 0, true);
        const Outcome outcome = run(sim, {action, "corbeille"});
        EXPECT_EQ(outcome.status, ExitStatus::SomethingKept) << action;
        EXPECT_TRUE(contains(outcome.out, "Corbeille                 : 1 élément(s), 700 octets"))
            << outcome.out;
        EXPECT_TRUE(contains(outcome.out, "0 dossier(s), 1 élément(s) dans la corbeille"))
            << outcome.out;
    }
}

TEST(ConsoleProgram, QuietPrintsOnlyTheSummary) {
    sim::SimPlatform sim;
    smallProfile(sim, false);
    const Outcome outcome = run(sim, {"--apercu", "temp", "--silencieux"});
    EXPECT_EQ(outcome.out.rfind("Aperçu : rien n'a été effacé.", 0), 0u) << outcome.out;
    EXPECT_FALSE(contains(outcome.out, "a.tmp"));
}

TEST(ConsoleProgram, HelpAndListExplainWithoutRunning) {
    sim::SimPlatform sim;
    const Outcome help = run(sim, {"--aide"});
    EXPECT_EQ(help.status, ExitStatus::Done);
    for (const char* mentioned :
         {"--apercu", "--nettoyer", "--liste", "--log FICHIER", "--json", "--silencieux", "--utf8",
          "--profil-systeme", "--version", "/?", "1-4,6", "les cibles 11 à 20", "Codes de sortie",
          "  3  le nettoyage a eu lieu"}) {
        EXPECT_TRUE(contains(help.out, mentioned)) << mentioned;
    }
    EXPECT_EQ(run(sim, {"/?"}).out, help.out);
    EXPECT_EQ(run(sim, {"--VERSION"}).out, "vexoma " + std::string(ProgramVersion()) + "\n");
    const Outcome list = run(sim, {"--liste"});
    EXPECT_EQ(list.status, ExitStatus::Done);
    EXPECT_TRUE(contains(list.out, "  1  adresses             Adresses tapées récemment\n"))
        << list.out;
    EXPECT_TRUE(contains(list.out, " 20  winzip               WinZip\n"));
    EXPECT_TRUE(contains(list.out, "  internet      les cibles 1 à 4\n"));
    EXPECT_TRUE(sim.windowing.window() == nullptr); // no run, not even a window in memory
}

TEST(ConsoleProgram, StartedFromExplorerItShowsTheHelpAndHowToCallItByItsFullPath) {
    const std::string text = DoubleClickText("C:\\Outils\\Vexoma Pellora\\vexoma.exe");
    EXPECT_EQ(text.rfind(HelpText(), 0), 0U) << text;
    EXPECT_NE(text.find("  \"C:\\Outils\\Vexoma Pellora\\vexoma.exe\" --liste\n"),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with("Appuyez sur une touche pour fermer cette fenêtre.\n")) << text;
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
        for (int n = 1; n <= TargetCount(); ++n) {
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
                                "\"emplacement prot\\u00e9g\\u00e9, racine d'un lecteur\"}]"),
                  std::string::npos)
            << json.out;
    }
}

TEST(ConsoleProgram, JsonHoldsEachTargetWithItsLinesCountsAndBytes) {
    sim::SimPlatform sim;
    smallProfile(sim, true);
    sim.environment.set("COMPUTERNAME", "PC-12");
    const Outcome outcome = run(sim, {"--nettoyer", "--json", "6,10"});
    EXPECT_EQ(outcome.status, ExitStatus::SomethingKept);
    const std::string& json = outcome.out;
    EXPECT_EQ(json.rfind("{\n  \"schema\": 1,\n  \"program\": \"vexoma\",\n  \"version\": \"" +
                             std::string(ProgramVersion()) + "\",\n  \"mode\": \"clean\",\n",
                         0),
              0u)
        << json;
    EXPECT_TRUE(contains(json, "\"started\": \"2026-12-06T09:30:00Z\",\n  \"computer\": "
                               "\"PC-12\",\n  \"user\": \"anne\",\n  \"tempFolder\": "
                               "\"C:\\\\Documents and Settings\\\\anne\\\\Local "
                               "Settings\\\\Temp\\\\\",\n  \"status\": 1,"))
        << json;
    EXPECT_TRUE(contains(json, "{\"number\": 6, \"name\": \"temp\", \"caption\": \"Fichiers "
                               "temporaire\",\n     \"lines\": [\"Fichiers temporaire  : "
                               "Nettoyage ...\", \"C:\\\\Documents and "
                               "Settings\\\\anne\\\\Local Settings\\\\Temp\\\\a.tmp\""))
        << json;
    EXPECT_TRUE(contains(json, "\"totals\": {\"files\": 2, \"fileBytes\": 2053, "
                               "\"keptFiles\": 1, \"folders\": 1"))
        << json;
    EXPECT_TRUE(contains(json, "{\"number\": 10, \"name\": \"corbeille\", \"caption\": "
                               "\"Vider la corbeille\""));
    EXPECT_TRUE(contains(json,
                         "\"recycledItems\": 1, \"recycledBytes\": 700, \"keptRecycledItems\": 0, "
                         "\"refused\": []}"));
    // No run-log text before the JSON, and nothing but ASCII in it.
    EXPECT_FALSE(contains(json, "Bilan"));
    for (const char c : json) {
        EXPECT_EQ(static_cast<unsigned char>(c) & 0x80, 0) << json;
    }
}

TEST(ConsoleProgram, JsonEscapesEveryCharacterBeyondAsciiAsUtf16Units) {
    EXPECT_EQ(JsonString("é日\"\\\n\x7F~"), "\"\\u00e9\\u65e5\\\"\\\\\\u000a\\u007f~\"");
    EXPECT_EQ(JsonString("\xF0\x9F\x98\x80"), "\"\\ud83d\\ude00\""); // U+1F600, a pair
}

} // namespace
} // namespace vp::console
