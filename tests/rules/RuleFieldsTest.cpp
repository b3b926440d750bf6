// Every form of every key's value, read alone: the accepted ones with what they mean, the
// malformed ones with the reason given.
#include "rules/RuleFields.h"
#include "rules/RuleDump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp::rules {
namespace {

using test::dump;

struct Case {
    std::string_view input;
    std::string_view expected; // the value read, or "!problem-code"; notes as " +code"
};

template <class Key, class Parse, class Show>
void expectTable(const std::vector<Case>& cases, Parse parse, Show show) {
    for (const Case& c : cases) {
        RuleArena arena(256);
        Key key{};
        FieldIssues issues;
        const bool ok = parse(c.input, arena, key, issues);
        EXPECT_EQ(dump(ok, ok ? show(key) : std::string(), issues), c.expected)
            << "input: " << c.input;
    }
}

TEST(RuleFields, PathsStartWithAFolderVariableAnEnvironmentVariableOrADrive) {
    expectTable<PathSpec>(
        {
            {R"(%AppData%\Contoso\Viewer)", R"({AppData}\Contoso\Viewer)"},
            {R"(%LocalAppData%\Contoso)", R"({LocalAppData}\Contoso)"},
            {R"(%LocalLowAppData%\Contoso)", R"({LocalLowAppData}\Contoso)"},
            {R"(%CommonAppData%\Contoso)", R"({CommonAppData}\Contoso)"},
            {R"(%ProgramData%\Contoso)", R"({ProgramData}\Contoso)"},
            {R"(%ProgramFiles%\Contoso)", R"({ProgramFiles}\Contoso)"},
            {R"(%CommonProgramFiles%\Contoso)", R"({CommonProgramFiles}\Contoso)"},
            {R"(%Documents%\Contoso)", R"({Documents}\Contoso)"},
            {R"(%Music%\Contoso)", R"({Music}\Contoso)"},
            {R"(%Pictures%\Contoso)", R"({Pictures}\Contoso)"},
            {R"(%Video%\Contoso)", R"({Video}\Contoso)"},
            {R"(%Desktop%\Contoso)", R"({Desktop}\Contoso)"},
            {R"(%Public%\Contoso)", R"({Public}\Contoso)"},
            {R"(%SystemDrive%\Contoso)", R"({SystemDrive}\Contoso)"},
            {R"(%UserProfile%\Contoso)", R"({UserProfile}\Contoso)"},
            {R"(%WinDir%\Temp)", R"({WinDir}\Temp)"},
            {R"(%SystemRoot%\Temp)", R"({SystemRoot}\Temp)"},
            // Variable names compare without regard to case; anything else is the environment's.
            {R"(%APPDATA%\x)", R"({AppData}\x)"},
            {R"(%localappdata%\x)", R"({LocalAppData}\x)"},
            {R"(%Temp%\Contoso)", R"(${Temp}\Contoso)"},
            {R"(%ProgramFiles(x86)%\Contoso)", R"(${ProgramFiles(x86)}\Contoso)"},
            {R"(%Videos%\x)", R"(${Videos}\x)"},
            {"%AppData%", "{AppData}"},
            {R"(C:\Contoso)", R"(C:\Contoso)"},
            {"d:", "d:"},
            {R"(D:\)", "D:"},
        },
        parsePath, [](const PathSpec& p) { return dump(p); });
}

TEST(RuleFields, PathsAreSettledIntoSingleBackslashesWithoutDotsOrBlanks) {
    expectTable<PathSpec>(
        {
            {R"(%AppData%\Contoso\)", R"({AppData}\Contoso)"},
            {R"(%AppData%\\Contoso\\\Viewer)", R"({AppData}\Contoso\Viewer)"},
            {"%AppData%/Contoso/Viewer/", R"({AppData}\Contoso\Viewer)"},
            {R"(%AppData%\.\Contoso\.)", R"({AppData}\Contoso)"},
            {"  %AppData%\\Contoso\t", R"({AppData}\Contoso)"},
            {R"(%AppData%\User Data\*\Cache)", R"({AppData}\User Data\*\Cache)"},
            {R"(%AppData%\Chrome*\Profile ?)", R"({AppData}\Chrome*\Profile ?)"},
            {R"(%AppData%\100%)", R"({AppData}\100%)"},
            {R"(%AppData%\日本\Été)", R"({AppData}\日本\Été)"},
        },
        parsePath, [](const PathSpec& p) { return dump(p); });
}

TEST(RuleFields, MalformedPathsAreRefusedWithTheirReason) {
    expectTable<PathSpec>(
        {
            {"", "!no-root"},
            {R"(Contoso\Viewer)", "!no-root"},
            {R"(\Contoso)", "!no-root"},
            {R"(\\server\share\Contoso)", "!network-path"},
            {R"(\\?\C:\Contoso)", "!network-path"},
            {"C:Contoso", "!drive-relative"},
            {"1:\\x", "!no-root"},
            {R"(%AppData\Contoso)", "!bad-variable"},
            {R"(%%\Contoso)", "!bad-variable"},
            {R"(%AppData%Contoso)", "!bad-variable"},
            {R"(%App\Data%\x)", "!bad-variable"},
            {R"(%AppData%\..\Contoso)", "!parent-segment"},
            {R"(%AppData%\a\...)", "!parent-segment"},
            {R"(%AppData%\a\. .)", "!bad-character"},
            {R"(%AppData%\a\   \b)", "!bad-character"},
            {R"(%AppData%\a<b)", "!bad-character"},
            {R"(%AppData%\a"b)", "!bad-character"},
            {R"(%AppData%\a:b)", "!bad-character"},
            {"%AppData%\\a\x01"
             "b",
             "!bad-character"},
            {R"(%AppData%\%Temp%\x)", "!variable-inside"},
        },
        parsePath, [](const PathSpec& p) { return dump(p); });
}

TEST(RuleFields, RegistryKeysNameTheirHiveShortOrLong) {
    expectTable<RegistryPath>(
        {
            {R"(HKCU\Software\Contoso)", R"(HKCU\Software\Contoso)"},
            {R"(HKEY_CURRENT_USER\Software\Contoso)", R"(HKCU\Software\Contoso)"},
            {R"(HKLM\Software\Contoso)", R"(HKLM\Software\Contoso)"},
            {R"(HKEY_LOCAL_MACHINE\Software\Contoso)", R"(HKLM\Software\Contoso)"},
            {R"(HKU\.DEFAULT\Software)", R"(HKU\.DEFAULT\Software)"},
            {R"(HKEY_USERS\S-1-5-18)", R"(HKU\S-1-5-18)"},
            {R"(HKCR\.contoso)", R"(HKCR\.contoso)"},
            {R"(HKEY_CLASSES_ROOT\.contoso)", R"(HKCR\.contoso)"},
            {R"(HKCC\Software)", R"(HKCC\Software)"},
            {R"(HKEY_CURRENT_CONFIG\Software)", R"(HKCC\Software)"},
            {R"(hkcu\software\contoso)", R"(HKCU\software\contoso)"},
            {"HKCU", "HKCU"},
            {R"(HKCU\)", "HKCU"},
            {R"(HKCU\Software\\Contoso\)", R"(HKCU\Software\Contoso)"},
            // A key name may hold a slash and a wildcard character: they are names, not patterns.
            {R"(HKCU\Software\a/b*)", R"(HKCU\Software\a/b*)"},
            {R"(HKCX\Software)", "!unknown-hive"},
            {R"(\Software)", "!unknown-hive"},
            {"", "!unknown-hive"},
            {"HKCU\\Soft\x01ware", "!bad-character"},
        },
        parseRegistryPath, [](const RegistryPath& k) { return dump(k); });
}

TEST(RuleFields, PatternListsKeepEveryNameAndRefuseFolders) {
    expectTable<PatternList>(
        {
            {"*.log", "*.log"},
            {"*.log;*.tmp;index.dat", "*.log;*.tmp;index.dat"},
            {" *.log ; *.tmp ", "*.log;*.tmp"},
            {"*.log;;*.tmp;", "*.log;*.tmp +empty-pattern"},
            {"~$*.doc?", "~$*.doc?"},
            {"", "!no-pattern"},
            {";; ;", "!no-pattern"},
            {R"(sub\file.txt)", "!bad-pattern"},
            {"sub/file.txt", "!bad-pattern"},
            {"..", "!bad-pattern"},
            {"a<b", "!bad-pattern"},
        },
        parsePatterns, [](const PatternList& l) { return std::string(l.text()); });
}

TEST(RuleFields, StarAndStarDotStarBothNameEveryFile) {
    RuleArena arena(64);
    PatternList list;
    FieldIssues issues;
    ASSERT_TRUE(parsePatterns("*.log;*;a?c;*.*", arena, list, issues));
    std::vector<std::string> seen;
    for (const Pattern p : list) {
        seen.push_back(std::string(p.text) + (p.wildcard ? " wild" : "") +
                       (p.everything ? " all" : ""));
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{"*.log wild", "* wild all", "a?c wild", "*.* wild all"}));
    EXPECT_TRUE(list.matchesEverything());
    ASSERT_TRUE(parsePatterns("*.log;x", arena, list, issues));
    EXPECT_FALSE(list.matchesEverything());
}

