// The console program's usage and help, written from the catalogue and the options' table.
#include "app/Catalogue.h"
#include "app/console/ConsoleOptions.h"
#include "app/console/ConsoleProgram.h"
#include "app/console/MatchFolding.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace vp::console {
namespace {

// "1 à 4" or "5, 8 et 9": the numbers of a category's targets.
std::string numbersOf(const Category& category) {
    std::vector<int> numbers;
    for (const CatalogueEntry& entry : Catalogue()) {
        if (category.contains(entry)) {
            numbers.push_back(entry.number);
        }
    }
    const bool contiguous =
        numbers.back() - numbers.front() + 1 == static_cast<int>(numbers.size());
    if (contiguous) {
        return std::to_string(numbers.front()) + " à " + std::to_string(numbers.back());
    }
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        text += i == 0 ? "" : i + 1 == numbers.size() ? " et " : ", ";
        text += std::to_string(numbers[i]);
    }
    return text;
}

// "  NAME   text" with the text from column `indent` on, its own lines aligned under its
// first; a name too long for that puts the text on the lines below it.
std::string row(std::string_view name, std::string_view text, std::size_t indent) {
    std::string out = "  " + std::string(name);
    std::size_t column = 2 + utf8::length(name);
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (column + 1 > indent) {
            out += '\n';
            column = 0;
        }
        out += std::string(indent - column, ' ');
        out += text.substr(start, end - start);
        out += '\n';
        column = 0;
        start = end + 1;
    }
    return out;
}

} // namespace

std::string UsageText() {
    return "Utilisation :\n"
           "  vexoma --liste\n"
           "  vexoma --apercu CIBLES [--log FICHIER] [--json] [--silencieux]\n"
           "  vexoma --nettoyer CIBLES [--log FICHIER] [--json] [--silencieux]\n"
           "  vexoma --aide\n";
}

std::string CategoriesHelp() {
    std::string text;
    for (const Category& category : Categories()) {
        text += row(FoldForMatching(category.name),
                    category.everything ? "les " + std::to_string(TargetCount()) + " cibles"
                                        : "les cibles " + numbersOf(category),
                    16);
    }
    return text;
}

std::string HelpText() {
    std::string text = "vexoma : le nettoyage de Vexoma Pellora en ligne de commande.\n\n";
    text += UsageText();
    text += "\nCIBLES : les numéros ou les noms de « vexoma --liste », séparés par des\n"
            "virgules ou des espaces, des intervalles (1-4,6) ou les catégories du\n"
            "sélecteur de la fenêtre :\n";
    text += CategoriesHelp();
    text += "Les cibles sont traitées dans l'ordre de la liste, quel que soit l'ordre donné.\n"
            "\nActions et options (majuscules ou minuscules, « /option » comme « --option ») :\n";
    for (const ConsoleOption& option : ConsoleOptions()) {
        std::string names;
        for (const std::string_view name : option.names) {
            names += (names.empty() ? "" : ", ") + std::string(name);
        }
        if (!option.value.empty()) {
            names += ' ' + std::string(option.value);
        }
        text += row(names, option.help, 26);
    }
    text += "\nPendant le nettoyage, le journal s'affiche ligne par ligne ; à la fin viennent\n"
            "le bilan (fichiers et octets, dossiers, valeurs du registre, entrées du cache\n"
            "Internet, corbeille) et chaque élément resté en place, avec sa raison. Un dossier\n"
            "protégé (racine d'un lecteur, dossier Windows, profil, Documents...) n'est jamais\n"
            "vidé : le bilan le nomme, « Laissé intact », avec sa raison.\n"
            "\nCodes de sortie :\n"
            "  0  tout est fait\n"
            "  1  des éléments sont restés en place (fichier utilisé par un autre programme,\n"
            "     fichier caché, lien, emplacement protégé...)\n"
            "  2  commande incorrecte : rien n'a été fait, rien n'a été effacé\n"
            "  3  le nettoyage a eu lieu, mais le journal (--log) n'a pas pu être écrit\n";
    return text;
}

std::string DoubleClickText(std::string_view programPath) {
    // Nothing adds the program's folder to PATH: the command prompt needs the full path.
    return HelpText() + "\n" +
           "vexoma s'utilise dans une invite de commandes (cmd) ou dans PowerShell, appelé\n"
           "par son chemin complet entre guillemets, par exemple :\n"
           "  \"" +
           std::string(programPath) +
           "\" --liste\n"
           "(dans PowerShell, précédé de « & »).\n\n"
           "Appuyez sur une touche pour fermer cette fenêtre.\n";
}

} // namespace vp::console
