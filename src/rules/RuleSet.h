// A rules file, read: its entries in file order and what was wrong with it. Reading never
// fails and never throws on what the file holds: a line or an entry that cannot be read is
// reported (RuleDiagnostics.h) and the rest of the file loads.
#pragma once

#include "rules/RuleDiagnostics.h"
#include "rules/RuleModel.h"
#include "rules/RuleText.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace vp::rules {

// No more diagnostics than this are kept (a file of garbage would otherwise hold one per
// line); the rest are counted.
inline constexpr std::size_t MaxDiagnostics = 10000;

struct RuleSetStorage; // RuleSetStorage.h, for the reader only

class RuleSet {
public:
    // Made by parseRules.
    explicit RuleSet(std::unique_ptr<RuleSetStorage> storage);
    RuleSet(RuleSet&&) noexcept;
    RuleSet& operator=(RuleSet&&) noexcept;
    ~RuleSet();

    const std::string& fileName() const;
    TextEncoding encoding() const;
    std::uint32_t lineCount() const;

    // The entries in the order of the file; of two entries with the same name (letter case
    // aside), only the later one.
    std::span<const Entry> entries() const;
    std::span<const Diagnostic> diagnostics() const;
    // Diagnostics beyond MaxDiagnostics, counted only.
    std::size_t droppedDiagnostics() const;

    // The entry of that name, letter case aside, written with or without its trailing " *";
    // nullptr when there is none.
    const Entry* find(std::string_view name) const;

private:
    std::unique_ptr<RuleSetStorage> storage_;
};

// Reads a rules file's bytes. `fileName` is only used in messages.
RuleSet parseRules(std::string bytes, std::string fileName);

} // namespace vp::rules
