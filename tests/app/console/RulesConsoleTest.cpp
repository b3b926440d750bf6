// The console with a rules file: listing the detected entries, previewing then cleaning the
// chosen ones after the targets, and the commands that run nothing.
#include "app/console/ConsoleProgram.h"
#include "app/console/ConsoleReport.h"
#include "platform/sim/SimKnownFolders.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <map>

namespace vp::console {
namespace {

constexpr std::string_view Rules = R"(; written for these tests
[Contoso Viewer *]
LangSecRef=3021
DetectFile=%AppData%\Contoso
FileKey1=%AppData%\Contoso\Cache|*|REMOVESELF
RegKey1=HKCU\Software\Contoso\Recent

[Contoso Danger *]
LangSecRef=3021
Warning=Efface aussi les réglages.
DetectFile=%AppData%\Contoso
FileKey1=%AppData%\Contoso|settings.ini

[Absent App *]
LangSecRef=3022
Detect=HKCU\Software\Absent
FileKey1=%AppData%\Absent|*.log
FileKey2=%AppData%\Absent|*.tmp|RECURSIVE
)";

struct Machine {
    Machine() {
        folders.setTypicalProfile("Camille", true);
        sim.files
            .file(R"(C:\Users\Camille\AppData\Roaming\Contoso\Cache\a.bin)", {.contents = "1234"})
            .file(R"(C:\Users\Camille\AppData\Roaming\Contoso\Cache\Sub\b.bin)")
            .file(R"(C:\Users\Camille\AppData\Roaming\Contoso\settings.ini)");
        sim.registry.setString(R"(Software\Contoso\Recent)", "1", "x.cvw");
        files["C:\\rules\\mine.ini"] = std::string(Rules);
    }

    struct Result {
        int status = -1;
        std::string out;
        std::string err;
    };

    Result run(const std::vector<std::string>& arguments) {
        Result result;
        ConsoleHost host{[&](std::string_view text) { result.out += text; },
                         [&](std::string_view text) { result.err += text; }};
        host.readFile = [this](std::string_view path) -> std::optional<std::string> {
            const auto found = files.find(std::string(path));
            return found == files.end() ? std::nullopt : std::optional(found->second);
        };
        host.defaultRulesFile = defaultFile;
        host.knownFolders = &folders;
        host.windowsVersion = rules::OsVersion{10, 0, 19045};
        result.status = RunConsole(arguments, sim.bundle(), host);
        return result;
    }

    std::string state() const { return sim.files.snapshot("C:\\") + sim.registry.exportRegText(); }

