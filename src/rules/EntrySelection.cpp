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

bool textMatches(std::string_view pattern, std::string_view text) {
    const std::string foldedPattern = foldForSearch(pattern);
    const std::string foldedText = foldForSearch(text);
    return hasWildcard(pattern) ? wildcardMatch(foldedPattern, foldedText)
                                : foldedPattern == foldedText;
}

bool isNumber(std::string_view text, std::uint32_t& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

} // namespace

bool nameMatches(std::string_view pattern, const Entry& entry) {
    return textMatches(pattern, displayName(entry)) || textMatches(pattern, entry.name);
}

bool namesExactly(std::string_view pattern, const Entry& entry) {
    // The full name as written holds the format's " *": typed whole, it still names the entry
    // exactly. Otherwise a pattern with a wildcard names no entry exactly, not even one whose
    // name holds that very wildcard: "*" must not run an entry called "*" that has a warning.
    const std::string folded = foldForSearch(pattern);
    return folded == foldForSearch(entry.name) ||
           (!hasWildcard(pattern) && folded == foldForSearch(displayName(entry)));
}

bool categoryMatches(std::string_view selector, const Category& category) {
    if (category.name.empty() && category.langSecRef == 0) {
        return false;
    }
    std::uint32_t number = 0;
    if (isNumber(selector, number)) {
        return category.langSecRef != 0 && number == category.langSecRef;
    }
    if (textMatches(selector, category.name)) {
        return true;
    }
    const CategoryInfo* known =
        category.langSecRef != 0 ? findCategory(category.langSecRef) : nullptr;
    return known != nullptr && textMatches(selector, known->english);
}

Selection selectEntries(std::span<const Entry> entries, const SelectionRequest& request) {
    Selection out;
    std::vector<bool> nameUsed(request.names.size(), false);
    std::vector<bool> categoryUsed(request.categories.size(), false);
    for (const Entry& entry : entries) {
        bool matched = false;
        bool exact = false;
        for (std::size_t i = 0; i < request.names.size(); ++i) {
            if (nameMatches(request.names[i], entry)) {
                nameUsed[i] = true;
                matched = true;
                exact = exact || namesExactly(request.names[i], entry);
            }
        }
        for (std::size_t i = 0; i < request.categories.size(); ++i) {
            if (categoryMatches(request.categories[i], entry.category)) {
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
    for (std::size_t i = 0; i < request.names.size(); ++i) {
        if (!nameUsed[i]) {
            out.unmatchedNames.push_back(request.names[i]);
        }
    }
    for (std::size_t i = 0; i < request.categories.size(); ++i) {
        if (!categoryUsed[i]) {
            out.unmatchedCategories.push_back(request.categories[i]);
        }
    }
    return out;
}

} // namespace vp::rules
