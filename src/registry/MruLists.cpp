// The MRU list walks shared by the registry targets: logic only, through the registry helpers.
#include "registry/MruLists.h"

#include "registry/RegistryHelpers.h"

#include <charconv>
#include <string>

namespace vp {
namespace {

constexpr std::string_view OrderValue = "MRUList";

} // namespace

void ReadLogDelete(const Platform& platform, std::string_view key, std::string_view name,
                   const LogLine& logLine) {
    const std::string text = GetRegString(platform, HKEY_CURRENT_USER, key, name, "");
    if (!text.empty()) {
        logLine(text);
    }
    DeleteRegValue(platform, HKEY_CURRENT_USER, key, name);
}

void CleanNumberedLists(const Platform& platform, const NumberedLists& lists,
                        const LogLine& logLine) {
    std::string name(lists.prefix);
    for (int number = lists.first; number <= lists.last; ++number) {
        char digits[12];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        name.resize(lists.prefix.size());
        name.append(digits, end);
        for (const std::string_view key : lists.keys) {
            ReadLogDelete(platform, key, name, logLine);
        }
    }
}

void CleanLetterList(const Platform& platform, std::string_view key, char last,
                     const LogLine& logLine) {
    for (char letter = 'a'; letter <= last; ++letter) {
        ReadLogDelete(platform, key, std::string_view(&letter, 1), logLine);
    }
    DeleteRegValue(platform, HKEY_CURRENT_USER, key, OrderValue);
}

void DeleteLetterList(const Platform& platform, std::string_view key, char last) {
    for (char letter = 'a'; letter <= last; ++letter) {
        DeleteRegValue(platform, HKEY_CURRENT_USER, key, std::string_view(&letter, 1));
    }
    DeleteRegValue(platform, HKEY_CURRENT_USER, key, OrderValue);
}

} // namespace vp