TEST(RuleFields, FileKeysHoldAPathPatternsAndAnOptionalFlag) {
    expectTable<FileKey>(
        {
            {R"(%AppData%\Contoso|*.log)", R"({AppData}\Contoso|*.log)"},
            {R"(%AppData%\Contoso|*.log;*.tmp|RECURSE)",
             R"({AppData}\Contoso|*.log;*.tmp|RECURSE)"},
            {R"(%AppData%\Contoso|*|REMOVESELF)", R"({AppData}\Contoso|*|REMOVESELF)"},
            {R"(%AppData%\Contoso|*| recurse )", R"({AppData}\Contoso|*|RECURSE)"},
            {R"(%AppData%\Contoso\|*.*)", R"({AppData}\Contoso|*.*)"},
            {R"(%SystemDrive%|Contoso*.txt)", R"({SystemDrive}|Contoso*.txt)"},
            {R"(%AppData%\Contoso)", "!missing-separator"},
            {R"(%AppData%\Contoso|*|RECURSIVE)", "!unknown-flag"},
            {R"(%AppData%\Contoso|*|)", "!unknown-flag"},
            {R"(%AppData%\Contoso|*|RECURSE|REMOVESELF)", "!too-many-fields"},
            {R"(%AppData%\Contoso|)", "!no-pattern"},
            {R"(|*.log)", "!no-root"},
            {R"(Contoso|*.log)", "!no-root"},
            {R"(%AppData%\..|*)", "!parent-segment"},
            {R"(%AppData%\Contoso|..\*.log)", "!bad-pattern"},
        },
        parseFileKey, [](const FileKey& k) { return dump(k); });
}

