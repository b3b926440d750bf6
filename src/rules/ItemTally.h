// Where every item a rules entry acts on is accounted for: one call per file, folder, registry
// value or key, and refused place, each counting into the run's totals for the current target
// and logging what went. The cleaning code reports through these calls only, so a report item
// by item has one place to be wired in.
#pragma once

#include "app/RunTotals.h"
#include "platform/FileSystem.h"
#include "platform/Outcome.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vp::rules {

enum class ItemKind : std::uint8_t { File, Folder, RegistryValue, RegistryKey };

// An item a run meant to delete and left in place, with the reason.
struct KeptItem {
    ItemKind kind = ItemKind::File;
    std::string path;
    Outcome reason = Outcome::Failed;
};

// "droits insuffisants", "utilisé par un autre programme"...: why an item of a rule stayed.
std::string_view frenchKeptReason(Outcome reason);

class ItemTally {
public:
    using LogLine = std::function<void(std::string_view)>;
    // `logDeleted` receives the path of each item gone (a registry value as "key|value").
    ItemTally(RunTotals& totals, LogLine logDeleted);

    void file(std::string_view path, const DirEntry& file, Outcome outcome);
    void folder(std::string_view path, Outcome outcome);
    void registryValue(std::string_view path, Outcome outcome);
    void registryKey(std::string_view path, Outcome outcome);
    void refused(Refusal refusal);

    const std::vector<KeptItem>& kept() const { return kept_; }
    void clearKept() { kept_.clear(); }

private:
    void keep(ItemKind kind, std::string_view path, Outcome reason);

    RunTotals& totals_;
    LogLine log_;
    std::vector<KeptItem> kept_;
};

} // namespace vp::rules
