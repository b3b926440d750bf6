#include "app/Catalogue.h"

#include "app/Form1.h"

#include <array>
#include <stdexcept>

namespace vp {
namespace {

using P = Panel;

const std::array<CatalogueEntry, 20> Entries = {{
    {1, "Adresses tapées récemment", P::Configuration, true,
     "Adresses tapées récemment  : Nettoyage ...", &Form1::Typed, 5, 5},
    {2, "Cookies", P::Configuration, true, " ", &Form1::Cookies, 11, 10},
    {3, "Fichiers Internet temporaire", P::Configuration, true,
     "Fichiers Internet temporaire  : Nettoyage ...", &Form1::IETemp, 7, 15},
    {4, "Historique Internet", P::Configuration, true, "Historique Internet  : Nettoyage ...",
     &Form1::HisTory, 23, 20},
    {5, "Documents ouverts récemment", P::Configuration, true,
     "Documents ouverts récemment  : Nettoyage ...", &Form1::Recent, 25, 25},
    {6, "Fichiers temporaire", P::Configuration, true, "Fichiers temporaire  : Nettoyage ...",
     &Form1::Temp, 30, 30},
    {7, "Fichiers Prefetch", P::Configuration, true, "Fichiers Prefetch  : Nettoyage ...",
     &Form1::Prefetch, 32, 35},
    {8, "Historique de \"Exécuter...\"", P::TargetBoard, false,
     "Historique de Exécuter  : Nettoyage ...", &Form1::Run, 40, 40},
    {9, "Historique de \"Rechercher\"", P::TargetBoard, false,
     "Historique de Rechercher  : Nettoyage ...", &Form1::Searched, 45, 45},
    {10, "Vider la corbeille", P::Configuration, true, "Corbeille  : Nettoyage ...", &Form1::Corb,
     54, 50},
    {11, "Azureus", P::TargetBoard, false, "Azureus  : Nettoyage ...", &Form1::Azureus, 55, 55},
    {12, "eDonkey2000", P::TargetBoard, false, "eDonkey2000  : Nettoyage ...", &Form1::Donkey, 64,
     60},
    {13, "eMule", P::TargetBoard, false, "eMule  : Nettoyage ...", &Form1::Mule, 63, 65},
    {14, "Macromedia Flash Player", P::TargetBoard, false,
     "Macromedia Flash Player  : Nettoyage ...", &Form1::MPlayerF, 71, 70},
    {15, "Nero", P::TargetBoard, false, "Nero  : Nettoyage ...", &Form1::Nero, 77, 75},
    {16, "Nero CoverDesigner", P::TargetBoard, false, "Nero CoverDesigner  : Nettoyage ...",
     &Form1::Cover, 83, 80},
    {17, "Visual Basic", P::TargetBoard, false, "Visual Basic  : Nettoyage ...", &Form1::VB, 85,
     85},
    {18, "Windows Media Player", P::TargetBoard, false, "Windows Media Player  : Nettoyage ...",
     &Form1::WM, 90, 90},
    {19, "WinRar", P::Configuration, true, "WinRar  : Nettoyage ...", &Form1::Rar, 96, 95},
    {20, "WinZip", P::Configuration, true, "WinZip  : Nettoyage ...", &Form1::Zip, 100, 100},
}};

} // namespace

std::span<const CatalogueEntry> Catalogue() { return Entries; }

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