    sim::SimPlatform sim;
    sim::SimKnownFolders folders;
    std::map<std::string, std::string> files;
    std::string defaultFile;
};

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

TEST(RulesConsole, TheListShowsDetectedEntriesAndWithAllTheRestAndWhy) {
    Machine m;
    const auto listed = m.run({"--liste", "--regles", R"(C:\rules\mine.ini)"});
    EXPECT_EQ(listed.status, ExitStatus::Done) << listed.err;
    EXPECT_TRUE(contains(listed.out, "2 entrée(s) détectée(s) sur 3")) << listed.out;
    EXPECT_TRUE(contains(listed.out, "      Contoso Viewer (Applications, 2 clé(s))"))
        << listed.out;
    EXPECT_TRUE(contains(listed.out, "  [!] Contoso Danger (Applications, 1 clé(s))"));
    EXPECT_FALSE(contains(listed.out, "Absent App"));

    const auto all = m.run({"--liste", "--tout", "--regles", R"(C:\rules\mine.ini)"});
    EXPECT_TRUE(contains(all.out, "Absent App (Internet, 1 clé(s)) : non détectée")) << all.out;
    EXPECT_TRUE(contains(all.out, "FileKey2 : ")) << all.out;
    EXPECT_TRUE(contains(all.out, "RECURSIVE")) << all.out;

    // winapp2.ini beside the program, when it is there and no file is named.
    m.defaultFile = R"(C:\rules\mine.ini)";
    EXPECT_TRUE(contains(m.run({"--liste"}).out, "Contoso Viewer"));
    m.defaultFile = R"(C:\Program\winapp2.ini)";
    EXPECT_FALSE(contains(m.run({"--liste"}).out, "Règles de"));
}

TEST(RulesConsole, CommandsThatCannotRunDeleteNothing) {
    const std::vector<std::pair<std::vector<std::string>, std::string_view>> cases = {
        {{"--nettoyer", "--regles", R"(C:\rules\missing.ini)", "--entree", "*"},
         "ne peut pas être lu"},
        {{"--liste", "--regles", R"(C:\rules\missing.ini)"}, "ne peut pas être lu"},
        {{"--nettoyer", "--entree", "Contoso*"}, "demandent un fichier de règles"},
        {{"--nettoyer", "--regles", R"(C:\rules\mine.ini)", "--entree", "Nobody*"}, "« Nobody* »"},
        {{"--nettoyer", "--regles", R"(C:\rules\mine.ini)", "--categorie", "Spotify"},
         "« Spotify »"},
        {{"--nettoyer", "--regles", "a.ini", "--rules", "b.ini", "--entree", "x"},
         "un seul fichier de règles"},
    };
    for (const auto& [arguments, why] : cases) {
        Machine m;
        const std::string before = m.state();
        const auto result = m.run(arguments);
        EXPECT_EQ(result.status, ExitStatus::WrongCommand) << why;
        EXPECT_TRUE(contains(result.err, why)) << result.err;
        EXPECT_EQ(m.state(), before) << why;
    }
}

TEST(RulesConsole, APreviewPrintsWhatTheCleanThenDoesEntryByEntry) {
    Machine m;
    const std::vector<std::string> chosen = {"--regles", R"(C:\rules\mine.ini)", "--entree",
                                             "contoso*"};
    std::vector<std::string> previewArgs = chosen;
    previewArgs.push_back("--apercu");
    const std::string before = m.state();
    const auto preview = m.run(previewArgs);
    EXPECT_EQ(preview.status, ExitStatus::Done) << preview.err;
    EXPECT_EQ(m.state(), before);
    const std::string expectedLog = "Contoso Viewer : Nettoyage ...\n"
                                    R"(C:\Users\Camille\AppData\Roaming\Contoso\Cache\a.bin)"
                                    "\n"
                                    R"(C:\Users\Camille\AppData\Roaming\Contoso\Cache\Sub\b.bin)"
                                    "\n"
                                    R"(C:\Users\Camille\AppData\Roaming\Contoso\Cache\Sub)"
                                    "\n"
                                    R"(C:\Users\Camille\AppData\Roaming\Contoso\Cache)"
                                    "\n"
                                    R"(HKCU\Software\Contoso\Recent|1)"
                                    "\n"
                                    R"(HKCU\Software\Contoso\Recent)"
                                    "\n\n";
    EXPECT_TRUE(contains(preview.out, expectedLog)) << preview.out;
    // The warned entry is not taken through a wildcard.
    EXPECT_TRUE(contains(preview.out, "« Contoso Danger » porte un avertissement"));

    std::vector<std::string> cleanArgs = chosen;
    cleanArgs.push_back("--nettoyer");
    const auto clean = m.run(cleanArgs);
    EXPECT_EQ(clean.status, ExitStatus::Done) << clean.err;
    EXPECT_TRUE(contains(clean.out, expectedLog)) << clean.out;
    EXPECT_FALSE(m.sim.files.exists(R"(C:\Users\Camille\AppData\Roaming\Contoso\Cache)"));
    EXPECT_TRUE(m.sim.files.exists(R"(C:\Users\Camille\AppData\Roaming\Contoso\settings.ini)"));
    EXPECT_FALSE(m.sim.registry.hasKey(R"(Software\Contoso\Recent)"));

    // Named exactly, it runs, its warning printed first.
    const auto danger =
        m.run({"--nettoyer", "--regles", R"(C:\rules\mine.ini)", "--entree", "Contoso Danger"});
    EXPECT_TRUE(contains(danger.out, "Attention, « Contoso Danger » : Efface aussi les réglages."))
        << danger.out;
    EXPECT_FALSE(m.sim.files.exists(R"(C:\Users\Camille\AppData\Roaming\Contoso\settings.ini)"));
}

TEST(RulesConsole, ItemsLeftInPlaceAreReportedWithTheirReasonAndTheStatusSaysSo) {
    Machine m;
    m.sim.files.file(R"(C:\Users\Camille\AppData\Roaming\Contoso\Cache\a.bin)", {.inUse = true});
    m.sim.registry.readOnly(R"(Software\Contoso\Recent)");
    const auto result =
        m.run({"--nettoyer", "--regles", R"(C:\rules\mine.ini)", "--categorie", "applications"});
    EXPECT_EQ(result.status, ExitStatus::SomethingKept);
    EXPECT_TRUE(contains(result.out, "Cache\\a.bin (en cours d'utilisation)")) << result.out;
    EXPECT_TRUE(contains(result.out, R"(HKCU\Software\Contoso\Recent (droits insuffisants))"))
        << result.out;
}

constexpr std::string_view BrowserRules = R"([Browser Cache *]
LangSecRef=3029
DetectFile=%LocalAppData%\Google\Chrome\User Data
FileKey1=%LocalAppData%\Google\Chrome\User Data\Default\Cache|*

[Contoso Viewer *]
LangSecRef=3021
DetectFile=%AppData%\Contoso
RegKey1=HKCU\Software\Contoso\Recent
)";

