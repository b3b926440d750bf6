// The file service's operations that are built on folders alone, the same on every platform.
#include "platform/FileSystem.h"

#include "platform/NameCompare.h"
#include "platform/ProtectedPlaces.h"

#include <algorithm>

namespace vp {

std::optional<std::vector<DirEntry>> FileSystem::listFolder(std::string_view path) {
    const std::unique_ptr<Folder> folder = openFolder(path);
    if (!folder) {
        return std::nullopt;
    }
    return folder->list();
}

bool FileSystem::deleteMatchingFiles(std::string_view pattern, bool force, FileTally* tally) {
    const std::size_t cut = pattern.find_last_of('\\');
    if (cut == std::string_view::npos || cut + 1 == pattern.size()) {
        return false;
    }
    const std::string_view namePattern = pattern.substr(cut + 1);
    const bool wildcard = namePattern.find_first_of("*?") != std::string_view::npos;
    const std::string folderPath = ResolveDots(pattern.substr(0, cut + 1));
    const std::unique_ptr<Folder> folder = openFolder(folderPath);
    if (!folder) {
        return false;
    }
    // A pattern empties a folder as a sweep does: never a protected place. One name only
    // deletes the file the caller named.
    if (wildcard) {
        if (const auto place = RefusedSweepRoot(folderPath, *folder, *this)) {
            if (tally != nullptr) {
                tally->refused = Refusal{folderPath, Outcome::ProtectedPlace, place};
            }
            return false;
        }
    }
    auto entries = folder->list();
    if (!entries) {
        return false;
    }
    // Files only: folders and links never match; wildcards never match hidden and system
    // files, a name without them matches its file, found without regard to case, whatever its
    // attributes.
    constexpr std::uint32_t NeverMatched = FileAttribute::Directory | FileAttribute::ReparsePoint;
    constexpr std::uint32_t NotForWildcards = FileAttribute::Hidden | FileAttribute::System;
    std::vector<DirEntry> matches;
    for (DirEntry& entry : *entries) {
        if ((entry.attributes & NeverMatched) != 0) {
            continue;
        }
        if (wildcard ? (entry.attributes & NotForWildcards) == 0 &&
                           wildcardMatch(namePattern, entry.name)
                     : namesEqual(namePattern, entry.name)) {
            matches.push_back(std::move(entry));
        }
    }
    if (matches.empty()) {
        return false;
    }
    std::sort(matches.begin(), matches.end(),
              [](const DirEntry& a, const DirEntry& b) { return nameLess(a.name, b.name); });
    for (const DirEntry& entry : matches) {
        std::optional<std::uint32_t> attributes;
        if (force && (entry.attributes & FileAttribute::ReadOnly) != 0) {
            attributes = entry.attributes & ~FileAttribute::ReadOnly;
        }
        const Outcome outcome = folder->deleteFile(entry.name, attributes, &entry);
        if (tally != nullptr) {
            if (outcome == Outcome::Done) {
                ++tally->deleted;
                tally->bytes += entry.size;
            } else if (outcome != Outcome::Vanished) {
                ++tally->kept;
            }
        }
        // A file someone else deleted meanwhile stops nothing; one that stayed stops the rest.
        if (!isGone(outcome) && outcome != Outcome::Vanished) {
            return false;
        }
    }
    return true;
}

namespace {

bool matchFolded(std::string_view pattern, std::string_view name) {
    // Iterative glob with a single backtracking point, the last '*'.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            // '?' stands for one whole character: skip a UTF-8 sequence's continuation bytes.
            if (pattern[p] == '?') {
                while (n + 1 < name.size() &&
                       (static_cast<unsigned char>(name[n + 1]) & 0xC0) == 0x80) {
                    ++n;
                }
            }
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    return matchFolded(foldCase(pattern), foldCase(name));
}

} // namespace vp
