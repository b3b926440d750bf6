// An entry's ExcludeKeys, expanded once, asked about each item before it is deleted. They are
// only compared with the paths the cleaning walk reached (never used to find anything), so an
// exclusion can only make an entry delete less.
#pragma once

#include "rules/RootExpansion.h"
#include "rules/RuleModel.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vp::rules {

class Exclusions {
public:
    Exclusions(std::span<const ExcludeKey> keys, RootExpander& expander);

    // `folder` is a full path without trailing backslash (a drive's root may keep its own).
    bool excludesFile(std::string_view folder, std::string_view name) const;
    // `key` as "HKCU\Software\..."; `value` empty for the key itself.
    bool excludesRegistry(Hive hive, std::string_view subkey, std::string_view value,
                          bool isValue) const;

private:
    struct FileRule {
        ExpandedPath folder;
        PatternList names;
        bool below = false; // PATH: that folder and every folder under it
    };
    std::vector<FileRule> files_;
    std::vector<const ExcludeKey*> registry_;
};

// Whether `path` is the folder `pattern` names (wildcard folder names matched name by name),
// or, with `orBelow`, a folder under it.
bool folderMatches(const ExpandedPath& pattern, std::string_view path, bool orBelow);

} // namespace vp::rules
