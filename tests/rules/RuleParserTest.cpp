// Whole rules files read: entries and their keys, what a problem does to its line or entry,
// and the report of every problem with its line and reason.
#include "rules/RuleDump.h"
#include "rules/RuleSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp::rules {
namespace {

using test::dump;
using test::dumpDiagnostics;
using test::problemCodes;

RuleSet parse(std::string_view text) {
    return parseRules(std::string(text), "regles.ini");
}

template <class Key> std::vector<std::string> dumpAll(std::span<const Key> keys) {
    std::vector<std::string> out;
    for (const Key& key : keys) {
        out.push_back(std::to_string(key.number) + " " + dump(key));
    }
    return out;
}

std::vector<std::string> names(const RuleSet& set) {
    std::vector<std::string> out;
    for (const Entry& entry : set.entries()) {
        out.emplace_back(entry.name);
    }
    return out;
}

constexpr std::string_view Viewer = R"(; invented for the tests
[Contoso Viewer *]
LangSecRef=3021
Detect=HKCU\Software\Contoso\Viewer
DetectFile=%LocalAppData%\Contoso\Viewer
FileKey2=%LocalAppData%\Contoso\Viewer\Logs|*.log;*.tmp
FileKey1=%LocalAppData%\Contoso\Viewer\Cache|*|RECURSE
FileKey3=%AppData%\Contoso\Viewer\Thumbs|*.*|REMOVESELF
RegKey1=HKCU\Software\Contoso\Viewer\Recent
RegKey2=HKCU\Software\Contoso\Viewer\Settings|LastFolder
ExcludeKey1=FILE|%LocalAppData%\Contoso\Viewer\Cache\|index.keep
ExcludeKey2=PATH|%LocalAppData%\Contoso\Viewer\Cache\Pinned\|*.*
ExcludeKey3=REG|HKCU\Software\Contoso\Viewer\Recent\Pinned

[Fabrikam Notes *]
Section=Bureautique
Default=True
Warning=Efface aussi les brouillons.
DetectOS=6.1|
Detect1=HKLM\Software\Fabrikam\Notes
Detect2=HKEY_CURRENT_USER\Software\Fabrikam\Notes
DetectFile1=%ProgramFiles%\Fabrikam\Notes\notes.exe
FileKey1=%Temp%\FabrikamNotes|*|REMOVESELF
)";

TEST(RuleParser, ReadsEntriesWithEveryKindOfKeyInNumberOrder) {
    const RuleSet set = parse(Viewer);
    EXPECT_EQ(dumpDiagnostics(set), "");
    ASSERT_EQ(names(set), (std::vector<std::string>{"Contoso Viewer *", "Fabrikam Notes *"}));
    const Entry& viewer = set.entries()[0];
    EXPECT_EQ(viewer.line, 2u);
    EXPECT_EQ(displayName(viewer), "Contoso Viewer");
    EXPECT_EQ(viewer.category.langSecRef, 3021);
    EXPECT_EQ(viewer.category.name, "Applications");
    EXPECT_FALSE(viewer.hasWarning);
    EXPECT_FALSE(viewer.defaultOn);
    EXPECT_FALSE(viewer.refused);
    ASSERT_EQ(viewer.detects.size(), 1u);
    EXPECT_EQ(dump(viewer.detects[0].key), R"(HKCU\Software\Contoso\Viewer)");
    EXPECT_EQ(viewer.detects[0].number, 1u);
    ASSERT_EQ(viewer.detectFiles.size(), 1u);
    EXPECT_EQ(dump(viewer.detectFiles[0].path), R"({LocalAppData}\Contoso\Viewer)");
    EXPECT_EQ(dumpAll(viewer.fileKeys), (std::vector<std::string>{
                                            R"(1 {LocalAppData}\Contoso\Viewer\Cache|*|RECURSE)",
                                            R"(2 {LocalAppData}\Contoso\Viewer\Logs|*.log;*.tmp)",
                                            R"(3 {AppData}\Contoso\Viewer\Thumbs|*.*|REMOVESELF)",
                                        }));
    EXPECT_EQ(viewer.fileKeys[0].line, 7u);
    EXPECT_EQ(dumpAll(viewer.regKeys),
              (std::vector<std::string>{R"(1 HKCU\Software\Contoso\Viewer\Recent)",
                                        R"(2 HKCU\Software\Contoso\Viewer\Settings|LastFolder)"}));
    EXPECT_EQ(dumpAll(viewer.excludeKeys),
              (std::vector<std::string>{
                  R"(1 FILE {LocalAppData}\Contoso\Viewer\Cache|index.keep)",
                  R"(2 PATH {LocalAppData}\Contoso\Viewer\Cache\Pinned|*.*)",
                  R"(3 REG HKCU\Software\Contoso\Viewer\Recent\Pinned)",
              }));

    const Entry& notes = set.entries()[1];
    EXPECT_EQ(notes.category.langSecRef, 0);
    EXPECT_EQ(notes.category.name, "Bureautique");
    EXPECT_TRUE(notes.defaultOn);
    EXPECT_TRUE(notes.hasWarning);
    EXPECT_EQ(notes.warning, "Efface aussi les brouillons.");
    EXPECT_EQ(dump(notes.os), "6.1|");
    EXPECT_EQ(notes.detects.size(), 2u);
    EXPECT_EQ(dump(notes.detects[1].key), R"(HKCU\Software\Fabrikam\Notes)");
    EXPECT_EQ(dumpAll(notes.fileKeys),
              (std::vector<std::string>{R"(1 ${Temp}\FabrikamNotes|*|REMOVESELF)"}));
    EXPECT_TRUE(notes.hasDetectionKeys());
}

