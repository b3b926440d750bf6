#include "rules/Categories.h"

#include <array>

namespace vp::rules {
namespace {

constexpr std::array<CategoryInfo, 26> Categories = {{
    {3001, "Internet Explorer", "Internet Explorer"},
    {3005, "Microsoft Edge (ancien)", "Microsoft Edge (legacy)"},
    {3006, "Microsoft Edge", "Edge Chromium"},
    {3021, "Applications", "Applications"},
    {3022, "Internet", "Internet"},
    {3023, "Multimédia", "Multimedia"},
    {3024, "Utilitaires", "Utilities"},
    {3025, "Windows", "Windows"},
    {3026, "Firefox", "Firefox"},
    {3027, "Opera", "Opera"},
    {3028, "Safari", "Safari"},
    {3029, "Google Chrome", "Google Chrome"},
    {3030, "Thunderbird", "Thunderbird"},
    {3031, "Microsoft Store", "Windows Store"},
    {3032, "Navigateur CCleaner", "CCleaner Browser"},
    {3033, "Vivaldi", "Vivaldi"},
    {3034, "Brave", "Brave"},
    {3035, "Opera GX", "Opera GX"},
    {3036, "Spotify", "Spotify"},
    {3037, "Avast Secure Browser", "Avast Secure Browser"},
    {3038, "AVG Secure Browser", "AVG Secure Browser"},
    {3039, "Arc", "Arc Browser"},
    {3040, "iTunes", "iTunes"},
    {3042, "WhatsApp", "WhatsApp"},
    {3043, "Norton Private Browser", "Norton Private Browser"},
    {3044, "Avira Secure Browser", "Avira Secure Browser"},
}};

} // namespace

std::span<const CategoryInfo> knownCategories() {
    return Categories;
}

const CategoryInfo* findCategory(std::uint16_t number) {
    for (const CategoryInfo& category : Categories) {
        if (category.number == number) {
            return &category;
        }
    }
    return nullptr;
}

} // namespace vp::rules
