// The console program's command line: targets by number, range, category and name, the
// actions and their aliases in any case, and every way a command can be wrong.
#include "app/console/ConsoleArguments.h"

#include <gtest/gtest.h>

namespace vp::console {
namespace {

std::vector<int> range(int first, int last) {
    std::vector<int> out;
    for (int n = first; n <= last; ++n) {
        out.push_back(n);
    }
    return out;
}

ConsoleCommand parse(const std::vector<std::string>& arguments) {
    const ParsedArguments parsed = ParseArguments(arguments);
    EXPECT_TRUE(parsed.command) << parsed.error;
    return parsed.command.value_or(ConsoleCommand{});
}

TEST(ConsoleArguments, TargetsByNumberRangeAndCategoryInCatalogueOrder) {
    EXPECT_EQ(parse({"--apercu", "1-4,6"}).targets, (std::vector<int>{1, 2, 3, 4, 6}));
    EXPECT_EQ(parse({"--nettoyer", "6", "1-4", "3"}).targets, (std::vector<int>{1, 2, 3, 4, 6}));
    EXPECT_EQ(parse({"--apercu", "internet"}).targets, range(1, 4));
    EXPECT_EQ(parse({"--apercu", "Windows"}).targets, range(5, 10));
    EXPECT_EQ(parse({"--apercu", "LOGICIELS"}).targets, range(11, 20));
    EXPECT_EQ(parse({"--apercu", "complet"}).targets, range(1, 20));
    EXPECT_EQ(parse({"--apercu", "internet,20", "7-7"}).targets,
              (std::vector<int>{1, 2, 3, 4, 7, 20}));
    // Names, without regard to case or accents; a name with a dash is no range.
    EXPECT_EQ(parse({"--apercu", "temp,Corbeille", "WINRAR"}).targets,
              (std::vector<int>{6, 10, 19}));
    EXPECT_EQ(parse({"--apercu", "Récents", "prefetch", "cache-internet"}).targets,
              (std::vector<int>{3, 5, 7}));
}

TEST(ConsoleArguments, ActionsOptionsAndTheirEnglishNames) {
    EXPECT_EQ(parse({"--preview", "1"}).action, Action::Preview);
    EXPECT_EQ(parse({"--aperçu", "1"}).action, Action::Preview);
    EXPECT_EQ(parse({"--clean", "1"}).action, Action::Clean);
    EXPECT_EQ(parse({"--list"}).action, Action::List);
    EXPECT_EQ(parse({"--liste"}).action, Action::List);
    // Help wins over anything else on the line, even a wrong argument after it.
    EXPECT_EQ(parse({"--apercu", "1", "--help", "--nope"}).action, Action::Help);
    EXPECT_EQ(parse({"-h"}).action, Action::Help);
    // Windows' ways of asking for help, and options in any case, "/" for "--".
    for (const char* help : {"/?", "-?", "/aide", "/AIDE", "--Help"}) {
        EXPECT_EQ(parse({help}).action, Action::Help) << help;
    }
    EXPECT_EQ(parse({"--NETTOYER", "1"}).action, Action::Clean);
    EXPECT_EQ(parse({"/nettoyer", "1"}).action, Action::Clean);
    EXPECT_EQ(parse({"--APERÇU", "1"}).action, Action::Preview);
    EXPECT_EQ(parse({"--version"}).action, Action::Version);
    EXPECT_EQ(parse({}).action, Action::Usage); // nothing asked: the usage, as a wrong command
    const ConsoleCommand flags =
        parse({"/clean", "1", "--QUIET", "--utf8", "--profil-systeme", "/LOG=x.txt"});
    EXPECT_TRUE(flags.quiet && flags.utf8 && flags.systemProfile);
    EXPECT_EQ(flags.logFile, "x.txt");

    const ConsoleCommand command = parse({"5", "--log", "C:\\run.txt", "--nettoyer", "--json"});
    EXPECT_EQ(command.logFile, "C:\\run.txt");
    EXPECT_TRUE(command.json);
    EXPECT_EQ(parse({"--apercu", "--journal=out.log", "5"}).logFile, "out.log");
}

TEST(ConsoleArguments, WrongCommandsAreRefusedWithAMessageThatNamesTheFault) {
    const struct {
        std::vector<std::string> arguments;
        std::string_view said;
    } wrong[] = {
        {{"1-4"}, "indiquez --apercu"}, // targets but neither preview nor clean
        {{"--apercu"}, "aucune cible"},
        {{"--nettoyer", "0"}, "cible inconnue : « 0 »"}, // out of the catalogue
        {{"--nettoyer", "21"}, "cible inconnue : « 21 »"},
        {{"--nettoyer", "4-1"}, "cible inconnue : « 4-1 »"}, // a range backwards
        {{"--nettoyer", "1,,2"}, "cible inconnue : «  »"},   // an empty part
        {{"--nettoyer", "1-"}, "cible inconnue : « 1- »"},
        {{"--nettoyer", "-3"}, "cible inconnue : « -3 »"},
        {{"--nettoyer", "3x"}, "cible inconnue : « 3x »"},
        {{"--nettoyer", "internets"}, "cible inconnue : « internets »"},
        // Unknown options, also Windows-style and short ones, are named as options.
        {{"--nettoyer", "1", "--force"}, "option inconnue : « --force »"},
        {{"--nettoyer", "1", "/AUTO"}, "option inconnue : « /AUTO »"},
        {{"--nettoyer", "1", "-x"}, "option inconnue : « -x »"},
        {{"--nettoyer", "1", "--json=yes"}, "ne prend pas de valeur"},
        {{"--nettoyer", "1", "--log="}, "il manque FICHIER"},
        {{"--nettoyer", "1", "--log"}, "il manque FICHIER"},
        {{"--nettoyer", "1", "--log", ""}, "il manque FICHIER"},
        {{"--nettoyer", "1", "--log", "a", "--log", "b"}, "un seul fichier journal"},
        {{"--apercu", "--nettoyer", "1"}, "ne va pas avec une autre action"},
        {{"--liste", "3"}, "--liste ne prend ni cible"},
        {{"--liste", "--json"}, "--liste ne prend ni cible"},
    };
    for (const auto& [arguments, said] : wrong) {
        std::string line;
        for (const auto& argument : arguments) {
            line += argument + ' ';
        }
        const ParsedArguments parsed = ParseArguments(arguments);
        EXPECT_FALSE(parsed.command) << line;
        EXPECT_NE(parsed.error.find(said), std::string::npos) << line << ": " << parsed.error;
    }
}

} // namespace
} // namespace vp::console
