// The most-recently-used lists the registry targets clear, and the one step every entry of
// them goes through.
#pragma once

#include "platform/Platform.h"

#include <functional>
#include <span>
#include <string_view>

namespace vp {

// Where a routine's read entries go: the run log, one line each.
using LogLine = std::function<void(std::string_view)>;

// Reads value `name` of `key` under HKEY_CURRENT_USER, hands its text to `logLine` when there
// is any, and deletes the value whether or not it could be read: an entry too long to read
// still goes. True when the value was deleted.
bool ReadLogDelete(const Platform& platform, std::string_view key, std::string_view name,
                   const LogLine& logLine);

// Lists whose entries are named by a prefix and a number in decimal ("file7", or "7" alone).
// Numbers are walked upwards from `first` to `last`, whatever entries exist, and for each
// number the keys in the order given, so that several keys interleave by number.
struct NumberedLists {
    std::span<const std::string_view> keys;
    std::string_view prefix;
    int first;
    int last;
};
// Each walk returns how many values it deleted.
int CleanNumberedLists(const Platform& platform, const NumberedLists& lists,
                       const LogLine& logLine);

// Lists whose entries are named by one letter from "a" to `last`, with the order value
// "MRUList", which is not read: the letters are walked in alphabetical order and the order
// value is deleted after them.
int CleanLetterList(const Platform& platform, std::string_view key, char last,
                    const LogLine& logLine);
// The same list deleted without reading or logging anything.
int DeleteLetterList(const Platform& platform, std::string_view key, char last);

} // namespace vp
