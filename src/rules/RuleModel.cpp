#include "rules/RuleModel.h"

namespace vp::rules {
namespace {

bool hasWildcard(std::string_view text) {
    return text.find_first_of("*?") != text.npos;
}

std::size_t nextSeparator(std::string_view text, std::size_t from, char separator) {
    const std::size_t found = text.find(separator, from);
    return found == text.npos ? text.size() : found;
}

} // namespace

SegmentRange::Iterator::Iterator(std::string_view rest, std::size_t pos)
    : rest_(rest), pos_(pos), end_(pos <= rest.size() ? nextSeparator(rest, pos, '\\') : pos) {
    if (rest_.empty()) {
        pos_ = end_ = rest_.size() + 1; // no segment at all
    }
}

Segment SegmentRange::Iterator::operator*() const {
    const std::string_view text = rest_.substr(pos_, end_ - pos_);
    return Segment{text, hasWildcard(text)};
}

SegmentRange::Iterator& SegmentRange::Iterator::operator++() {
    pos_ = end_ + 1;
    end_ = pos_ <= rest_.size() ? nextSeparator(rest_, pos_, '\\') : pos_;
    return *this;
}

SegmentRange::Iterator SegmentRange::Iterator::operator++(int) {
    Iterator before = *this;
    ++*this;
    return before;
}

bool PathSpec::hasWildcardSegment() const {
    return hasWildcard(rest);
}

PatternList::Iterator::Iterator(std::string_view text, std::size_t pos)
    : text_(text), pos_(pos), end_(pos <= text.size() ? nextSeparator(text, pos, ';') : pos) {
    if (text_.empty()) {
        pos_ = end_ = text_.size() + 1;
    }
}

Pattern PatternList::Iterator::operator*() const {
    const std::string_view text = text_.substr(pos_, end_ - pos_);
    return Pattern{text, hasWildcard(text), text == "*" || text == "*.*"};
}

PatternList::Iterator& PatternList::Iterator::operator++() {
    pos_ = end_ + 1;
    end_ = pos_ <= text_.size() ? nextSeparator(text_, pos_, ';') : pos_;
    return *this;
}

PatternList::Iterator PatternList::Iterator::operator++(int) {
    Iterator before = *this;
    ++*this;
    return before;
}

bool PatternList::matchesEverything() const {
    for (const Pattern pattern : *this) {
        if (pattern.everything) {
            return true;
        }
    }
    return false;
}

std::string_view hiveShortName(Hive hive) {
    switch (hive) {
    case Hive::CurrentUser:
        return "HKCU";
    case Hive::LocalMachine:
        return "HKLM";
    case Hive::Users:
        return "HKU";
    case Hive::ClassesRoot:
        return "HKCR";
    case Hive::CurrentConfig:
        return "HKCC";
    }
    return "?";
}

namespace {

// Compares `version` with a bound on the bound's own components only.
int compareToBound(const OsVersion& version, const OsBound& bound) {
    const std::uint32_t mine[] = {version.major, version.minor, version.build};
    const std::uint32_t theirs[] = {bound.version.major, bound.version.minor, bound.version.build};
    for (std::size_t i = 0; i < bound.parts && i < 3; ++i) {
        if (mine[i] != theirs[i]) {
            return mine[i] < theirs[i] ? -1 : 1;
        }
    }
    return 0;
}

} // namespace

bool OsRange::contains(const OsVersion& version) const {
    if (min.parts != 0 && compareToBound(version, min) < 0) {
        return false;
    }
    if (max.parts != 0 && compareToBound(version, max) > 0) {
        return false;
    }
    return true;
}

std::string_view displayName(const Entry& entry) {
    std::string_view name = entry.name;
    if (!name.ends_with(" *") && !name.ends_with("\t*")) {
        return name;
    }
    name.remove_suffix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) {
        name.remove_suffix(1);
    }
    return name.empty() ? entry.name : name;
}

} // namespace vp::rules