TEST(RuleFields, RegKeysNameAKeyOrOneValue) {
    expectTable<RegKey>(
        {
            {R"(HKCU\Software\Contoso\Recent)", R"(HKCU\Software\Contoso\Recent)"},
            {R"(HKCU\Software\Contoso|LastFolder)", R"(HKCU\Software\Contoso|LastFolder)"},
            // A value name may hold a bar; everything after the first one is the name.
            {R"(HKCU\Software\Contoso|a|b)", R"(HKCU\Software\Contoso|a|b)"},
            {R"(HKCU\Software\Contoso|with blank)", R"(HKCU\Software\Contoso|with blank)"},
            {R"(HKCU|Value)", R"(HKCU|Value)"},
            {"HKCU", "!whole-hive"},
            {R"(HKLM\)", "!whole-hive"},
            {R"(HKCU\Software\Contoso|)", "!empty-value-name"},
            {R"(HKQQ\Software)", "!unknown-hive"},
            {R"(Software\Contoso)", "!unknown-hive"},
        },
        parseRegKey, [](const RegKey& k) { return dump(k); });
}

TEST(RuleFields, ExcludeKeysNameFilesFoldersKeysOrValues) {
    expectTable<ExcludeKey>(
        {
            {R"(FILE|%AppData%\Contoso\|keep.db)", R"(FILE {AppData}\Contoso|keep.db)"},
            {R"(FILE|%AppData%\Contoso|a.db;b.db)", R"(FILE {AppData}\Contoso|a.db;b.db)"},
            {R"(PATH|%AppData%\Contoso\|*.cfg)", R"(PATH {AppData}\Contoso|*.cfg)"},
            {R"(path|%AppData%\Contoso\|*.*)", R"(PATH {AppData}\Contoso|*.*)"},
            {R"(REG|HKCU\Software\Contoso\Keep)", R"(REG HKCU\Software\Contoso\Keep)"},
            {R"(REG|HKCU\Software\Contoso|Keep)", R"(REG HKCU\Software\Contoso|Keep)"},
            {R"(REG|HKCU)", "REG HKCU"},
            // Without the bar before the names, the reading that excludes is taken, and noted.
            {R"(PATH|%AppData%\Contoso)", R"(PATH {AppData}\Contoso|* +short-exclude)"},
            {R"(FILE|%AppData%\Contoso\keep.db)",
             R"(FILE {AppData}\Contoso|keep.db +short-exclude)"},
            {R"(FILE|%AppData%)", "!no-pattern"},
            {R"(DIR|%AppData%\Contoso|*)", "!unknown-exclude-kind"},
            {R"(%AppData%\Contoso)", "!missing-separator"},
            {R"(FILE|%AppData%\Contoso|a|b)", "!too-many-fields"},
            {R"(PATH|Contoso|*)", "!no-root"},
            {R"(PATH|%AppData%\Contoso|)", "!no-pattern"},
            {R"(REG|HKZZ\Software)", "!unknown-hive"},
            {R"(REG|HKCU\Software|)", "!empty-value-name"},
        },
        parseExcludeKey, [](const ExcludeKey& k) { return dump(k); });
}

