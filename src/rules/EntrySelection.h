// Which entries a command line asks for: names with `*` wildcards (`--entree`) and categories
// by name or number (`--categorie`), letter case and accents aside. An entry with a warning is
// taken only when named exactly, never through a wildcard or a category, so that a broad
// request cannot run what its author flagged as dangerous.
#pragma once

#include "rules/RuleModel.h"

#include <span>
#include <string>
#include <vector>

namespace vp::rules {

struct SelectionRequest {
    std::vector<std::string> names;      // patterns
    std::vector<std::string> categories; // names or numbers, patterns allowed
};

struct Selection {
    std::vector<const Entry*> entries; // selected, in file order, each once
    // Matched only through a wildcard or a category while they carry a warning: left out.
    std::vector<const Entry*> needExactName;
    // Refused entries (RuleModel.h) that the request matched: left out.
    std::vector<const Entry*> refused;
    std::vector<std::string> unmatchedNames;      // patterns that matched no entry at all
    std::vector<std::string> unmatchedCategories; // likewise
};

Selection selectEntries(std::span<const Entry> entries, const SelectionRequest& request);

// `pattern` against the entry's name, with or without its trailing " *".
bool nameMatches(std::string_view pattern, const Entry& entry);
// True when `pattern` is the entry's full name as written ("Contoso *"), or has no wildcard
// and is its name without the trailing " *".
bool namesExactly(std::string_view pattern, const Entry& entry);
// `selector` against the category's number, French name, usual English name, or Section.
bool categoryMatches(std::string_view selector, const Category& category);

} // namespace vp::rules
