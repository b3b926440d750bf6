#include "rules/ItemTally.h"

#include <utility>

namespace vp::rules {

std::string_view frenchKeptReason(Outcome reason) {
    switch (reason) {
    case Outcome::Done:
        return "fait";
    case Outcome::InUse:
        return "en cours d'utilisation";
    case Outcome::HiddenOrSystem:
        return "caché ou système";
    case Outcome::Link:
        return "lien";
    case Outcome::Replaced:
        return "remplacé depuis la liste";
    case Outcome::ProtectedPlace:
        return "emplacement protégé";
    case Outcome::AccessDenied:
        return "droits insuffisants";
    case Outcome::Vanished:
        return "disparu";
    case Outcome::NotEmpty:
        return "contient encore des éléments";
    case Outcome::Failed:
        break;
    }
    return "refusé par le système";
}

ItemTally::ItemTally(RunTotals& totals, LogLine logDeleted)
    : totals_(totals), log_(std::move(logDeleted)) {}

void ItemTally::keep(ItemKind kind, std::string_view path, Outcome reason) {
    kept_.push_back({kind, std::string(path), reason});
}

// A file that vanished was neither deleted nor kept.
void ItemTally::file(std::string_view path, const DirEntry& file, Outcome outcome) {
    Totals& totals = totals_.current();
    if (outcome == Outcome::Done) {
        ++totals.files;
        totals.fileBytes += file.size;
        log_(path);
    } else if (outcome != Outcome::Vanished) {
        ++totals.keptFiles;
        keep(ItemKind::File, path, outcome);
    }
}

void ItemTally::folder(std::string_view path, Outcome outcome) {
    Totals& totals = totals_.current();
    if (outcome == Outcome::Done) {
        ++totals.folders;
        log_(path);
    } else if (outcome != Outcome::Vanished) {
        ++totals.keptFolders;
        keep(ItemKind::Folder, path, outcome);
    }
}

void ItemTally::registryValue(std::string_view path, Outcome outcome) {
    if (outcome == Outcome::Done) {
        ++totals_.current().registryValues;
        log_(path);
    } else if (outcome != Outcome::Vanished) {
        keep(ItemKind::RegistryValue, path, outcome);
    }
}

// A key removed counts with the values: both are the registry items the entry deleted.
void ItemTally::registryKey(std::string_view path, Outcome outcome) {
    if (outcome == Outcome::Done) {
        ++totals_.current().registryValues;
        log_(path);
    } else if (outcome != Outcome::Vanished) {
        keep(ItemKind::RegistryKey, path, outcome);
    }
}

void ItemTally::refused(Refusal refusal) {
    totals_.current().refused.push_back(std::move(refusal));
}

} // namespace vp::rules
