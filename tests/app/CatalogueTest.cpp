// The catalogue as the one description of the targets: numbered in run order, every box inside
// its panel and clear of the others, every console name one that nothing else on a command line
// could mean, every target in one group of the selector.
#include "app/Catalogue.h"

#include "app/Layout.h"
#include "app/console/ConsoleArguments.h"
#include "app/console/MatchFolding.h"

#include <gtest/gtest.h>

#include <set>

namespace vp {
namespace {

const ControlLayout& layoutOf(std::string_view name) {
    for (const ControlLayout& layout : ControlsLayout()) {
        if (layout.desc.name == name) {
            return layout;
        }
    }
    throw std::logic_error("no control " + std::string(name));
}

// The board's boxes stand 240 twips apart and are 255 high: one pixel (15 twips) of each
// overlaps the next, as laid out; more than that would hide a caption.
bool overlap(const TwipRect& a, const TwipRect& b) {
    constexpr int Shared = 15;
    return a.left < b.left + b.width && b.left < a.left + a.width &&
           a.top < b.top + b.height - Shared && b.top < a.top + a.height - Shared;
}

TEST(Catalogue, EntriesAreNumberedInRunOrder) {
    int expected = 1;
    for (const CatalogueEntry& entry : Catalogue()) {
        EXPECT_EQ(entry.number, expected++);
        EXPECT_EQ(&CatalogueEntryOf(entry.routine), &entry);
    }
    EXPECT_EQ(TargetCount(), 20);
}

TEST(Catalogue, EveryBoxLiesInsideItsPanelAndClearOfTheOthers) {
    std::vector<std::pair<std::string, TwipRect>> placed;
    for (const CatalogueEntry& entry : Catalogue()) {
        const ControlLayout& box = layoutOf("ch" + std::to_string(entry.number));
        const TwipRect& rect = box.desc.rect;
        const TwipRect& panel = layoutOf(box.parentName).desc.rect;
        EXPECT_GT(rect.width, 0) << entry.number;
        EXPECT_EQ(rect.height, 255) << entry.number;
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.left + rect.width <= panel.width &&
                    rect.top + rect.height <= panel.height)
            << "ch" << entry.number << " outside " << box.parentName;
        for (const auto& [other, otherRect] : placed) {
            EXPECT_FALSE(other == box.parentName && overlap(rect, otherRect))
                << "ch" << entry.number << " overlaps a box of " << other;
        }
        placed.emplace_back(std::string(box.parentName), rect);
    }
}

TEST(Catalogue, ConsoleNamesAreUniqueFoldedAndNameOnlyTheirTarget) {
    std::set<std::string_view> seen;
    for (const CatalogueEntry& entry : Catalogue()) {
        EXPECT_TRUE(seen.insert(entry.keyword).second) << entry.keyword;
        EXPECT_EQ(console::FoldForMatching(entry.keyword), entry.keyword);
        EXPECT_FALSE(entry.cleans.empty()) << entry.keyword;
        std::vector<int> named;
        std::string error;
        ASSERT_TRUE(console::AddTargets(std::string(entry.keyword), named, error)) << error;
        EXPECT_EQ(named, std::vector<int>{entry.number}) << entry.keyword;
    }
}

TEST(Catalogue, TheSelectorStartsOnEverythingAndItsGroupsShareOutTheTargets) {
    ASSERT_FALSE(Categories().empty());
    EXPECT_TRUE(Categories().front().everything);
    for (const CatalogueEntry& entry : Catalogue()) {
        int groups = 0;
        for (const Category& category : Categories().subspan(1)) {
            groups += category.contains(entry) ? 1 : 0;
        }
        EXPECT_EQ(groups, 1) << entry.number;
    }
}

} // namespace
} // namespace vp
