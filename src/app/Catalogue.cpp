#include "app/Catalogue.h"

#include "app/Form1.h"

#include <stdexcept>

namespace vp {
namespace {

using P = Panel;
using G = TargetGroup;

// One row a target: number, caption, panel, box place, checked at start, group, run-log line,
// routine, progress value, caption percent; then its console name and help.
// clang-format off
const CatalogueEntry Entries[] = {
    {1, "Adresses tapées récemment", P::Configuration, {120, 360, 2295}, true, G::Internet,
     "Adresses tapées récemment  : Nettoyage ...", &Form1::Typed, 5, 5,
     "adresses", "les adresses tapées dans la barre d'adresse d'Internet Explorer"},
    {2, "Cookies", P::Configuration, {2880, 360, 975}, true, G::Internet,
     " ", &Form1::Cookies, 11, 10,
     "cookies", "les cookies du cache Internet"},
    {3, "Fichiers Internet temporaire", P::Configuration, {120, 720, 2295}, true, G::Internet,
     "Fichiers Internet temporaire  : Nettoyage ...", &Form1::IETemp, 7, 15,
     "cache-internet", "les fichiers Internet temporaires (le cache du navigateur)"},
    {4, "Historique Internet", P::Configuration, {120, 1080, 1695}, true, G::Internet,
     "Historique Internet  : Nettoyage ...", &Form1::HisTory, 23, 20,
     "historique", "l'historique des pages visitées"},
    {5, "Documents ouverts récemment", P::Configuration, {120, 1440, 2535}, true, G::Windows,
     "Documents ouverts récemment  : Nettoyage ...", &Form1::Recent, 25, 25,
     "recents", "les documents ouverts récemment"},
    {6, "Fichiers temporaire", P::Configuration, {120, 1800, 1695}, true, G::Windows,
     "Fichiers temporaire  : Nettoyage ...", &Form1::Temp, 30, 30,
     "temp", "le dossier des fichiers temporaires"},
    {7, "Fichiers Prefetch", P::Configuration, {2880, 720, 1500}, true, G::Windows,
     "Fichiers Prefetch  : Nettoyage ...", &Form1::Prefetch, 32, 35,
     "prefetch", "les fichiers Prefetch de Windows"},
    {8, "Historique de \"Exécuter...\"", P::TargetBoard, {120, 2640, 2295}, false, G::Windows,
     "Historique de Exécuter  : Nettoyage ...", &Form1::Run, 40, 40,
     "executer", "l'historique de la boîte « Exécuter »"},
    {9, "Historique de \"Rechercher\"", P::TargetBoard, {120, 2880, 2295}, false, G::Windows,
     "Historique de Rechercher  : Nettoyage ...", &Form1::Searched, 45, 45,
     "rechercher", "l'historique des recherches de l'Explorateur"},
    {10, "Vider la corbeille", P::Configuration, {2880, 1080, 1455}, true, G::Windows,
     "Corbeille  : Nettoyage ...", &Form1::Corb, 54, 50,
     "corbeille", "la corbeille, vidée"},
    {11, "Azureus", P::TargetBoard, {120, 3840, 975}, false, G::Software,
     "Azureus  : Nettoyage ...", &Form1::Azureus, 55, 55,
     "azureus", "les journaux d'Azureus"},
    {12, "eDonkey2000", P::TargetBoard, {120, 4080, 1335}, false, G::Software,
     "eDonkey2000  : Nettoyage ...", &Form1::Donkey, 64, 60,
     "edonkey", "le journal d'eDonkey2000"},
    {13, "eMule", P::TargetBoard, {120, 4320, 735}, false, G::Software,
     "eMule  : Nettoyage ...", &Form1::Mule, 63, 65,
     "emule", "les recherches, fichiers connus et téléchargements d'eMule"},
    {14, "Macromedia Flash Player", P::TargetBoard, {120, 4560, 2175}, false, G::Software,
     "Macromedia Flash Player  : Nettoyage ...", &Form1::MPlayerF, 71, 70,
     "flash", "les réglages par site de Macromedia Flash Player"},
    {15, "Nero", P::TargetBoard, {120, 4800, 735}, false, G::Software,
     "Nero  : Nettoyage ...", &Form1::Nero, 77, 75,
     "nero", "les derniers fichiers de Nero"},
    {16, "Nero CoverDesigner", P::TargetBoard, {120, 5040, 1815}, false, G::Software,
     "Nero CoverDesigner  : Nettoyage ...", &Form1::Cover, 83, 80,
     "coverdesigner", "les derniers fichiers de Nero CoverDesigner"},
    {17, "Visual Basic", P::TargetBoard, {120, 5280, 1215}, false, G::Software,
     "Visual Basic  : Nettoyage ...", &Form1::VB, 85, 85,
     "visualbasic", "les derniers projets de Visual Basic"},
    {18, "Windows Media Player", P::TargetBoard, {120, 5520, 1935}, false, G::Software,
     "Windows Media Player  : Nettoyage ...", &Form1::WM, 90, 90,
     "mediaplayer", "les dernières adresses de Windows Media Player"},
    {19, "WinRar", P::Configuration, {2880, 1440, 855}, true, G::Software,
     "WinRar  : Nettoyage ...", &Form1::Rar, 96, 95,
     "winrar", "les dernières archives et dossiers de WinRAR"},
    {20, "WinZip", P::Configuration, {2880, 1800, 855}, true, G::Software,
     "WinZip  : Nettoyage ...", &Form1::Zip, 100, 100,
     "winzip", "les dernières archives de WinZip"},
};
// clang-format on

// The catalogue's order split into four, six and ten entries, which matches the headings of
// the target board.
constexpr Category Choices[] = {
    {"Complet", true, G::Internet},
    {"Internet", false, G::Internet},
    {"Windows", false, G::Windows},
    {"Logiciels", false, G::Software},
};

} // namespace

std::span<const CatalogueEntry> Catalogue() {
    return Entries;
}

std::span<const Category> Categories() {
    return Choices;
}

const CatalogueEntry& CatalogueEntryOf(TargetRoutine routine) {
    for (const auto& entry : Entries) {
        if (entry.routine == routine) {
            return entry;
        }
    }
    throw std::logic_error("routine is not in the cleaning catalogue");
}

std::string StatusCaption(int percent) {
    std::string caption(75, ' ');
    caption += "Nettoyage en cours -";
    if (percent >= 100) {
        caption += std::to_string(percent);
    } else {
        caption += ' ';
        caption += static_cast<char>('0' + percent / 10);
        caption += static_cast<char>('0' + percent % 10);
    }
    caption += '%';
    return caption;
}

} // namespace vp
