// The tables the reader relies on: categories and what each SpecialDetect value looks for.
#include "rules/Categories.h"
#include "rules/RuleFields.h"
#include "rules/SpecialDetects.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vp::rules {
namespace {

TEST(RuleTables, CategoriesLieBetween3001And3044InOrderWithDistinctNames) {
    std::set<std::string> french;
    std::uint16_t previous = 0;
    for (const CategoryInfo& category : knownCategories()) {
        EXPECT_GE(category.number, FirstCategoryNumber);
        EXPECT_LE(category.number, LastCategoryNumber);
        EXPECT_GT(category.number, previous);
        previous = category.number;
        EXPECT_TRUE(french.insert(std::string(category.french)).second) << category.french;
        EXPECT_EQ(findCategory(category.number), &category);
    }
    EXPECT_EQ(findCategory(3041), nullptr);
    EXPECT_EQ(findCategory(3002), nullptr);
    EXPECT_EQ(findCategory(3021)->french, "Applications");
    EXPECT_EQ(findCategory(3025)->french, "Windows");
}

TEST(RuleTables, EverySpecialDetectIsSpelledOutInReadableRules) {
    for (const SpecialDetectInfo& info : knownSpecialDetects()) {
        EXPECT_EQ(findSpecialDetect(info.code), &info);
        EXPECT_EQ(findSpecialDetect(info.detection), &info);
        EXPECT_TRUE(info.always || !info.detects.empty() || !info.detectFiles.empty()) << info.code;
        RuleArena arena(256);
        for (const std::string_view key : info.detects) {
            DetectKey parsed;
            FieldIssues issues;
            EXPECT_TRUE(parseDetect(key, arena, parsed, issues)) << info.code << ": " << key;
            EXPECT_TRUE(issues.notes.empty()) << key;
        }
        for (const std::string_view path : info.detectFiles) {
            DetectFileKey parsed;
            FieldIssues issues;
            EXPECT_TRUE(parseDetectFile(path, arena, parsed, issues)) << info.code << ": " << path;
            EXPECT_EQ(parsed.path.root.kind, RootKind::Folder) << path;
        }
    }
    EXPECT_EQ(findSpecialDetect("det_mozilla")->detection, SpecialDetection::Firefox);
    EXPECT_EQ(findSpecialDetect("DET_TOASTER"), nullptr);
}

} // namespace
} // namespace vp::rules
