// Choosing entries by name and category: wildcards, letter case and accents, and the entries
// with a warning that only an exact name may run.
#include "rules/EntrySelection.h"
#include "rules/RuleSet.h"
#include "rules/SearchFold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp::rules {
namespace {

constexpr std::string_view Rules = R"([Tailspin Cache *]
LangSecRef=3022
FileKey1=%LocalAppData%\Tailspin\Cache|*|RECURSE
[Tailspin Cookies *]
LangSecRef=3022
Warning=Vous serez déconnecté.
FileKey1=%LocalAppData%\Tailspin|Cookies
[Éditeur Été *]
LangSecRef=3023
FileKey1=%AppData%\Editeur|*.tmp
[Jeu de Dames *]
Section=Jeux
FileKey1=%AppData%\Dames|*.sav
[Refused *]
LangSecRef=3022
DetectOS=9|8
FileKey1=%AppData%\Refused|*
[Sans catégorie *]
FileKey1=%AppData%\Sans|*
[Star* *]
Section=Jeux
Warning=Un nom qui est aussi un motif.
FileKey1=%AppData%\Star|*
)";

class EntrySelectionTest : public ::testing::Test {
protected:
    RuleSet set = parseRules(std::string(Rules), "a.ini");

    static std::vector<std::string> names(const std::vector<const Entry*>& entries) {
        std::vector<std::string> out;
        for (const Entry* entry : entries) {
            out.emplace_back(displayName(*entry));
        }
        return out;
    }

    Selection select(std::vector<std::string> patterns, std::vector<std::string> categories = {}) {
        return selectEntries(set.entries(),
                             SelectionRequest{std::move(patterns), std::move(categories)});
    }

    using Names = std::vector<std::string>;
};

TEST_F(EntrySelectionTest, NamesMatchWithWildcardsWithoutRegardToCaseOrAccents) {
    EXPECT_EQ(names(select({"tailspin cache"}).entries), Names{"Tailspin Cache"});
    EXPECT_EQ(names(select({"TAILSPIN CACHE *"}).entries), Names{"Tailspin Cache"});
    EXPECT_EQ(names(select({"editeur ete"}).entries), Names{"Éditeur Été"});
    EXPECT_EQ(names(select({"ÉDITEUR*"}).entries), Names{"Éditeur Été"});
    EXPECT_EQ(names(select({"*dames"}).entries), Names{"Jeu de Dames"});
    EXPECT_EQ(names(select({"jeu de dame?"}).entries), Names{"Jeu de Dames"});
    EXPECT_EQ(names(select({"Tailspin"}).entries), Names{});
    // Each entry once, in the file's order, whatever the order of the patterns.
    EXPECT_EQ(names(select({"*dames", "*", "tailspin*"}).entries),
              (Names{"Tailspin Cache", "Éditeur Été", "Jeu de Dames", "Sans catégorie"}));
}

TEST_F(EntrySelectionTest, AnEntryWithAWarningRunsOnlyWhenNamedExactly) {
    const Selection wild = select({"Tailspin*"});
    EXPECT_EQ(names(wild.entries), Names{"Tailspin Cache"});
    EXPECT_EQ(names(wild.needExactName), Names{"Tailspin Cookies"});

    const Selection byCategory = select({}, {"internet"});
    EXPECT_EQ(names(byCategory.entries), Names{"Tailspin Cache"});
    EXPECT_EQ(names(byCategory.needExactName), Names{"Tailspin Cookies"});

    const Selection exact = select({"tailspin cookies"});
    EXPECT_EQ(names(exact.entries), Names{"Tailspin Cookies"});
    EXPECT_TRUE(exact.needExactName.empty());

    // A pattern is no exact name, even when the entry's name holds the same wildcard.
    EXPECT_EQ(names(select({"star*"}).needExactName), Names{"Star*"});
    EXPECT_EQ(names(select({"star* *"}).entries), Names{"Star*"});

    // Named exactly by one pattern, it is taken even when a wildcard also matches it.
    const Selection both = select({"Tailspin*", "Tailspin Cookies *"});
    EXPECT_EQ(names(both.entries), (Names{"Tailspin Cache", "Tailspin Cookies"}));
}

TEST_F(EntrySelectionTest, CategoriesMatchByNumberFrenchNameEnglishNameOrSection) {
    EXPECT_EQ(names(select({}, {"3023"}).entries), Names{"Éditeur Été"});
    EXPECT_EQ(names(select({}, {"multimedia"}).entries), Names{"Éditeur Été"});
    EXPECT_EQ(names(select({}, {"Multimédia"}).entries), Names{"Éditeur Été"});
    EXPECT_EQ(names(select({}, {"MULTIMEDIA"}).entries), Names{"Éditeur Été"});
    EXPECT_EQ(names(select({}, {"jeux"}).entries), Names{"Jeu de Dames"});
    EXPECT_EQ(names(select({}, {"jeux"}).needExactName), Names{"Star*"});
    EXPECT_EQ(names(select({}, {"multi*"}).entries), Names{"Éditeur Été"});
    EXPECT_EQ(names(select({}, {"3021"}).entries), Names{});
    // An entry without a category is never taken by one, not even by "*".
    EXPECT_EQ(names(select({}, {"*"}).entries),
              (Names{"Tailspin Cache", "Éditeur Été", "Jeu de Dames"}));
}

TEST_F(EntrySelectionTest, RefusedEntriesAndUnmatchedRequestsAreReported) {
    const Selection selection = select({"Refused", "Nobody*", "*Cache"}, {"3022", "Sport"});
    EXPECT_EQ(names(selection.entries), Names{"Tailspin Cache"});
    EXPECT_EQ(names(selection.refused), Names{"Refused"});
    EXPECT_EQ(names(selection.needExactName), Names{"Tailspin Cookies"});
    EXPECT_EQ(selection.unmatchedNames, Names{"Nobody*"});
    EXPECT_EQ(selection.unmatchedCategories, Names{"Sport"});
}

TEST(SearchFold, LetterCaseAndWesternAccentsAreSetAside) {
    EXPECT_EQ(foldForSearch("Multimédia"), "multimedia");
    EXPECT_EQ(foldForSearch("À LA FRANÇAISE"), "a la francaise");
    EXPECT_EQ(foldForSearch("Pièce Noël Où Âme Ñandú"), "piece noel ou ame nandu");
    EXPECT_EQ(foldForSearch("Œuvre Ærø ÿ Ý"), "oeuvre aero y y");
    EXPECT_EQ(foldForSearch("日本 😀 ß"), "日本 😀 ß");
}

} // namespace
} // namespace vp::rules
