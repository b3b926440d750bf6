// Decoding UTF-8: every length of sequence, and every way a sequence can be broken, including
// one cut short by the end of a view whose next byte would complete it.
#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

std::u32string decodeAll(std::string_view text) {
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();) {
        out += utf8::decode(text, pos);
    }
    return out;
}

TEST(Utf8, DecodesSequencesOfEveryLength) {
    EXPECT_EQ(decodeAll("a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"), U"a\u00E9\u65E5\U0001F600");
    std::string back;
    for (const char32_t c : decodeAll("a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80")) {
        utf8::append(back, c);
    }
    EXPECT_EQ(back, "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80");
}

TEST(Utf8, BrokenSequencesGiveOneReplacementPerByteSkipped) {
    constexpr char32_t R = utf8::Replacement;
    EXPECT_EQ(decodeAll("\xFF"), std::u32string(1, R));
    EXPECT_EQ(decodeAll("\x80z"), (std::u32string{R, U'z'}));       // a lone continuation byte
    EXPECT_EQ(decodeAll("\xC3z"), (std::u32string{R, U'z'}));       // a lead without its tail
    EXPECT_EQ(decodeAll("\xF8\x88\x80\x80"), std::u32string(4, R)); // five-byte forms are no UTF-8
    EXPECT_EQ(decodeAll("\xE6\x97"), (std::u32string{R, R}));       // cut short by the end
}

TEST(Utf8, NeverReadsPastTheEndOfTheView) {
    // The byte after the view would complete the sequence: it must not be looked at.
    const std::string whole = "x\xC3\xA9";
    EXPECT_EQ(decodeAll(std::string_view(whole).substr(0, 2)),
              (std::u32string{U'x', utf8::Replacement}));
    const std::string four = "\xF0\x9F\x98\x80";
    EXPECT_EQ(decodeAll(std::string_view(four).substr(0, 3)), std::u32string(3, utf8::Replacement));
}

} // namespace
} // namespace vp
