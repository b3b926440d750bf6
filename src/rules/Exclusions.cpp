#include "rules/Exclusions.h"

#include "platform/FileSystem.h"
#include "platform/NameCompare.h"

namespace vp::rules {
namespace {

std::string_view withoutTrailingSeparator(std::string_view path) {
    while (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return path;
}

bool patternsMatch(const PatternList& patterns, std::string_view name) {
    for (const Pattern pattern : patterns) {
        if (pattern.everything || (pattern.wildcard ? wildcardMatch(pattern.text, name)
                                                    : namesEqual(pattern.text, name))) {
            return true;
        }
    }
    return false;
}

// `subkey` is `under` or lies below it, names compared without case.
bool keyAtOrBelow(std::string_view subkey, std::string_view under) {
    if (subkey.size() < under.size() || !namesEqual(subkey.substr(0, under.size()), under)) {
        return false;
    }
    return subkey.size() == under.size() || under.empty() || subkey[under.size()] == '\\';
}

} // namespace

bool folderMatches(const ExpandedPath& pattern, std::string_view path, bool orBelow) {
    path = withoutTrailingSeparator(path);
    const std::string_view root = withoutTrailingSeparator(pattern.root);
    if (path.size() < root.size() || !namesEqual(path.substr(0, root.size()), root)) {
        return false;
    }
    std::string_view rest = path.substr(root.size());
    if (!rest.empty() && rest.front() != '\\') {
        return false;
    }
    for (const Segment segment : pattern.segments()) {
        if (rest.empty()) {
            return false;
        }
        rest.remove_prefix(1); // the separator
        const std::size_t cut = rest.find('\\');
        const std::string_view name = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut);
        if (!(segment.wildcard ? wildcardMatch(segment.text, name)
                               : namesEqual(segment.text, name))) {
            return false;
        }
    }
    return rest.empty() || orBelow;
}

Exclusions::Exclusions(std::span<const ExcludeKey> keys, RootExpander& expander) {
    for (const ExcludeKey& key : keys) {
        if (key.kind == ExcludeKind::Registry) {
            registry_.push_back(&key);
            continue;
        }
        for (ExpandedPath& candidate : expander.expand(key.folder).candidates) {
            files_.push_back({std::move(candidate), key.names, key.kind == ExcludeKind::Path});
        }
    }
}

bool Exclusions::excludesFile(std::string_view folder, std::string_view name) const {
    for (const FileRule& rule : files_) {
        if (folderMatches(rule.folder, folder, rule.below) && patternsMatch(rule.names, name)) {
            return true;
        }
    }
    return false;
}

bool Exclusions::excludesRegistry(Hive hive, std::string_view subkey, std::string_view value,
                                  bool isValue) const {
    for (const ExcludeKey* key : registry_) {
        if (key->key.hive != hive) {
            continue;
        }
        if (key->hasValue) {
            if (isValue && namesEqual(key->key.subkey, subkey) && namesEqual(key->value, value)) {
                return true;
            }
            // A key holding an excluded value cannot go whole.
            if (!isValue && keyAtOrBelow(key->key.subkey, subkey)) {
                return true;
            }
            continue;
        }
        if (keyAtOrBelow(subkey, key->key.subkey)) {
            return true;
        }
        // A key holding an excluded key cannot go whole.
        if (!isValue && keyAtOrBelow(key->key.subkey, subkey)) {
            return true;
        }
    }
    return false;
}

} // namespace vp::rules
