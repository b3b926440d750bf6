// What the console program prints after a run: the summary of sizes in French, or the whole
// run as JSON (schema 1: each target, its run-log lines, its counts and bytes).
#pragma once

#include "app/Catalogue.h"
#include "app/RunTotals.h"
#include "platform/record/ItemJournal.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vp::console {

// What a report says of the run beside what the run itself counted.
struct RunContext {
    std::string started; // ISO 8601, UTC
    std::string computer;
    std::string user;
    std::string tempFolder;
    std::vector<int> targets; // the catalogue numbers that ran
    int status = 0;
};

// A rules entry that ran, as the JSON reports it beside the targets.
struct EntryReport {
    std::string name;     // without the format's trailing " *"
    std::string category; // empty: none
    std::string running;  // the executable of its application found running; empty: none
    bool hasWarning = false;
    std::string warning;
    std::vector<std::string> lines; // its run-log lines
    Totals totals;
    std::vector<ItemRecord> items;
};

class RunReport {
public:
    explicit RunReport(bool preview)
        : preview_(preview), lines_(static_cast<std::size_t>(TargetCount()) + 1) {}

    // A run-log line, written while target `target` (0: none) ran.
    void addLine(int target, std::string_view line);
    void setTotals(const RunTotals& totals) { totals_ = totals; }
    // Every item the run changed or tried to change, by the target that ran.
    void setItems(const std::vector<record::JournalEntry>& entries);
    // A rules entry that ran, in run order.
    void addEntry(EntryReport entry) { entries_.push_back(std::move(entry)); }

    std::string summary() const;
    std::string json(const RunContext& context) const;

private:
    bool preview_;
    std::vector<std::vector<std::string>> lines_; // by target number
    RunTotals totals_{TargetCount()};
    std::vector<std::vector<ItemRecord>> items_; // by target number
    std::vector<EntryReport> entries_;
};

// "1 234 567 octets", with "(1,2 Mo)" after it from 1 Ko on.
std::string FormatBytes(std::uint64_t bytes);

// `text` (UTF-8) as a JSON string in ASCII only: every other character as \uXXXX (a surrogate
// pair beyond U+FFFF), so that a reader decoding with any code page reads it right.
std::string JsonString(std::string_view text);

// Why a folder was left untouched as a whole, and which protected place it is or lies above:
// "emplacement protégé, racine d'un lecteur".
std::string RefusalText(const Refusal& refusal);

// "utilisé par un autre programme": why an item stayed, in the report's words.
std::string ReasonText(Outcome reason);

} // namespace vp::console