TEST(RuleFields, DetectionKeysNameOneRegistryKeyOrOnePath) {
    expectTable<DetectKey>(
        {
            {R"(HKCU\Software\Contoso)", R"(HKCU\Software\Contoso)"},
            {"HKLM", "HKLM"},
            {R"(HKCU\Software\Contoso|Value)", "!too-many-fields"},
            {R"(%AppData%\Contoso)", "!unknown-hive"},
        },
        parseDetect, [](const DetectKey& k) { return dump(k.key); });
    expectTable<DetectFileKey>(
        {
            {R"(%LocalAppData%\Contoso\*\Viewer.exe)", R"({LocalAppData}\Contoso\*\Viewer.exe)"},
            {R"(%ProgramFiles%\Contoso*)", R"({ProgramFiles}\Contoso*)"},
            {R"(HKCU\Software\Contoso)", "!no-root"},
            {R"(%AppData%\Contoso|x)", "!bad-character"},
        },
        parseDetectFile, [](const DetectFileKey& k) { return dump(k.path); });
}

TEST(RuleFields, DetectOsTakesAMinimumAMaximumOrBoth) {
    const std::vector<Case> cases = {
        {"6.1|", "6.1|"},
        {"|6.3", "|6.3"},
        {"5.1|10.0", "5.1|10.0"},
        {"6.1|6.1", "6.1|6.1"},
        {" 10.0.22000 | ", "10.0.22000|"},
        {"6|10", "6|10"},
        {"|", "|"},
        {"6.1", "!missing-separator"},
        {"6.1|6.2|6.3", "!too-many-fields"},
        {"six|", "!bad-os-version"},
        {"6.1.2.3|", "!bad-os-version"},
        {"6..1|", "!bad-os-version"},
        {"-6|", "!bad-os-version"},
        {"1234567890|", "!bad-os-version"},
        {"10.0|6.1", "!empty-os-range"},
        {"6.2|6.1.9", "!empty-os-range"},
    };
    for (const Case& c : cases) {
        OsRange range;
        FieldIssues issues;
        const bool ok = parseOsRange(c.input, range, issues);
        EXPECT_EQ(dump(ok, ok ? test::dump(range) : std::string(), issues), c.expected)
            << "input: " << c.input;
    }
}

