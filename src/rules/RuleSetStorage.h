// What a RuleSet owns: the file's text (every view of the model points into it or into the
// arena), the arena, the entries and the diagnostics. Shared by RuleSet.cpp and the reader.
#pragma once

#include "rules/RuleArena.h"
#include "rules/RuleSet.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace vp::rules {

struct RuleSetStorage {
    explicit RuleSetStorage(DecodedText decoded)
        : text(std::move(decoded)), arena(std::max<std::size_t>(4096, text.storage.size() / 2)) {}

    DecodedText text;
    RuleArena arena;
    std::string fileName;
    std::uint32_t lines = 0;
    std::vector<Entry> entries;
    std::vector<Diagnostic> diagnostics;
    std::size_t droppedDiagnostics = 0;
    std::unordered_map<std::string, std::size_t> byName; // folded name → index in entries
};

} // namespace vp::rules
