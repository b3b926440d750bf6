#include "platform/NameCompare.h"
#include "platform/NarrowText.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

TEST(Windows1252Text, FrenchTextCrossesAsSingleBytes) {
    const Windows1252Text cp;
    EXPECT_EQ(cp.toNarrow("Récent.doc"), "R\xE9" "cent.doc");
    EXPECT_EQ(cp.fromNarrow("R\xE9" "cent.doc"), "Récent.doc");
    EXPECT_EQ(cp.toNarrow("€ œ"), "\x80 \x9C");
    EXPECT_EQ(cp.fromNarrow("\x80 \x9C"), "€ œ");
}

TEST(Windows1252Text, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const Windows1252Text cp;
    EXPECT_EQ(cp.toNarrow("日本.txt"), "??.txt");
    EXPECT_EQ(cp.toNarrow("\xFF"), "?") << "malformed UTF-8";
}

TEST(Utf8, LengthAndPrefixCountCharacters) {
    EXPECT_EQ(utf8::length("été"), 3u);
    EXPECT_EQ(utf8::prefix("été!", 2), "ét");
    EXPECT_EQ(utf8::prefix("ab", 5), "ab");
}

TEST(NameCompare, FoldsAsciiAndLatin1Capitals) {
    EXPECT_TRUE(namesEqual("ÉTÉ.TXT", "été.txt"));
    EXPECT_TRUE(nameLess("a.txt", "B.txt"));
    EXPECT_FALSE(nameLess("B.txt", "a.txt"));
}

} // namespace
} // namespace vp
