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
    if (t.somethingKept()) {
        text += preview_ ? "  Resteraient en place      : " : "  Restés en place           : ";
        text += grouped(t.keptFiles) + " fichier(s), " + grouped(t.keptFolders) + " dossier(s)";
        if (t.keptRecycledItems != 0) {
            text += ", " + grouped(t.keptRecycledItems) + " élément(s) dans la corbeille";
        }
        text += '\n';
    }
    return text;
}

} // namespace vp::console
