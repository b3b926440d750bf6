// The categories an entry's LangSecRef names: the numbers cleaners agree on, with names of
// our own in French (and the usual English one, which selection also accepts).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vp::rules {

struct CategoryInfo {
    std::uint16_t number = 0;
    std::string_view french;
    std::string_view english;
};

// Every known LangSecRef, in ascending order. The range runs from 3001 to 3044 with holes: a
// number missing here (3041 among them) names no category.
std::span<const CategoryInfo> knownCategories();

// The category of that number, or nullptr.
const CategoryInfo* findCategory(std::uint16_t number);

inline constexpr std::uint16_t FirstCategoryNumber = 3001;
inline constexpr std::uint16_t LastCategoryNumber = 3044;

} // namespace vp::rules
