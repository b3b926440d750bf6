// A rules file in each encoding and line-end convention Windows editors write reads the same.
#include "rules/RuleText.h"
#include "rules/RuleDump.h"
#include "rules/RuleSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp::rules {
namespace {

// With letters outside ASCII and outside the Basic Multilingual Plane.
constexpr std::string_view Sample = "[Éditeur 日本 😀 *]\n"
                                    "LangSecRef=3024\n"
                                    "FileKey1=%AppData%\\Éditeur\\キャッシュ|*.tmp;😀.log|RECURSE\n"
                                    "\n"
                                    "[Second *]\n"
                                    "Section=Jeux\n"
                                    "RegKey1=HKCU\\Software\\Récents|Dernier\n";

std::string withLineEnds(std::string_view text, std::string_view end) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += end;
        } else {
            out += c;
        }
    }
    return out;
}

std::string utf16(std::string_view utf8, bool littleEndian) {
    std::u16string units;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t i = 1; i < length; ++i) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[pos + i]) & 0x3F);
        }
        pos += length;
        if (cp >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(cp);
        }
    }
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : units) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        out += littleEndian ? low : high;
        out += littleEndian ? high : low;
    }
    return out;
}

std::string summary(const RuleSet& set) {
    std::string out;
    for (const Entry& entry : set.entries()) {
        out += std::string(entry.name) + " @" + std::to_string(entry.line) + " " +
               std::string(entry.category.name) + "\n";
        for (const FileKey& key : entry.fileKeys) {
            out += "  " + test::dump(key) + "\n";
        }
        for (const RegKey& key : entry.regKeys) {
            out += "  " + test::dump(key) + "\n";
        }
    }
    return out;
}

TEST(RuleText, EveryEncodingAndLineEndReadsTheSameEntries) {
    const std::string expected = summary(parseRules(std::string(Sample), "a.ini"));
    ASSERT_EQ(expected, "Éditeur 日本 😀 * @1 Utilitaires\n"
                        "  {AppData}\\Éditeur\\キャッシュ|*.tmp;😀.log|RECURSE\n"
                        "Second * @5 Jeux\n"
                        "  HKCU\\Software\\Récents|Dernier\n");
    struct Form {
        std::string name;
        std::string bytes;
        TextEncoding encoding;
    };
    const std::string crlf = withLineEnds(Sample, "\r\n");
    const std::vector<Form> forms = {
        {"UTF-8, LF", std::string(Sample), TextEncoding::Utf8},
        {"UTF-8, CR LF", crlf, TextEncoding::Utf8},
        {"UTF-8, CR", withLineEnds(Sample, "\r"), TextEncoding::Utf8},
        {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBF" + crlf, TextEncoding::Utf8WithBom},
        {"UTF-16 LE with BOM, CR LF", utf16(crlf, true), TextEncoding::Utf16LE},
        {"UTF-16 LE with BOM, LF", utf16(Sample, true), TextEncoding::Utf16LE},
        {"UTF-16 BE with BOM, CR LF", utf16(crlf, false), TextEncoding::Utf16BE},
    };
    for (const Form& form : forms) {
        const RuleSet set = parseRules(form.bytes, "a.ini");
        EXPECT_EQ(summary(set), expected) << form.name;
        EXPECT_EQ(set.encoding(), form.encoding) << form.name;
        EXPECT_EQ(test::dumpDiagnostics(set), "") << form.name;
        EXPECT_EQ(set.lineCount(), 7u) << form.name;
    }
}

TEST(RuleText, BytesThatAreNotUtf8AreReadAsWindows1252AndReported) {
    const RuleSet set =
        parseRules("[Caf\xE9 *]\nSection=R\xE9sum\xE9 \x80\nRegKey1=HKCU\\S\n", "a.ini");
    EXPECT_EQ(set.encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(test::dumpDiagnostics(set), "1 noted invalid-utf8\n");
    ASSERT_EQ(set.entries().size(), 1u);
    EXPECT_EQ(set.entries()[0].name, "Café *");
    EXPECT_EQ(set.entries()[0].category.name, "Résumé €");
    // A byte-order mark does not make bad bytes good; its own bytes are not text.
    const RuleSet marked = parseRules("\xEF\xBB\xBF[A]\nSection=\xE9\nRegKey1=HKCU\\S\n", "a.ini");
    EXPECT_EQ(marked.encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(test::problemCodes(marked), "invalid-utf8");
    EXPECT_EQ(marked.diagnostics()[0].line, 2u);
    EXPECT_EQ(marked.entries()[0].name, "A");
}

TEST(RuleText, Utf8ValidityIsStrict) {
    EXPECT_TRUE(isValidUtf8("plain, é, 日本, 😀"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));     // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE6\x97"));         // cut short
    EXPECT_FALSE(isValidUtf8("\x80"));
}

TEST(RuleText, BrokenUtf16IsReadAsFarAsItGoesAndReported) {
    // A lone high surrogate on line 3 and an odd trailing byte.
    std::string bytes = utf16("[Half *]\nRegKey1=HKCU\\S\nSection=", true);
    bytes += std::string("\x00\xD8", 2);
    bytes += utf16("x\n", true).substr(2);
    bytes += 'A';
    const RuleSet set = parseRules(bytes, "a.ini");
    EXPECT_EQ(test::dumpDiagnostics(set), "3 noted utf16-lone-surrogate\n"
                                          "0 noted utf16-odd-length\n");
    ASSERT_EQ(set.entries().size(), 1u);
    EXPECT_EQ(set.entries()[0].category.name, "\xEF\xBF\xBDx");
}

TEST(RuleText, LinesEndAtCrLfLfOrCrAndAreNumberedFromOne) {
    LineReader reader("a\r\nb\nc\rd\r\r\ne");
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line)) {
        lines.push_back(std::to_string(reader.number()) + ":" + std::string(line));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"1:a", "2:b", "3:c", "4:d", "5:", "6:e"}));
    LineReader empty("");
    EXPECT_FALSE(empty.next(line));
    LineReader endsWithNewline("x\n");
    ASSERT_TRUE(endsWithNewline.next(line));
    EXPECT_FALSE(endsWithNewline.next(line));
}

TEST(RuleText, AByteOrderMarkInsideTheFileIsABlank) {
    // Two files pasted together keep the second one's mark at the start of a line.
    const RuleSet set = parseRules(
        "[A *]\nSection=X\nRegKey1=HKCU\\S\n\xEF\xBB\xBF[B *]\nSection=Y\nRegKey1=HKCU\\S\n",
        "a.ini");
    EXPECT_EQ(test::dumpDiagnostics(set), "");
    ASSERT_EQ(set.entries().size(), 2u);
    EXPECT_EQ(set.entries()[1].name, "B *");
}

TEST(RuleText, ValidUtf8IsKeptWithoutACopy) {
    std::string bytes = "\xEF\xBB\xBF[A *]\nSection=" + std::string(100, 'x') + "\n";
    const char* data = bytes.data();
    const DecodedText decoded = decodeRulesText(std::move(bytes));
    EXPECT_EQ(decoded.storage.data(), data);
    EXPECT_EQ(decoded.start, 3u);
    EXPECT_TRUE(decoded.text().starts_with("[A *]"));
}

} // namespace
} // namespace vp::rules
