// The console program's JSON (schema 1). Keys and values are English and stable; texts are
// ASCII with \\u escapes, so Windows PowerShell 5.1, which decodes a program's output with the
// OEM code page, reads every name right.
#include "app/console/ConsoleProgram.h"
#include "app/console/ConsoleReport.h"
#include "platform/Utf8.h"

namespace vp::console {
namespace {

void appendEscape(std::string& out, unsigned unit) {
    constexpr char Hex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += Hex[(unit >> shift) & 0xF];
    }
}

// Folders left untouched as a whole: [{"path": ..., "reason": ...}].
std::string jsonRefusals(const std::vector<Refusal>& refused) {
    std::string text = "[";
    for (std::size_t i = 0; i < refused.size(); ++i) {
        text += i == 0 ? "" : ", ";
        text += "{\"path\": " + JsonString(refused[i].path) +
                ", \"reason\": " + JsonString(RefusalText(refused[i])) + "}";
    }
    return text + "]";
}

std::string_view kindKey(ItemKind kind) {
    switch (kind) {
    case ItemKind::File:
        return "file";
    case ItemKind::Folder:
        return "folder";
    case ItemKind::RegistryValue:
        return "registryValue";
    case ItemKind::RegistryKey:
        return "registryKey";
    case ItemKind::CacheEntry:
        return "cacheEntry";
    case ItemKind::BinItem:
        break;
    }
    return "binItems";
}

std::string_view reasonKey(Outcome reason) {
    switch (reason) {
    case Outcome::Done:
        return "";
    case Outcome::InUse:
        return "inUse";
    case Outcome::HiddenOrSystem:
        return "hiddenOrSystem";
    case Outcome::Link:
        return "link";
    case Outcome::Replaced:
        return "replaced";
    case Outcome::ProtectedPlace:
        return "protectedPlace";
    case Outcome::AccessDenied:
        return "accessDenied";
    case Outcome::Vanished:
        return "vanished";
    case Outcome::NotEmpty:
        return "notEmpty";
    case Outcome::Failed:
        break;
    }
    return "failed";
}

std::string_view placeKey(PlaceKind place) {
    switch (place) {
    case PlaceKind::DriveRoot:
        return "driveRoot";
    case PlaceKind::ShareRoot:
        return "shareRoot";
    case PlaceKind::Windows:
        return "windows";
    case PlaceKind::ProgramFiles:
        return "programFiles";
    case PlaceKind::ProgramData:
        return "programData";
    case PlaceKind::Users:
        return "users";
    case PlaceKind::Profile:
        return "profile";
    case PlaceKind::KnownFolder:
        break;
    }
    return "knownFolder";
}

// {"kind": "file", "path": ..., "bytes": 12, "outcome": "kept", "reason": "inUse"}; a registry
// value is named by "key" and "value", the bins' items by "count" (the shell names none).
std::string jsonItem(const ItemRecord& item) {
    std::string text = "{\"kind\": \"" + std::string(kindKey(item.kind)) + '"';
    if (item.kind == ItemKind::RegistryValue) {
        text += ", \"key\": " + JsonString(item.path) + ", \"value\": " + JsonString(item.value);
    } else {
        text += ", \"path\": " + JsonString(item.path);
    }
    if (item.kind == ItemKind::BinItem) {
        text += ", \"count\": " + std::to_string(item.count);
    }
    if (item.kind == ItemKind::File || item.kind == ItemKind::CacheEntry ||
        item.kind == ItemKind::BinItem) {
        text += ", \"bytes\": " + std::to_string(item.bytes);
    }
    const bool refused =
        item.outcome == Outcome::ProtectedPlace || item.outcome == Outcome::AccessDenied;
    text += ", \"outcome\": ";
    text += item.outcome == Outcome::Done ? "\"deleted\"" : refused ? "\"refused\"" : "\"kept\"";
    if (item.outcome != Outcome::Done) {
        text += ", \"reason\": \"" + std::string(reasonKey(item.outcome)) + '"';
    }
    if (item.place) {
        text += ", \"place\": \"" + std::string(placeKey(*item.place)) + '"';
    }
    return text + '}';
}

std::string jsonItems(const std::vector<ItemRecord>& items, const std::vector<Refusal>& refused) {
    std::string text = "[";
    bool first = true;
    auto add = [&](const ItemRecord& item) {
        text += first ? "\n       " : ",\n       ";
        text += jsonItem(item);
        first = false;
    };
    for (const Refusal& refusal : refused) {
        ItemRecord item;
        item.kind = ItemKind::Folder;
        item.outcome = refusal.reason;
        item.place = refusal.place;
        item.path = refusal.path;
        add(item);
    }
    for (const ItemRecord& item : items) {
        add(item);
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
           ", \"keptRecycledItems\": " + std::to_string(t.keptRecycledItems) +
           ", \"refused\": " + jsonRefusals(t.refused) + "}";
}

} // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = utf8::decode(text, pos);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c < 0x10000) {
            appendEscape(out, static_cast<unsigned>(c));
        } else {
            const auto offset = static_cast<unsigned>(c - 0x10000);
            appendEscape(out, 0xD800 + (offset >> 10));
            appendEscape(out, 0xDC00 + (offset & 0x3FF));
        }
    }
    return out + '"';
}

