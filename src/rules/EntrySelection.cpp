#include "rules/EntrySelection.h"

#include "platform/FileSystem.h"
#include "rules/Categories.h"
#include "rules/SearchFold.h"

#include <algorithm>
#include <charconv>

namespace vp::rules {
namespace {

bool hasWildcard(std::string_view text) {
    return text.find_first_of("*?") != text.npos;
}

bool isNumber(std::string_view text, std::uint32_t& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// A pattern folded once, however many names it is held against.
struct FoldedPattern {
    explicit FoldedPattern(std::string_view pattern)
        : raw(pattern), folded(foldForSearch(pattern)), wildcard(hasWildcard(pattern)) {}
    std::string_view raw;
    std::string folded;
    bool wildcard;

    bool matches(const std::string& foldedText) const {
        return wildcard ? wildcardMatch(folded, foldedText) : folded == foldedText;
    }
};

struct FoldedName {
    explicit FoldedName(const Entry& entry)
        : full(foldForSearch(entry.name)), shown(foldForSearch(displayName(entry))) {}
    std::string full;
    std::string shown;
};

bool nameMatches(const FoldedPattern& pattern, const FoldedName& name) {
    return pattern.matches(name.shown) || pattern.matches(name.full);
}

// The full name as written holds the format's " *": typed whole, it still names the entry
// exactly. Otherwise a pattern with a wildcard names no entry exactly, not even one whose name
// holds that very wildcard: "*" must not run an entry called "*" that has a warning.
bool namesExactly(const FoldedPattern& pattern, const FoldedName& name) {
    return pattern.folded == name.full || (!pattern.wildcard && pattern.folded == name.shown);
}

bool categoryMatches(const FoldedPattern& selector, const Category& category) {
    if (category.name.empty() && category.langSecRef == 0) {
        return false;
    }
    std::uint32_t number = 0;
    if (isNumber(selector.raw, number)) {
        return category.langSecRef != 0 && number == category.langSecRef;
    }
    if (selector.matches(foldForSearch(category.name))) {
        return true;
    }
    const CategoryInfo* known =
        category.langSecRef != 0 ? findCategory(category.langSecRef) : nullptr;
    return known != nullptr && selector.matches(foldForSearch(known->english));
}

} // namespace

bool nameMatches(std::string_view pattern, const Entry& entry) {
    return nameMatches(FoldedPattern(pattern), FoldedName(entry));
}

bool namesExactly(std::string_view pattern, const Entry& entry) {
    return namesExactly(FoldedPattern(pattern), FoldedName(entry));
}

bool categoryMatches(std::string_view selector, const Category& category) {
    return categoryMatches(FoldedPattern(selector), category);
}

Selection selectEntries(std::span<const Entry> entries, const SelectionRequest& request) {
    Selection out;
    const std::vector<FoldedPattern> names(request.names.begin(), request.names.end());
    const std::vector<FoldedPattern> categories(request.categories.begin(),
                                                request.categories.end());
    std::vector<bool> nameUsed(names.size(), false);
    std::vector<bool> categoryUsed(categories.size(), false);
    for (const Entry& entry : entries) {
        bool matched = false;
        bool exact = false;
        if (!names.empty()) {
            const FoldedName name(entry);
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (nameMatches(names[i], name)) {
                    nameUsed[i] = true;
                    matched = true;
                    exact = exact || namesExactly(names[i], name);
                }
            }
        }
        for (std::size_t i = 0; i < categories.size(); ++i) {
            if (categoryMatches(categories[i], entry.category)) {
                categoryUsed[i] = true;
                matched = true;
            }
        }
        if (!matched) {
            continue;
        }
        if (entry.refused) {
            out.refused.push_back(&entry);
        } else if (entry.hasWarning && !exact) {
            out.needExactName.push_back(&entry);
        } else {
            out.entries.push_back(&entry);
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!nameUsed[i]) {
            out.unmatchedNames.push_back(request.names[i]);
        }
    }
    for (std::size_t i = 0; i < categories.size(); ++i) {
        if (!categoryUsed[i]) {
            out.unmatchedCategories.push_back(request.categories[i]);
        }
    }
    return out;
}

} // namespace vp::rules
