// The MRU list walks shared by the registry targets: logic only, through the registry helpers.
#include "registry/MruLists.h"

#include "registry/RegistryHelpers.h"

#include <charconv>
#include <string>

namespace vp {
namespace {

constexpr std::string_view OrderValue = "MRUList";

} // namespace

bool ReadLogDelete(const Platform& platform, std::string_view key, std::string_view name,
                   const LogLine& logLine) {
    const std::string text = GetRegString(platform, CurrentUserHive, key, name, "");
    if (!text.empty()) {
        logLine(text);
    }
    return DeleteRegValue(platform, CurrentUserHive, key, name);
}

int CleanNumberedLists(const Platform& platform, const NumberedLists& lists,
                       const LogLine& logLine) {
    int deleted = 0;
    std::string name(lists.prefix);
    for (int number = lists.first; number <= lists.last; ++number) {
        char digits[12];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        name.resize(lists.prefix.size());
        name.append(digits, end);
        for (const std::string_view key : lists.keys) {
            deleted += ReadLogDelete(platform, key, name, logLine) ? 1 : 0;
        }
    }
    return deleted;
}

int CleanLetterList(const Platform& platform, std::string_view key, char last,
                    const LogLine& logLine) {
    int deleted = 0;
    for (char letter = 'a'; letter <= last; ++letter) {
        deleted += ReadLogDelete(platform, key, std::string_view(&letter, 1), logLine) ? 1 : 0;
    }
    deleted += DeleteRegValue(platform, CurrentUserHive, key, OrderValue) ? 1 : 0;
    return deleted;
}

int DeleteLetterList(const Platform& platform, std::string_view key, char last) {
    int deleted = 0;
    for (char letter = 'a'; letter <= last; ++letter) {
        deleted +=
            DeleteRegValue(platform, CurrentUserHive, key, std::string_view(&letter, 1)) ? 1 : 0;
    }
    deleted += DeleteRegValue(platform, CurrentUserHive, key, OrderValue) ? 1 : 0;
    return deleted;
}

} // namespace vp