TEST(RuleParser, KeyNamesIgnoreCaseAndBlanksCommentsAndBlankLinesAreSkipped) {
    const RuleSet set = parse("\n\t; comment\n  [  Blanks *  ]  \n  langsecref = 3024 \n"
                              "\n; inside\nFILEKEY1 =  %appdata%\\x | *.log \n  detectfile=C:\\x\n"
                              "rEgKeY1=HKCU\\Software\\x\n");
    EXPECT_EQ(dumpDiagnostics(set), "");
    ASSERT_EQ(names(set), (std::vector<std::string>{"Blanks *"}));
    const Entry& entry = set.entries()[0];
    EXPECT_EQ(entry.category.name, "Utilitaires");
    EXPECT_EQ(dumpAll(entry.fileKeys), (std::vector<std::string>{R"(1 {AppData}\x|*.log)"}));
    EXPECT_EQ(entry.detectFiles.size(), 1u);
    EXPECT_EQ(entry.regKeys.size(), 1u);
}

TEST(RuleParser, EveryMalformedLineIsReportedWithItsLineAndTheRestStillLoads) {
    const RuleSet set = parse(R"(stray=line before any entry
[Broken Keys *]
LangSecRef=3021
FileKey1=%AppData%\NoBar
FileKey2=%AppData%\X|*.log|RECURSIVE
FileKey3=relative\path|*.log
FileKey4=%AppData%\Good|*.log
Colour=blue
no equals sign here
=no name
FileKey5=
RegKey1=HKCU
RegKey2=HKCU\Software\Good
)");
    EXPECT_EQ(dumpDiagnostics(set), "1 key-ignored outside-entry «stray=line before any entry»\n"
                                    "4 key-ignored missing-separator FileKey1 «%AppData%\\NoBar»\n"
                                    "5 key-ignored unknown-flag FileKey2 «RECURSIVE»\n"
                                    "6 key-ignored no-root FileKey3 «relative\\path»\n"
                                    "8 key-ignored unknown-key Colour\n"
                                    "9 key-ignored not-a-key «no equals sign here»\n"
                                    "10 key-ignored not-a-key «=no name»\n"
                                    "11 key-ignored empty-value FileKey5\n"
                                    "12 key-ignored whole-hive RegKey1 «HKCU»\n");
    ASSERT_EQ(set.entries().size(), 1u);
    const Entry& entry = set.entries()[0];
    EXPECT_FALSE(entry.refused);
    EXPECT_EQ(dumpAll(entry.fileKeys), (std::vector<std::string>{R"(4 {AppData}\Good|*.log)"}));
    EXPECT_EQ(dumpAll(entry.regKeys), (std::vector<std::string>{R"(2 HKCU\Software\Good)"}));
    // The broken keys still hold their numbers: no gap is reported for them.
    EXPECT_EQ(problemCodes(set).find("numbering-gap"), std::string::npos);
}

