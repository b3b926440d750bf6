#include "platform/sim/SimRegistryFile.h"
#include "platform/sim/SimRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace vp::sim {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view RunMru = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)";

// What regedit would export, by hand: CR LF line ends, escapes, every data form.
constexpr std::string_view Exported =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; the Run dialog's history\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]\r\n"
    "\"a\"=\"notepad\\\\1\"\r\n"
    "\"b\"=\"cmd \\\"quoted\\\"\\\\1\"\r\n"
    "\"MRUList\"=\"ba\"\r\n"
    "@=\"Récent.doc\"\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\"Bin\"=hex:01,02,\\\r\n"
    "  03,ff\r\n"
    "\"Path\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,e9,00,00,00\r\n"
    "\"List\"=hex(7):75,00,6e,00,00,00,64,00,65,00,75,00,78,00,00,00,00,00\r\n"
    "\"None\"=hex(0):\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Gone\\Below]\r\n"
    "\"x\"=\"y\"\r\n"
    "[-HKEY_CURRENT_USER\\Software\\Gone]\r\n"
    "[hkey_current_user\\Software\\Kept\\]\r\n"
    "\"x\"=\"y\"\r\n"
    "\"x\"=-\r\n";

std::string asUtf16WithBom(std::string_view utf8) {
    std::string out = "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        char32_t cp = static_cast<unsigned char>(utf8[i]);
        if (cp == 0xC3) { // the only non-ASCII letter used here is é (C3 A9)
            cp = 0xC0 | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
        }
        out += static_cast<char>(cp);
        out += '\0';
    }
    return out;
}

TEST(SimRegistryFile, LoadsEveryFormOfDataThatRegeditWrites) {
    SimRegistry registry;
    registry.loadRegText(Exported);

    EXPECT_EQ(registry.valueNames(RunMru),
              (std::vector<std::string>{"a", "b", "MRUList", "", "Count", "Bin", "Path", "List",
                                        "None"}));
    EXPECT_EQ(registry.stringValue(RunMru, "a"), R"(notepad\1)");
    EXPECT_EQ(registry.stringValue(RunMru, "b"), R"(cmd "quoted"\1)");
    EXPECT_EQ(registry.rawValue(RunMru, ""), "R\xE9"
                                             "cent.doc\0"sv)
        << "stored in Windows-1252";
    EXPECT_EQ(registry.rawValue(RunMru, "Count"), "\x2a\0\0\0"sv);
    EXPECT_EQ(registry.rawValue(RunMru, "Bin"), "\x01\x02\x03\xff"sv);
    EXPECT_EQ(registry.rawValue(RunMru, "Path"), "%TEMP%\xE9\0"sv);
    EXPECT_EQ(registry.valueType(RunMru, "Path"), REG_EXPAND_SZ);
    EXPECT_EQ(registry.rawValue(RunMru, "List"), "un\0deux\0\0"sv);
    EXPECT_EQ(registry.rawValue(RunMru, "None"), ""sv);
    EXPECT_EQ(registry.valueType(RunMru, "None"), REG_NONE);
    EXPECT_FALSE(registry.hasKey(R"(Software\Gone)"));
    EXPECT_TRUE(registry.hasKey(R"(Software\Kept)"));
    EXPECT_TRUE(registry.valueNames(R"(Software\Kept)").empty());
}

TEST(SimRegistryFile, UnicodeFilesAndOlderFilesLoadToo) {
    SimRegistry fromUtf8;
    SimRegistry fromUtf16;
    fromUtf8.loadRegText(Exported);
    fromUtf16.loadRegText(asUtf16WithBom(Exported));
    EXPECT_EQ(fromUtf16.exportRegText(), fromUtf8.exportRegText());

    // Before version 5 the text data in hex was already in the narrow code page.
    SimRegistry older;
    older.loadRegText("REGEDIT4\n\n[HKEY_CURRENT_USER\\Old]\n\"p\"=hex(2):25,54,25,e9,00\n");
    EXPECT_EQ(older.rawValue("Old", "p"), "%T%\xE9\0"sv);
}

TEST(SimRegistryFile, AnExportedHiveLoadsBackTheSame) {
    SimRegistry original;
    original.loadRegText(Exported);
    original.setRaw(RunMru, "bare", StringValueType, "no terminator")
        .setString(RunMru, "line", "two\nlines")
        .setDword("", "atTheRoot", 7)
        .setBinary(R"(Software\Bin)", "b", {0, 1, 0xFE});

    SimRegistry copy;
    copy.loadRegText(original.exportRegText());
    EXPECT_EQ(copy.exportRegText(), original.exportRegText());
    EXPECT_EQ(copy.rawValue(RunMru, "bare"), "no terminator");
    EXPECT_EQ(copy.stringValue(RunMru, "line"), "two\nlines");
}

struct Malformed {
    std::string_view text;
    int line;
};

TEST(SimRegistryFile, AMalformedTextNamesItsLineAndLoadsNothing) {
    // The first lines are good, so a loader that applies as it reads would leave a trace.
    const std::string good = "Windows Registry Editor Version 5.00\n"
                             "[HKEY_CURRENT_USER\\Software\\Before]\n"
                             "\"v\"=\"1\"\n";
    const Malformed cases[] = {
        {"[HKEY_LOCAL_MACHINE\\Software]", 4},
        {"[HKEY_CURRENT_USER\\Software", 4},
        {"\"a\"=\"C:\\Temp\"", 4},
        {"\"a\"=dword:123456789", 4},
        {"\"a\"=hex:01,zz", 4},
        {"\"a\"=hex:01,\\", 4},
        {"\"ok\"=hex:01,\\\n  02\n\n\"a\"=", 7},
        {"[-HKEY_CURRENT_USER\\Software\\Before]\n\"a\"=\"under a removed key\"", 5},
    };
    for (const Malformed& bad : cases) {
        SimRegistry registry;
        registry.setString(R"(Software\Existing)", "keep", "me");
        const std::string before = registry.exportRegText();
        try {
            registry.loadRegText(good + std::string(bad.text) + "\n");
            ADD_FAILURE() << "loaded: " << bad.text;
        } catch (const RegFileError& error) {
            EXPECT_EQ(error.line(), bad.line) << bad.text << "\n" << error.what();
            EXPECT_NE(std::string(error.what()).find("line " + std::to_string(bad.line)),
                      std::string::npos)
                << error.what();
        }
        EXPECT_EQ(registry.exportRegText(), before) << bad.text;
    }

    SimRegistry registry;
    for (const std::string_view header : {""sv, "REGEDIT5\n"sv}) {
        EXPECT_THROW(registry.loadRegText(header), RegFileError) << header;
    }
    const std::string utf16 = asUtf16WithBom("Windows Registry Editor Version 5.00\n\n");
    EXPECT_THROW(registry.loadRegText(utf16 + "x"), RegFileError) << "half a UTF-16 character";
    EXPECT_EQ(registry.subkeyNames(""), std::vector<std::string>{});
}

} // namespace
} // namespace vp::sim
