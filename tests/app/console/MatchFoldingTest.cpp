#include "app/console/MatchFolding.h"

#include <gtest/gtest.h>

namespace vp::console {
namespace {

TEST(MatchFolding, FoldsCaseAndAccentsOfFrenchAndKeepsTheRest) {
    EXPECT_EQ(FoldForMatching("--APERÇU"), "--apercu");
    EXPECT_EQ(FoldForMatching("Récents"), "recents");
    EXPECT_EQ(FoldForMatching("ÉÈÊËÀÂÎÏÔÙÛÜŸŒÆ"), "eeeeaaiiouuuyoeae");
    EXPECT_EQ(FoldForMatching("àâäéèêëîïôöùûüçœæ"), "aaaeeeeiioouuucoeae");
    EXPECT_EQ(FoldForMatching("×÷ 日本 ß"), "×÷ 日本 ss");
}

} // namespace
} // namespace vp::console