TEST(RuleParser, DiagnosticsNameTheFileLineEntryKeyAndReasonInFrench) {
    const RuleSet set = parse("[Contoso *]\nLangSecRef=3021\nFileKey1=%AppData%\\x\n"
                              "ExcludeKey1=DIR|%AppData%\\x|*\nRegKey1=HKCU\\S\n");
    ASSERT_EQ(set.diagnostics().size(), 2u);
    EXPECT_EQ(describe(set.fileName(), set.diagnostics()[0]),
              "regles.ini, ligne 3, [Contoso *], FileKey1 : il manque le séparateur « | » : "
              "« %AppData%\\x » ; ligne ignorée");
    EXPECT_EQ(describe(set.fileName(), set.diagnostics()[1]),
              "regles.ini, ligne 4, [Contoso *], ExcludeKey1 : type d'exclusion inconnu (FILE, "
              "PATH ou REG attendu) : « DIR » ; entrée refusée, elle ne sera jamais exécutée");
    EXPECT_EQ(problemCode(set.diagnostics()[1].problem), "unknown-exclude-kind");
    EXPECT_EQ(effectCode(set.diagnostics()[1].effect), "entry-refused");
}

TEST(RuleParser, AnEntryWhoseExclusionOrWindowsRangeCannotBeReadIsRefused) {
    // Running it without its exclusion would delete what its author meant to keep; without its
    // Windows range, on a Windows it was not written for.
    const RuleSet set = parse(R"([Bad Exclusion *]
LangSecRef=3024
FileKey1=%LocalAppData%\Thing|*|RECURSE
ExcludeKey1=PATH|Thing\Keep|*
[Bad Range *]
LangSecRef=3024
DetectOS=7|6
FileKey1=%LocalAppData%\Other|*.log
[Unreadable Range *]
LangSecRef=3024
DetectOS=Windows 7
FileKey1=%LocalAppData%\Other|*.log
[Fine *]
LangSecRef=3024
FileKey1=%LocalAppData%\Other|*.log
)");
    EXPECT_EQ(dumpDiagnostics(set), "4 entry-refused no-root ExcludeKey1 «Thing\\Keep»\n"
                                    "7 entry-refused empty-os-range DetectOS «7|6»\n"
                                    "11 entry-refused missing-separator DetectOS «Windows 7»\n");
    ASSERT_EQ(set.entries().size(), 4u);
    EXPECT_TRUE(set.entries()[0].refused);
    EXPECT_TRUE(set.entries()[1].refused);
    EXPECT_TRUE(set.entries()[2].refused);
    EXPECT_FALSE(set.entries()[3].refused);
}

TEST(RuleParser, ABrokenDetectionKeyDetectsNothingRatherThanEverything) {
    const RuleSet set = parse(R"([Only Broken Detection *]
LangSecRef=3021
Detect=Software\Contoso
FileKey1=%AppData%\x|*
[One Of Two *]
LangSecRef=3021
DetectFile1=Contoso
DetectFile2=%AppData%\Contoso
FileKey1=%AppData%\x|*
[No Detection *]
LangSecRef=3021
FileKey1=%AppData%\x|*
)");
    EXPECT_EQ(problemCodes(set), "unknown-hive no-root");
    const auto entries = set.entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].unusableDetections, 1u);
    EXPECT_TRUE(entries[0].detects.empty());
    EXPECT_TRUE(entries[0].hasDetectionKeys()); // so it never counts as "always applies"
    EXPECT_EQ(entries[1].unusableDetections, 1u);
    EXPECT_EQ(entries[1].detectFiles.size(), 1u);
    EXPECT_EQ(entries[1].detectFiles[0].number, 2u);
    EXPECT_FALSE(entries[2].hasDetectionKeys());
}

TEST(RuleParser, GapsDuplicatesAndMissingNumbersAreReportedAndEveryKeyIsKept) {
    const RuleSet set = parse(R"([Numbers *]
LangSecRef=3021
FileKey1=%AppData%\one|*
FileKey3=%AppData%\three|*
FileKey3=%AppData%\three again|*
FileKey=%AppData%\none|*
FileKey6=%AppData%\six|*
Detect=HKCU\Software\A
Detect1=HKCU\Software\B
DetectFile2=%AppData%\x
RegKey01=HKCU\Software\Leading\Zero
)");
    EXPECT_EQ(dumpDiagnostics(set), "4 noted numbering-gap FileKey3 «FileKey2»\n"
                                    "5 noted duplicate-number FileKey3 «4»\n"
                                    "6 noted missing-number FileKey\n"
                                    "7 noted numbering-gap FileKey6 «FileKey4»\n"
                                    "9 noted duplicate-number Detect1 «8»\n"
                                    "10 noted numbering-gap DetectFile2 «DetectFile1»\n");
    const Entry& entry = set.entries()[0];
    EXPECT_EQ(dumpAll(entry.fileKeys), (std::vector<std::string>{
                                           R"(0 {AppData}\none|*)",
                                           R"(1 {AppData}\one|*)",
                                           R"(3 {AppData}\three|*)",
                                           R"(3 {AppData}\three again|*)",
                                           R"(6 {AppData}\six|*)",
                                       }));
    EXPECT_EQ(entry.detects.size(), 2u);
    EXPECT_EQ(entry.regKeys[0].number, 1u);
}

