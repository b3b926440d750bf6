#include "app/console/ConsoleReport.h"

#include "app/Catalogue.h"

#include <cmath>

namespace vp::console {
namespace {

// Thousands set apart by blanks, as French writes them.
std::string grouped(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) {
            out += ' ';
        }
        out += digits[i];
    }
    return out;
}

std::string placeText(PlaceKind place);

std::string kindText(ItemKind kind) {
    switch (kind) {
    case ItemKind::File:
        return "fichier";
    case ItemKind::Folder:
        return "dossier";
    case ItemKind::RegistryValue:
        return "valeur du registre";
    case ItemKind::RegistryKey:
        return "clé du registre";
    case ItemKind::CacheEntry:
        return "entrée du cache Internet";
    case ItemKind::BinItem:
        break;
    }
    return "corbeille";
}

// "C:\a\b.tmp (fichier, utilisé par un autre programme)".
std::string itemLine(const ItemRecord& item) {
    std::string text = "    ";
    if (item.kind == ItemKind::BinItem) {
        text += std::to_string(item.count) + " élément(s) de la corbeille";
        if (!item.path.empty()) {
            text += " " + item.path;
        }
    } else {
        text += item.path;
        if (item.kind == ItemKind::RegistryValue) {
            text += " : " + item.value;
        }
    }
    text += " (" + kindText(item.kind) + ", " + ReasonText(item.outcome);
    if (item.place) {
        text += ", " + placeText(*item.place);
    }
    return text + ")\n";
}

} // namespace

// Why an item was left alone, and which protected place a folder is or lies above.
std::string ReasonText(Outcome reason) {
    switch (reason) {
    case Outcome::Done:
        return "fait";
    case Outcome::InUse:
        return "utilisé par un autre programme";
    case Outcome::HiddenOrSystem:
        return "caché ou système";
    case Outcome::Link:
        return "lien";
    case Outcome::Replaced:
        return "remplacé depuis la liste";
    case Outcome::ProtectedPlace:
        return "emplacement protégé";
    case Outcome::AccessDenied:
        return "accès refusé";
    case Outcome::Vanished:
        return "disparu";
    case Outcome::NotEmpty:
        return "contient encore des éléments";
    case Outcome::Failed:
        break;
    }
    return "refusé par le système";
}

namespace {

std::string placeText(PlaceKind place) {
    switch (place) {
    case PlaceKind::DriveRoot:
        return "racine d'un lecteur";
    case PlaceKind::ShareRoot:
        return "racine d'un partage réseau";
    case PlaceKind::Windows:
        return "dossier Windows ou au-dessus";
    case PlaceKind::ProgramFiles:
        return "dossier des programmes ou au-dessus";
    case PlaceKind::ProgramData:
        return "données des applications de tous les utilisateurs ou au-dessus";
    case PlaceKind::Users:
        return "dossier des utilisateurs ou au-dessus";
    case PlaceKind::Profile:
        return "profil d'un utilisateur ou au-dessus";
    case PlaceKind::KnownFolder:
        break;
    }
    return "dossier de l'utilisateur (Documents, Bureau, AppData…) ou au-dessus";
}

} // namespace

std::string FormatBytes(std::uint64_t bytes) {
    std::string text = grouped(bytes) + (bytes > 1 ? " octets" : " octet");
    if (bytes >= 1024) {
        const char* units[] = {"Ko", "Mo", "Go", "To"};
        double value = static_cast<double>(bytes) / 1024;
        int unit = 0;
        while (value >= 1024 && unit < 3) {
            value /= 1024;
            ++unit;
        }
        const auto tenths = static_cast<std::uint64_t>(std::llround(value * 10));
        text += " (" + std::to_string(tenths / 10) + ',' + std::to_string(tenths % 10) + ' ' +
                units[unit] + ')';
    }
    return text;
}

void RunReport::addLine(int target, std::string_view line) {
    lines_.at(static_cast<std::size_t>(target)).emplace_back(line);
}

std::string RunReport::summary() const {
    const Totals t = totals_.sum();
    std::string text = preview_ ? "Aperçu : rien n'a été effacé. Le nettoyage libérerait :\n"
                                : "Bilan du nettoyage :\n";
    text += "  Fichiers                  : " + grouped(t.files) + ", " + FormatBytes(t.fileBytes) +
            '\n';
    text += "  Dossiers                  : " + grouped(t.folders) + '\n';
    text += "  Valeurs du registre       : " + grouped(t.registryValues) + '\n';
    text += "  Entrées du cache Internet : " + grouped(t.cacheEntries) + ", " +
            FormatBytes(t.cacheBytes) + '\n';
    text += "  Corbeille                 : " + grouped(t.recycledItems) + " élément(s), " +
            FormatBytes(t.recycledBytes) + '\n';
    if (t.keptFiles != 0 || t.keptFolders != 0 || t.keptRecycledItems != 0) {
        text += preview_ ? "  Resteraient en place      : " : "  Restés en place           : ";
        text += grouped(t.keptFiles) + " fichier(s), " + grouped(t.keptFolders) + " dossier(s)";
        if (t.keptRecycledItems != 0) {
            text += ", " + grouped(t.keptRecycledItems) + " élément(s) dans la corbeille";
        }
        text += '\n';
    }
    for (const Refusal& refusal : t.refused) {
        text +=
            "  Laissé intact             : " + refusal.path + " (" + RefusalText(refusal) + ")\n";
    }
    std::string stayed;
    for (const auto& items : items_) {
        for (const ItemRecord& item : items) {
            if (item.outcome != Outcome::Done && item.outcome != Outcome::ProtectedPlace) {
                stayed += itemLine(item);
            }
        }
    }
    if (!stayed.empty()) {
        text += preview_ ? "  Resteraient en place, élément par élément :\n"
                         : "  Restés en place, élément par élément :\n";
        text += stayed;
    }
    return text;
}

void RunReport::setItems(const std::vector<record::JournalEntry>& entries) {
    items_.assign(lines_.size(), {});
    for (const record::JournalEntry& entry : entries) {
        items_.at(static_cast<std::size_t>(entry.target)).push_back(entry.item);
    }
}

std::string RefusalText(const Refusal& refusal) {
    return refusal.place ? ReasonText(refusal.reason) + ", " + placeText(*refusal.place)
                         : ReasonText(refusal.reason);
}

} // namespace vp::console
