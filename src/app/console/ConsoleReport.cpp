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

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            constexpr char Hex[] = "0123456789abcdef";
            out += "\\u00";
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + '"';
}

// Why an item was left alone, and which protected place a folder is or lies above.
std::string reasonText(Outcome reason) {
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
    case Outcome::Failed:
        break;
    }
    return "refusé par le système";
}

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

std::string refusalText(const Refusal& refusal) {
    return refusal.place ? reasonText(refusal.reason) + ", " + placeText(*refusal.place)
                         : reasonText(refusal.reason);
}

std::string jsonRefusals(const std::vector<Refusal>& refused) {
    std::string text = "[";
    for (std::size_t i = 0; i < refused.size(); ++i) {
        text += i == 0 ? "" : ", ";
        text += "{\"path\": " + jsonString(refused[i].path) +
                ", \"reason\": " + jsonString(refusalText(refused[i])) + "}";
    }
    return text + "]";
}

std::string jsonTotals(const Totals& t) {
    return "{\"files\": " + std::to_string(t.files) +
           ", \"fileBytes\": " + std::to_string(t.fileBytes) +
           ", \"keptFiles\": " + std::to_string(t.keptFiles) +
           ", \"folders\": " + std::to_string(t.folders) +
           ", \"keptFolders\": " + std::to_string(t.keptFolders) +
           ", \"registryValues\": " + std::to_string(t.registryValues) +
           ", \"cacheEntries\": " + std::to_string(t.cacheEntries) +
           ", \"cacheBytes\": " + std::to_string(t.cacheBytes) +
           ", \"recycledItems\": " + std::to_string(t.recycledItems) +
           ", \"recycledBytes\": " + std::to_string(t.recycledBytes) +
           ", \"refused\": " + jsonRefusals(t.refused) + "}";
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
    if (t.keptFiles != 0 || t.keptFolders != 0) {
        text += preview_ ? "  Resteraient en place      : " : "  Restés en place           : ";
        text += grouped(t.keptFiles) + " fichier(s), " + grouped(t.keptFolders) + " dossier(s)\n";
    }
    for (const Refusal& refusal : t.refused) {
        text +=
            "  Laissé intact             : " + refusal.path + " (" + refusalText(refusal) + ")\n";
    }
    return text;
}

std::string RunReport::json(const std::vector<int>& targets, int status) const {
    std::string text = "{\n  \"mode\": ";
    text += preview_ ? "\"apercu\"" : "\"nettoyage\"";
    text += ",\n  \"targets\": [";
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const int number = targets[i];
        const CatalogueEntry& entry = Catalogue()[static_cast<std::size_t>(number - 1)];
        text += i == 0 ? "\n" : ",\n";
        text += "    {\"number\": " + std::to_string(number) +
                ", \"caption\": " + jsonString(entry.caption) + ",\n     \"lines\": [";
        const auto& lines = lines_.at(static_cast<std::size_t>(number));
        for (std::size_t l = 0; l < lines.size(); ++l) {
            text += l == 0 ? "" : ", ";
            text += jsonString(lines[l]);
        }
        text += "],\n     \"totals\": " + jsonTotals(totals_.target(number)) + "}";
    }
    text += "\n  ],\n  \"totals\": " + jsonTotals(totals_.sum());
    text += ",\n  \"status\": " + std::to_string(status) + "\n}\n";
    return text;
}

} // namespace vp::console