TEST(RuleParser, CategoriesComeFromLangSecRefOrSection) {
    const RuleSet set = parse(R"([Known *]
LangSecRef=3026
RegKey1=HKCU\Software\A
[Hole *]
LangSecRef=3041
RegKey1=HKCU\Software\A
[Out Of Range *]
LangSecRef=42
RegKey1=HKCU\Software\A
[Not A Number *]
LangSecRef=Firefox
RegKey1=HKCU\Software\A
[Both *]
LangSecRef=3023
Section=Jeux
RegKey1=HKCU\Software\A
[Section Only *]
Section=Jeux
RegKey1=HKCU\Software\A
[None *]
RegKey1=HKCU\Software\A
[Twice *]
LangSecRef=3021
LangSecRef=3022
RegKey1=HKCU\Software\A
[Too Large *]
LangSecRef=103021
RegKey1=HKCU\Software\A
)");
    std::vector<std::string> categories;
    for (const Entry& entry : set.entries()) {
        categories.push_back(std::to_string(entry.category.langSecRef) + " " +
                             std::string(entry.category.name));
    }
    EXPECT_EQ(categories, (std::vector<std::string>{"3026 Firefox", "3041 Catégorie 3041",
                                                    "42 Catégorie 42", "0 ", "3023 Multimédia",
                                                    "0 Jeux", "0 ", "3022 Internet", "0 "}));
    EXPECT_EQ(dumpDiagnostics(set), "5 noted unknown-category LangSecRef «3041»\n"
                                    "8 noted unknown-category LangSecRef «42»\n"
                                    "10 noted no-category\n"
                                    "11 key-ignored bad-category LangSecRef «Firefox»\n"
                                    "15 noted both-categories Section\n"
                                    "20 noted no-category\n"
                                    "24 noted repeated-key LangSecRef «23»\n"
                                    "26 noted no-category\n"
                                    "27 key-ignored bad-category LangSecRef «103021»\n");
}

TEST(RuleParser, SpecialDetectNamesAKnownDetectionOrNothing) {
    const RuleSet set = parse(R"([Chrome Thing *]
LangSecRef=3029
SpecialDetect=det_chrome
Detect=HKCU\Software\Tailspin
FileKey1=%LocalAppData%\Tailspin|*.log
[Unknown Thing *]
LangSecRef=3021
SpecialDetect=DET_TOASTER
FileKey1=%LocalAppData%\Toaster|*.log
)");
    EXPECT_EQ(dumpDiagnostics(set), "3 noted detect-superseded SpecialDetect\n"
                                    "8 noted unknown-special-detect SpecialDetect «DET_TOASTER»\n");
    EXPECT_EQ(set.entries()[0].special, SpecialDetection::Chrome);
    EXPECT_EQ(set.entries()[1].special, SpecialDetection::Unknown);
    EXPECT_TRUE(set.entries()[1].hasDetectionKeys());
}

TEST(RuleParser, AnEmptyWarningStillAsksForTheEntryToBeNamedAndDefaultIsTrueOrFalse) {
    const RuleSet set = parse("[W *]\nLangSecRef=3021\nWarning=\nDefault=yes\nRegKey1=HKCU\\S\n");
    EXPECT_EQ(dumpDiagnostics(set),
              "3 noted empty-value Warning\n4 noted bad-default Default «yes»\n");
    EXPECT_TRUE(set.entries()[0].hasWarning);
    EXPECT_FALSE(set.entries()[0].defaultOn);
}

TEST(RuleParser, AnEntryThatCleansNothingIsReported) {
    const RuleSet set = parse("[Nothing *]\nLangSecRef=3021\nDetect=HKCU\\Software\\X\n");
    EXPECT_EQ(dumpDiagnostics(set), "1 noted nothing-to-clean\n");
    EXPECT_EQ(set.entries().size(), 1u);
}