std::string RunReport::json(const RunContext& context) const {
    std::string text = "{\n  \"schema\": 1,\n  \"program\": \"vexoma\",\n  \"version\": " +
                       JsonString(ProgramVersion());
    text += ",\n  \"mode\": ";
    text += preview_ ? "\"preview\"" : "\"clean\"";
    text += ",\n  \"started\": " + JsonString(context.started);
    text += ",\n  \"computer\": " + JsonString(context.computer);
    text += ",\n  \"user\": " + JsonString(context.user);
    text += ",\n  \"tempFolder\": " + JsonString(context.tempFolder);
    text += ",\n  \"status\": " + std::to_string(context.status);
    text += ",\n  \"targets\": [";
    for (std::size_t i = 0; i < context.targets.size(); ++i) {
        const int number = context.targets[i];
        const CatalogueEntry& entry = Catalogue()[static_cast<std::size_t>(number - 1)];
        text += i == 0 ? "\n" : ",\n";
        text += "    {\"number\": " + std::to_string(number) +
                ", \"name\": " + JsonString(entry.keyword) +
                ", \"caption\": " + JsonString(entry.caption) + ",\n     \"lines\": [";
        const auto& lines = lines_.at(static_cast<std::size_t>(number));
        for (std::size_t l = 0; l < lines.size(); ++l) {
            text += l == 0 ? "" : ", ";
            text += JsonString(lines[l]);
        }
        const Totals& totals = totals_.target(number);
        text += "],\n     \"totals\": " + jsonTotals(totals);
        static const std::vector<ItemRecord> None;
        const auto index = static_cast<std::size_t>(number);
        text += ",\n     \"items\": " +
                jsonItems(index < items_.size() ? items_[index] : None, totals.refused) + "}";
    }
    text += "\n  ],\n  \"entries\": [";
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const EntryReport& entry = entries_[i];
        text += i == 0 ? "\n" : ",\n";
        text += "    {\"name\": " + JsonString(entry.name) + ", \"category\": " +
                (entry.category.empty() ? std::string("null") : JsonString(entry.category)) +
                ", \"running\": " + (entry.running.empty() ? "false" : "true");
        if (!entry.running.empty()) {
            text += ", \"process\": " + JsonString(entry.running);
        }
        text += ", \"warning\": " +
                (entry.hasWarning ? JsonString(entry.warning) : std::string("null"));
        text += ",\n     \"lines\": [";
        for (std::size_t l = 0; l < entry.lines.size(); ++l) {
            text += l == 0 ? "" : ", ";
            text += JsonString(entry.lines[l]);
        }
        text += "],\n     \"totals\": " + jsonTotals(entry.totals);
        text += ",\n     \"items\": " + jsonItems(entry.items, entry.totals.refused) + "}";
    }
    text += entries_.empty() ? "]" : "\n  ]";
    text += ",\n  \"totals\": " + jsonTotals(totals_.sum()) + "\n}\n";
    return text;
}

} // namespace vp::console
