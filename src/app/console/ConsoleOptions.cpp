#include "app/console/ConsoleOptions.h"

#include "app/console/MatchFolding.h"

#include <array>

namespace vp::console {
namespace {

bool noChange(ConsoleCommand&, std::string_view, std::string&) {
    return true;
}

template <bool ConsoleCommand::*Flag>
bool setFlag(ConsoleCommand& command, std::string_view, std::string&) {
    command.*Flag = true;
    return true;
}

bool setLog(ConsoleCommand& command, std::string_view value, std::string& error) {
    if (command.logFile) {
        error = "un seul fichier journal peut être donné";
        return false;
    }
    command.logFile = std::string(value);
    return true;
}

bool setRules(ConsoleCommand& command, std::string_view value, std::string& error) {
    if (command.rulesFile) {
        error = "un seul fichier de règles peut être donné";
        return false;
    }
    command.rulesFile = std::string(value);
    return true;
}

template <std::vector<std::string> ConsoleCommand::*List>
bool addTo(ConsoleCommand& command, std::string_view value, std::string&) {
    (command.*List).emplace_back(value);
    return true;
}

constexpr std::string_view HelpNames[] = {"--aide", "--help", "-h", "-?", "/?"};
constexpr std::string_view VersionNames[] = {"--version"};
constexpr std::string_view ListNames[] = {"--liste", "--list"};
constexpr std::string_view PreviewNames[] = {"--apercu", "--preview"};
constexpr std::string_view CleanNames[] = {"--nettoyer", "--clean"};
constexpr std::string_view LogNames[] = {"--log", "--journal"};
constexpr std::string_view JsonNames[] = {"--json"};
constexpr std::string_view QuietNames[] = {"--silencieux", "--quiet", "-q"};
constexpr std::string_view Utf8Names[] = {"--utf8", "--utf-8"};
constexpr std::string_view SystemNames[] = {"--profil-systeme", "--system-profile"};
constexpr std::string_view RulesNames[] = {"--regles", "--rules"};
constexpr std::string_view EntryNames[] = {"--entree", "--entry"};
constexpr std::string_view CategoryNames[] = {"--categorie", "--category"};
constexpr std::string_view AllNames[] = {"--tout", "--all"};

const ConsoleOption Options[] = {
    {PreviewNames,
     {},
     "montre ce que le nettoyage ferait : c'est le vrai nettoyage,\nmais rien n'est effacé ni "
     "modifié",
     noChange,
     Action::Preview},
    {CleanNames, {}, "nettoie les cibles", noChange, Action::Clean},
    {ListNames, {}, "liste les cibles avec leur numéro et leur nom", noChange, Action::List},
    {LogNames, "FICHIER",
     "écrit le journal dans FICHIER, octet pour octet comme le bouton\n« Enreg. log » de la "
     "fenêtre ; vérifié avant que rien ne soit effacé",
     setLog},
    {JsonNames,
     {},
     "écrit à la fin, en JSON (schéma 1), chaque cible avec ses lignes\ndu journal, ses comptes, "
     "ses octets et chaque élément, au lieu du texte",
     setFlag<&ConsoleCommand::json>},
    {QuietNames, {}, "n'écrit que le bilan et les erreurs", setFlag<&ConsoleCommand::quiet>},
    {Utf8Names,
     {},
     "vers un fichier ou un tube, écrit en UTF-8 (avec BOM dans un\nfichier) au lieu de la page "
     "de code de la console",
     setFlag<&ConsoleCommand::utf8>},
    {SystemNames,
     {},
     "nettoie même sous le compte SYSTEM (le profil du système, pas\ncelui d'un utilisateur)",
     setFlag<&ConsoleCommand::systemProfile>},
    {RulesNames, "FICHIER",
     "lit les règles de nettoyage de FICHIER (au format winapp2.ini) ;\nsans cette option, "
     "winapp2.ini à côté de vexoma.exe s'il y est",
     setRules},
    {EntryNames, "MOTIF",
     "choisit les entrées des règles dont le nom répond à MOTIF (* et ?) ;\nse répète. Une entrée "
     "avec avertissement doit être nommée exactement",
     addTo<&ConsoleCommand::entries>},
    {CategoryNames, "NOM", "choisit les entrées des règles de cette catégorie (nom ou numéro)",
     addTo<&ConsoleCommand::ruleCategories>},
    {AllNames,
     {},
     "avec --liste : aussi les entrées non détectées et les clés refusées",
     setFlag<&ConsoleCommand::all>},
    {VersionNames, {}, "la version du programme", noChange, Action::Version},
    {HelpNames, {}, "cette aide", noChange, Action::Help},
};

// "/name" is "--name"; short forms ("-h", "/?") are names of their own.
std::string canonical(std::string_view typed) {
    std::string folded = FoldForMatching(typed);
    if (folded.size() > 2 && folded[0] == '/') {
        folded.replace(0, 1, "--");
    }
    return folded;
}

} // namespace

std::span<const ConsoleOption> ConsoleOptions() {
    return Options;
}

const ConsoleOption* FindConsoleOption(std::string_view name) {
    const std::string wanted = canonical(name);
    for (const ConsoleOption& option : Options) {
        for (const std::string_view known : option.names) {
            if (wanted == known) {
                return &option;
            }
        }
    }
    return nullptr;
}

} // namespace vp::console