TEST(RuleParser, TheLaterOfTwoEntriesWithOneNameWinsAndTheEarlierIsReported) {
    const RuleSet set = parse(R"([Same Name *]
LangSecRef=3021
FileKey1=%AppData%\First|*.log
[Other *]
LangSecRef=3021
FileKey1=%AppData%\Other|*.log
[SAME name *]
LangSecRef=3022
FileKey1=%AppData%\Second|*.log
)");
    EXPECT_EQ(dumpDiagnostics(set), "1 entry-replaced duplicate-entry «7»\n");
    EXPECT_EQ(describe(set.fileName(), set.diagnostics()[0]),
              "regles.ini, ligne 1, [Same Name *] : une entrée du même nom suit, ligne 7 ; entrée "
              "remplacée par la suivante du même nom");
    ASSERT_EQ(names(set), (std::vector<std::string>{"Other *", "SAME name *"}));
    EXPECT_EQ(dump(set.entries()[1].fileKeys[0]), R"({AppData}\Second|*.log)");
    EXPECT_EQ(set.find("same name *"), &set.entries()[1]);
    EXPECT_EQ(set.find("Same Name"), &set.entries()[1]);
    EXPECT_EQ(set.find("other"), &set.entries()[0]);
    EXPECT_EQ(set.find("Nobody"), nullptr);
}

TEST(RuleParser, LinesAfterAnUnreadableHeaderBelongToNoEntry) {
    // Were they read, they would be added to the entry before the broken header.
    const RuleSet set = parse(R"([Before *]
LangSecRef=3021
FileKey1=%AppData%\Before|*
[Unclosed *
FileKey2=%AppData%\Ignored|*
[]
FileKey3=%AppData%\Ignored|*
[Bell)"
                              "\x07"
                              R"( *]
FileKey4=%AppData%\Ignored|*
[After *]
LangSecRef=3021
FileKey1=%AppData%\After|*
)");
    EXPECT_EQ(dumpDiagnostics(set), "4 lines-ignored bad-section-header «[Unclosed *»\n"
                                    "6 lines-ignored bad-section-header «[]»\n"
                                    "8 lines-ignored bad-section-header «[Bell\x07 *]»\n");
    ASSERT_EQ(names(set), (std::vector<std::string>{"Before *", "After *"}));
    EXPECT_EQ(set.entries()[0].fileKeys.size(), 1u);
}

TEST(RuleParser, ANameMayHoldABracket) {
    const RuleSet set = parse("[Name ] With [ Brackets *]\nSection=X\nRegKey1=HKCU\\S\n");
    EXPECT_EQ(dumpDiagnostics(set), "");
    EXPECT_EQ(names(set), (std::vector<std::string>{"Name ] With [ Brackets *"}));
}

TEST(RuleParser, DisplayNamesDropTheFormatsTrailingStar) {
    const auto shown = [](std::string_view name) {
        Entry entry;
        entry.name = name;
        return std::string(displayName(entry));
    };
    EXPECT_EQ(shown("Contoso *"), "Contoso");
    EXPECT_EQ(shown("Contoso  \t*"), "Contoso");
    EXPECT_EQ(shown("Contoso*"), "Contoso*");
    EXPECT_EQ(shown("Contoso"), "Contoso");
    EXPECT_EQ(shown(" *"), " *");
}

TEST(RuleParser, AFileOfNothingButProblemsKeepsABoundedReport) {
    std::string text = "[A *]\n";
    for (std::size_t i = 0; i < MaxDiagnostics + 500; ++i) {
        text += "???\n";
    }
    const RuleSet set = parse(text);
    EXPECT_EQ(set.diagnostics().size(), MaxDiagnostics + 1);
    EXPECT_EQ(set.droppedDiagnostics(), 502u); // the lines, and the entry's own two reports
    const Diagnostic& last = set.diagnostics().back();
    EXPECT_EQ(problemCode(last.problem), "too-many-diagnostics");
    EXPECT_EQ(last.detail, "502");
    EXPECT_EQ(set.entries().size(), 1u);
}

TEST(RuleParser, TheModelOutlivesMovesOfItsRuleSet) {
    // Short texts sit inside a std::string's own buffer; the model must not point there.
    RuleSet first = parse("[A]\nSection=B\n");
    RuleSet moved = std::move(first);
    RuleSet assigned = parse("");
    assigned = std::move(moved);
    ASSERT_EQ(assigned.entries().size(), 1u);
    EXPECT_EQ(assigned.entries()[0].name, "A");
    EXPECT_EQ(assigned.entries()[0].category.name, "B");
}

} // namespace
} // namespace vp::rules
