#include "platform/NarrowText.h"
#include "platform/NameCompare.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

TEST(Windows1252Text, FrenchTextCrossesAsSingleBytes) {
    const Windows1252Text cp;
    EXPECT_EQ(cp.toNarrow("Récent.doc"), "R\xE9"
                                         "cent.doc");
    EXPECT_EQ(cp.fromNarrow("R\xE9"
                            "cent.doc"),
              "Récent.doc");
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

TEST(Utf8, SixteenBitNamesCrossToEightBitsAndBackUnchanged) {
    const std::u16string names[] = {
        u"plain.txt",
        u"Zo\u00EB-\u65E5\u672C.txt",
        u"pile-\U0001F600.txt",
        std::u16string(u"lone-") + char16_t(0xD800) + u".txt",  // a high surrogate alone
        std::u16string(u"lone-") + char16_t(0xDC01),            // a low one, at the end
        std::u16string(1, char16_t(0xDBFF)) + char16_t(0xD800), // two highs
    };
    for (const std::u16string& name : names) {
        const std::string text = utf8::fromUtf16(name);
        EXPECT_EQ(utf8::toUtf16(text), name) << text;
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << "no U+FFFD in " << text;
    }
    EXPECT_EQ(utf8::fromUtf16(u"Zo\u00EB\U0001F600"), "Zo\xC3\xAB\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8::fromUtf16(std::u16string(1, char16_t(0xD800))), "\xED\xA0\x80");
    EXPECT_EQ(utf8::toUtf16("a\xFFz"), u"a\uFFFDz") << "bytes that are no UTF-8";
}

TEST(NameCompare, FoldsAsciiAndLatin1Capitals) {
    EXPECT_TRUE(namesEqual("ÉTÉ.TXT", "été.txt"));
    EXPECT_TRUE(nameLess("a.txt", "B.txt"));
    EXPECT_FALSE(nameLess("B.txt", "a.txt"));
}

} // namespace
} // namespace vp