TEST(RuleFields, AWindowsRangeComparesOnlyTheComponentsItWrites) {
    OsRange range;
    FieldIssues issues;
    ASSERT_TRUE(parseOsRange("6.1|6.3", range, issues));
    EXPECT_FALSE(range.contains({6, 0, 6002}));
    EXPECT_TRUE(range.contains({6, 1, 7601}));
    EXPECT_TRUE(range.contains({6, 3, 9600}));
    EXPECT_FALSE(range.contains({10, 0, 19045}));
    ASSERT_TRUE(parseOsRange("|6", range, issues));
    EXPECT_TRUE(range.contains({6, 3, 9600})); // every 6.x
    EXPECT_FALSE(range.contains({10, 0, 0}));
    ASSERT_TRUE(parseOsRange("10.0.22000|", range, issues));
    EXPECT_FALSE(range.contains({10, 0, 19045}));
    EXPECT_TRUE(range.contains({10, 0, 22621}));
    ASSERT_TRUE(parseOsRange("|", range, issues));
    EXPECT_TRUE(range.contains({5, 1, 2600}));
}

TEST(RuleFields, SegmentsAreWalkedOneFolderAtATime) {
    RuleArena arena(64);
    PathSpec path;
    FieldIssues issues;
    ASSERT_TRUE(
        parsePath(R"(%LocalAppData%\Tailspin\Browser*\User Data\*\Cache)", arena, path, issues));
    std::vector<std::string> seen;
    for (const Segment segment : path.segments()) {
        seen.push_back(std::string(segment.text) + (segment.wildcard ? " (motif)" : ""));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"Tailspin", "Browser* (motif)", "User Data",
                                              "* (motif)", "Cache"}));
    EXPECT_TRUE(path.hasWildcardSegment());

    ASSERT_TRUE(parsePath("%AppData%", arena, path, issues));
    EXPECT_EQ(path.segments().begin(), path.segments().end());
    EXPECT_FALSE(path.hasWildcardSegment());
}

TEST(RuleFields, ValuesAlreadyInTheirSettledFormAreNotCopied) {
    RuleArena arena(64);
    const std::string text = R"(%AppData%\Contoso\Viewer|*.log;*.tmp|RECURSE)";
    FileKey key;
    FieldIssues issues;
    ASSERT_TRUE(parseFileKey(text, arena, key, issues));
    const auto inside = [&](std::string_view view) {
        return view.data() >= text.data() && view.data() + view.size() <= text.data() + text.size();
    };
    EXPECT_TRUE(inside(key.path.rest));
    EXPECT_TRUE(inside(key.patterns.text()));
    EXPECT_TRUE(inside(key.path.root.text));
}

TEST(RuleFields, LongDetailsAreCutOnACharacterBoundary) {
    const std::string longText = std::string(MaxDetailLength - 1, 'a') + "é" + "tail";
    const std::string cut = shortened(longText);
    EXPECT_EQ(cut, std::string(MaxDetailLength - 1, 'a') + "…");
    EXPECT_EQ(shortened("court"), "court");
}

} // namespace
} // namespace vp::rules
