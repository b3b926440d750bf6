#include "support/FormFixture.h"

#include "app/Layout.h"

#include <set>

namespace vp::test {
namespace {

class SelectionCommandTest : public FormFixture {
protected:
    void SetUp() override { startProgram(); }

    std::set<int> checked() const {
        std::set<int> out;
        for (int n = 1; n <= TargetCount(); ++n) {
            if (form->ch(n).value() == 1) {
                out.insert(n);
            }
        }
        return out;
    }
    void choose(std::string_view category) { form->control("cboCategory").setCaption(category); }
};

std::set<int> range(int first, int last) {
    std::set<int> out;
    for (int n = first; n <= last; ++n) {
        out.insert(n);
    }
    return out;
}

TEST_F(SelectionCommandTest, TheDefaultCategoryChecksAllTwentyBoardIncluded) {
    EXPECT_EQ(form->control("cboCategory").caption(), "Complet");
    checkOnly({});
    form->ch(3).setValue(2); // a grayed box is checked too
    window().click("Command4");
    EXPECT_EQ(checked(), range(1, 20));
}

TEST_F(SelectionCommandTest, EachCategoryChecksItsGroupAndUnchecksNothing) {
    // A group's neighbours stay as they were, checked or not: each group runs once with its
    // lower neighbour checked and once with the upper one, so a group one box too wide on
    // either side shows.
    const struct {
        std::string_view name;
        std::set<int> group;
        int checkedOutside;
    } cases[] = {{"Internet", range(1, 4), 6},
                 {"Windows", range(5, 10), 4},
                 {"Windows", range(5, 10), 11},
                 {"Logiciels", range(11, 20), 10},
                 {"Logiciels", range(11, 20), 1}};
    for (const auto& category : cases) {
        checkOnly({category.checkedOutside});
        choose(category.name);
        window().click("Command4");
        std::set<int> expected = category.group;
        expected.insert(category.checkedOutside);
        EXPECT_EQ(checked(), expected) << category.name;
    }
}

TEST_F(SelectionCommandTest, ANameThatIsNotExactlyACategoryChangesNoBox) {
    for (const std::string_view text : {"complet", "Complet ", "", "Internet, Windows"}) {
        checkOnly({2, 9});
        choose(text);
        window().click("Command4");
        EXPECT_EQ(checked(), (std::set<int>{2, 9})) << '"' << text << '"';
    }
}

} // namespace
} // namespace vp::test
