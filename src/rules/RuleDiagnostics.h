// What reading a rules file found wrong: each problem with its line, the entry and key it
// touched, what the reader did about it, and the reason, in French for the user and as a
// stable English code for scripts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vp::rules {

// What became of the line or entry the problem was found in.
enum class Effect : std::uint8_t {
    Noted,         // read all the same, as described in the README
    KeyIgnored,    // this line has no effect
    LinesIgnored,  // this line and the following ones up to the next entry have no effect
    EntryRefused,  // the whole entry is kept out of every run
    EntryReplaced, // a later entry of the same name replaces this one
};

enum class Problem : std::uint8_t {
    // The file's text
    InvalidUtf8,
    OddUtf16Length,
    LoneSurrogate,
    // Lines
    OutsideEntry,
    NotAKey,
    BadSectionHeader,
    DuplicateEntry,
    // Keys in general
    UnknownKey,
    EmptyValue,
    RepeatedKey,
    DuplicateNumber,
    NumberingGap,
    MissingNumber,
    // Entry-level keys
    NoCategory,
    BothCategories,
    UnknownCategory,
    BadCategory,
    BadDefault,
    BadOsVersion,
    EmptyOsRange,
    UnknownSpecialDetect,
    DetectSuperseded,
    NothingToClean,
    // Fields of a key
    MissingSeparator,
    TooManyFields,
    UnknownFlag,
    NoPattern,
    EmptyPattern,
    BadPattern,
    UnknownExcludeKind,
    ShortExclude,
    // Paths
    NoRoot,
    BadVariable,
    DriveRelative,
    NetworkPath,
    ParentSegment,
    BadCharacter,
    VariableInside,
    // Registry keys
    UnknownHive,
    WholeHive,
    EmptyValueName,
    // The reader's own limit
    TooManyDiagnostics,
};

struct Diagnostic {
    std::uint32_t line = 0; // 1-based; 0 for the file as a whole
    Effect effect = Effect::Noted;
    Problem problem = Problem::UnknownKey;
    std::string entry;  // the entry's name as written, empty outside any entry
    std::string key;    // the key's name as written ("FileKey3"), empty for a line or an entry
    std::string detail; // the text at fault, or what is missing (shortened when long)
};

// Stable English codes, for the JSON output ("missing-separator", "key-ignored").
std::string_view problemCode(Problem problem);
std::string_view effectCode(Effect effect);

// The reason in French, with the detail ("drapeau inconnu « RECURSIVE »").
std::string frenchReason(const Diagnostic& diagnostic);
// What the reader did, in French ("clé ignorée"); empty for Noted.
std::string_view frenchEffect(Effect effect);

// One line for the user: "winapp2.ini, ligne 12, [Contoso *], FileKey3 : il manque le
// séparateur « | » ; clé ignorée".
std::string describe(std::string_view fileName, const Diagnostic& diagnostic);

} // namespace vp::rules