struct BrowserMachine : Machine {
    BrowserMachine() {
        files["C:\\rules\\browser.ini"] = std::string(BrowserRules);
        sim.files.file(Cache + R"(\held.bin)", {.inUse = true, .contents = "12345"})
            .file(Cache + R"(\free.bin)", {.contents = "123"});
    }
    const std::string Cache =
        R"(C:\Users\Camille\AppData\Local\Google\Chrome\User Data\Default\Cache)";
};

TEST(RulesConsole, ARunningBrowserIsListedAndItsOpenFilesStayWhileTheRestGoes) {
    BrowserMachine m;
    EXPECT_FALSE(contains(m.run({"--liste", "--regles", R"(C:\rules\browser.ini)"}).out,
                          "en cours d'exécution"));
    m.sim.processes.start(R"(C:\Program Files\Google\Chrome\Application\chrome.exe)", "chrome.exe");
    const auto listed = m.run({"--liste", "--regles", R"(C:\rules\browser.ini)"});
    EXPECT_TRUE(contains(listed.out, "Browser Cache (Google Chrome, 1 clé(s)) ; en cours "
                                     "d'exécution : chrome.exe\n"))
        << listed.out;
    EXPECT_TRUE(contains(listed.out, "Contoso Viewer (Applications, 1 clé(s))\n")) << listed.out;

    for (const char* mode : {"--apercu", "--nettoyer"}) {
        const auto run = m.run({mode, "--regles", R"(C:\rules\browser.ini)", "--entree", "*"});
        EXPECT_EQ(run.status, ExitStatus::SomethingKept) << mode;
        const std::string note = "Règles : « Browser Cache » : l'application tourne (chrome.exe) "
                                 "; les fichiers qu'elle tient ouverts restent en place";
        const std::size_t notePos = run.out.find(note);
        const std::size_t header = run.out.find("Browser Cache : Nettoyage ...");
        EXPECT_NE(notePos, std::string::npos) << run.out;
        EXPECT_LT(notePos, header) << run.out;
        EXPECT_TRUE(contains(run.out, m.Cache + "\\free.bin\n")) << run.out;
        EXPECT_TRUE(contains(run.out, "held.bin (en cours d'utilisation)")) << run.out;
        EXPECT_FALSE(contains(run.out, "« Contoso Viewer » : l'application tourne")) << run.out;
    }
    EXPECT_TRUE(m.sim.files.exists(m.Cache + "\\held.bin"));
    EXPECT_FALSE(m.sim.files.exists(m.Cache + "\\free.bin"));
}

TEST(RulesConsole, EachEntryHasItsOwnJsonObjectWithItsItems) {
    BrowserMachine m;
    m.sim.processes.start("", "CHROME.EXE");
    const auto run =
        m.run({"--nettoyer", "--json", "--regles", R"(C:\rules\browser.ini)", "--entree", "*"});
    EXPECT_EQ(run.status, ExitStatus::SomethingKept) << run.err;
    const std::string browser =
        R"({"name": "Browser Cache", "category": "Google Chrome", "running": true, )"
        R"("process": "CHROME.EXE", "warning": null,)"
        "\n     \"lines\": [\"Browser Cache : Nettoyage ...\", " +
        JsonString(m.Cache + "\\free.bin") + ", \"\"],";
    EXPECT_TRUE(contains(run.out, browser)) << run.out;
    EXPECT_TRUE(contains(run.out, "\"files\": 1, \"fileBytes\": 3, \"keptFiles\": 1")) << run.out;
    EXPECT_TRUE(contains(run.out, "held.bin\", \"bytes\": 5, \"outcome\": \"kept\", "
                                  "\"reason\": \"inUse\"}"))
        << run.out;
    const std::size_t contoso =
        run.out.find(R"({"name": "Contoso Viewer", "category": )"
                     R"("Applications", "running": false, "warning": null)");
    ASSERT_NE(contoso, std::string::npos) << run.out;
    // Each entry's items are its own: the registry value is Contoso's only.
    const std::size_t value = run.out.find(R"("kind": "registryValue")");
    EXPECT_GT(value, contoso) << run.out;
    EXPECT_EQ(run.out.find("free.bin", contoso), std::string::npos) << run.out;

    const auto noRules = m.run({"--apercu", "6", "--json"});
    EXPECT_TRUE(contains(noRules.out, "\"entries\": [],")) << noRules.out;
}

} // namespace
} // namespace vp::console
