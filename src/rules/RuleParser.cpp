// The rules file reader: lines into entries, keys into the model, every problem into a
// diagnostic. What a problem does to the entry is decided here, on one principle: a line the
// reader cannot understand may make an entry clean less, never more. So a broken cleaning key
// is dropped, a broken detection key detects nothing, and a broken exclusion or Windows range
// keeps the whole entry out of every run.
#include "platform/NameCompare.h"
#include "rules/Categories.h"
#include "rules/RuleFields.h"
#include "rules/RuleSet.h"
#include "rules/RuleSetStorage.h"
#include "rules/SpecialDetects.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace vp::rules {
namespace {

enum class KeyFamily : std::uint8_t {
    // Numbered
    Detect,
    DetectFile,
    FileKey,
    RegKey,
    ExcludeKey,
    // Once per entry
    LangSecRef,
    Section,
    Default,
    Warning,
    DetectOS,
    SpecialDetect,
    Unknown,
};

constexpr std::size_t NumberedFamilies = 5;

struct FamilyName {
    std::string_view name;
    KeyFamily family;
};

constexpr std::array<FamilyName, 11> Families = {{
    {"Detect", KeyFamily::Detect},
    {"DetectFile", KeyFamily::DetectFile},
    {"FileKey", KeyFamily::FileKey},
    {"RegKey", KeyFamily::RegKey},
    {"ExcludeKey", KeyFamily::ExcludeKey},
    {"LangSecRef", KeyFamily::LangSecRef},
    {"Section", KeyFamily::Section},
    {"Default", KeyFamily::Default},
    {"Warning", KeyFamily::Warning},
    {"DetectOS", KeyFamily::DetectOS},
    {"SpecialDetect", KeyFamily::SpecialDetect},
}};

bool isNumbered(KeyFamily family) {
    return static_cast<std::size_t>(family) < NumberedFamilies;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool equalsAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

struct KeyName {
    KeyFamily family = KeyFamily::Unknown;
    bool hasNumber = false;
    std::uint32_t number = 0;
};

KeyName classify(std::string_view name) {
    std::size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') {
        --digits;
    }
    const std::string_view prefix = name.substr(0, digits);
    const std::string_view number = name.substr(digits);
    KeyName out;
    for (const FamilyName& candidate : Families) {
        if (equalsAscii(candidate.name, prefix)) {
            out.family = candidate.family;
            break;
        }
    }
    if (out.family == KeyFamily::Unknown || number.empty()) {
        return out;
    }
    if (!isNumbered(out.family) || number.size() > 6) {
        return KeyName{};
    }
    std::from_chars(number.data(), number.data() + number.size(), out.number);
    out.hasNumber = true;
    return out;
}

struct Numbered {
    std::uint32_t number = 0;
    std::uint32_t line = 0;
};

// An entry while its lines are read. Its vectors are reused from one entry to the next.
struct Draft {
    Entry entry;
    std::uint32_t langSecRefLine = 0;
    std::uint32_t sectionLine = 0;
    std::uint32_t defaultLine = 0;
    std::uint32_t warningLine = 0;
    std::uint32_t osLine = 0;
    std::uint32_t specialLine = 0;
    bool langSecRefValid = false;
    std::string_view section;
    std::vector<DetectKey> detects;
    std::vector<DetectFileKey> detectFiles;
    std::vector<FileKey> fileKeys;
    std::vector<RegKey> regKeys;
    std::vector<ExcludeKey> excludeKeys;
    std::array<std::vector<Numbered>, NumberedFamilies> numbers;

    void reset(std::string_view name, std::uint32_t line) {
        entry = Entry{};
        entry.name = name;
        entry.line = line;
        langSecRefLine = sectionLine = defaultLine = warningLine = osLine = specialLine = 0;
        langSecRefValid = false;
        section = {};
        detects.clear();
        detectFiles.clear();
        fileKeys.clear();
        regKeys.clear();
        excludeKeys.clear();
        for (auto& list : numbers) {
            list.clear();
        }
    }
};

// Keys in number order, those of one number in the file's order. Files are nearly always in
// order already, and then nothing is sorted (a stable sort allocates every time).
template <class Key> void sortByNumber(std::vector<Key>& keys) {
    const auto byNumber = [](const Key& a, const Key& b) { return a.number < b.number; };
    if (!std::is_sorted(keys.begin(), keys.end(), byNumber)) {
        std::stable_sort(keys.begin(), keys.end(), byNumber);
    }
}

// How many lines start with "[": the most entries the file may hold, for one allocation.
std::size_t headerLines(std::string_view text) {
    std::size_t count = text.starts_with('[') ? 1 : 0;
    for (std::size_t at = text.find("\n["); at != text.npos; at = text.find("\n[", at + 2)) {
        ++count;
    }
    return count;
}

class Parser {
public:
    explicit Parser(RuleSetStorage& storage) : s_(storage) {}

    void run() {
        for (const TextProblem& problem : s_.text.problems) {
            report(problem.line, Effect::Noted, problem.problem, {}, {}, {});
        }
        s_.entries.reserve(headerLines(s_.text.text()));
        LineReader lines(s_.text.text());
        std::string_view raw;
        while (lines.next(raw)) {
            line(raw, lines.number());
        }
        s_.lines = lines.number();
        endEntry();
        finish();
    }

private:
    RuleSetStorage& s_;
    Draft draft_;
    bool inEntry_ = false;
    bool skipping_ = false; // after a header that could not be read
    std::vector<bool> replaced_;

    void report(std::uint32_t line, Effect effect, Problem problem, std::string_view entry,
                std::string_view key, std::string detail) {
        if (s_.diagnostics.size() >= MaxDiagnostics) {
            ++s_.droppedDiagnostics;
            return;
        }
        s_.diagnostics.push_back(
            Diagnostic{line, effect, problem, shortened(entry), shortened(key), std::move(detail)});
    }

    void reportHere(std::uint32_t line, Effect effect, Problem problem, std::string_view key,
                    std::string detail = {}) {
        report(line, effect, problem, inEntry_ ? draft_.entry.name : std::string_view(), key,
               std::move(detail));
    }

    void line(std::string_view raw, std::uint32_t number) {
        const std::string_view text = trimmed(raw);
        if (text.empty() || text.front() == ';') {
            return;
        }
        if (text.front() == '[') {
            header(text, number);
            return;
        }
        const std::size_t equals = text.find('=');
        if (skipping_) {
            return;
        }
        if (!inEntry_) {
            report(number, Effect::KeyIgnored, Problem::OutsideEntry, {}, {}, shortened(text));
            return;
        }
        if (equals == text.npos || equals == 0) {
            reportHere(number, Effect::KeyIgnored, Problem::NotAKey, {}, shortened(text));
            return;
        }
        key(trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1)), number);
    }

    void header(std::string_view text, std::uint32_t number) {
        endEntry();
        const std::string_view name = text.size() >= 2 && text.back() == ']'
                                          ? trimmed(text.substr(1, text.size() - 2))
                                          : std::string_view();
        const bool control = std::any_of(name.begin(), name.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        });
        if (name.empty() || control) {
            report(number, Effect::LinesIgnored, Problem::BadSectionHeader, {}, {},
                   shortened(text));
            skipping_ = true;
            return;
        }
        skipping_ = false;
        inEntry_ = true;
        draft_.reset(name, number);
    }

    void key(std::string_view name, std::string_view value, std::uint32_t line) {
        const KeyName kind = classify(name);
        if (kind.family == KeyFamily::Unknown) {
            reportHere(line, Effect::KeyIgnored, Problem::UnknownKey, name);
            return;
        }
        if (isNumbered(kind.family)) {
            numberedKey(kind, name, value, line);
        } else {
            singleKey(kind.family, name, value, line);
        }
    }

    // What a key that cannot be used does to its entry.
    Effect failureEffect(KeyFamily family) {
        switch (family) {
        case KeyFamily::Detect:
        case KeyFamily::DetectFile:
            ++draft_.entry.unusableDetections;
            return Effect::KeyIgnored;
        case KeyFamily::ExcludeKey:
        case KeyFamily::DetectOS:
            draft_.entry.refused = true;
            return Effect::EntryRefused;
        default:
            return Effect::KeyIgnored;
        }
    }

    void emitNotes(const FieldIssues& issues, std::uint32_t line, std::string_view name) {
        for (const FieldIssue& note : issues.notes) {
            reportHere(line, Effect::Noted, note.problem, name, note.detail);
        }
    }

    template <class Key, class Parse>
    void parseInto(std::vector<Key>& keys, Parse parse, KeyFamily family, std::string_view name,
                   std::string_view value, std::uint32_t line, std::uint32_t number) {
        Key parsed{};
        FieldIssues issues;
        const bool ok = parse(value, s_.arena, parsed, issues);
        emitNotes(issues, line, name);
        if (!ok) {
            const FieldIssue error = issues.error.value_or(FieldIssue{});
            reportHere(line, failureEffect(family), error.problem, name, error.detail);
            return;
        }
        parsed.line = line;
        parsed.number = number;
        keys.push_back(parsed);
    }

    void numberedKey(const KeyName& kind, std::string_view name, std::string_view value,
                     std::uint32_t line) {
        std::uint32_t number = kind.number;
        if (!kind.hasNumber) {
            if (kind.family == KeyFamily::Detect || kind.family == KeyFamily::DetectFile) {
                number = 1; // "Detect" alone is the first
            } else {
                reportHere(line, Effect::Noted, Problem::MissingNumber, name);
            }
        }
        draft_.numbers[static_cast<std::size_t>(kind.family)].push_back({number, line});
        if (value.empty()) {
            reportHere(line, failureEffect(kind.family), Problem::EmptyValue, name);
            return;
        }
        switch (kind.family) {
        case KeyFamily::Detect:
            parseInto(draft_.detects, parseDetect, kind.family, name, value, line, number);
            break;
        case KeyFamily::DetectFile:
            parseInto(draft_.detectFiles, parseDetectFile, kind.family, name, value, line, number);
            break;
        case KeyFamily::FileKey:
            parseInto(draft_.fileKeys, parseFileKey, kind.family, name, value, line, number);
            break;
        case KeyFamily::RegKey:
            parseInto(draft_.regKeys, parseRegKey, kind.family, name, value, line, number);
            break;
        case KeyFamily::ExcludeKey:
            parseInto(draft_.excludeKeys, parseExcludeKey, kind.family, name, value, line, number);
            break;
        default:
            break;
        }
    }

    // The line a key of this family was last seen on, checked and updated: a key given twice
    // is reported, and the later one wins.
    void once(std::uint32_t& seenAt, std::string_view name, std::uint32_t line) {
        if (seenAt != 0) {
            reportHere(line, Effect::Noted, Problem::RepeatedKey, name, std::to_string(seenAt));
        }
        seenAt = line;
    }

    void singleKey(KeyFamily family, std::string_view name, std::string_view value,
                   std::uint32_t line) {
        Entry& entry = draft_.entry;
        switch (family) {
        case KeyFamily::LangSecRef:
            once(draft_.langSecRefLine, name, line);
            langSecRef(name, value, line);
            break;
        case KeyFamily::Section:
            once(draft_.sectionLine, name, line);
            draft_.section = value;
            if (value.empty()) {
                reportHere(line, Effect::KeyIgnored, Problem::EmptyValue, name);
            }
            break;
        case KeyFamily::Default:
            once(draft_.defaultLine, name, line);
            if (equalsAscii(value, "True")) {
                entry.defaultOn = true;
            } else if (equalsAscii(value, "False")) {
                entry.defaultOn = false;
            } else {
                entry.defaultOn = false;
                reportHere(line, Effect::Noted, Problem::BadDefault, name, shortened(value));
            }
            break;
        case KeyFamily::Warning:
            once(draft_.warningLine, name, line);
            // Even empty, a warning asks for the entry to be named on purpose.
            entry.hasWarning = true;
            entry.warning = value;
            if (value.empty()) {
                reportHere(line, Effect::Noted, Problem::EmptyValue, name);
            }
            break;
        case KeyFamily::DetectOS: {
            once(draft_.osLine, name, line);
            FieldIssues issues;
            if (!parseOsRange(value, entry.os, issues)) {
                const FieldIssue error = issues.error.value_or(FieldIssue{});
                reportHere(line, failureEffect(family), error.problem, name, error.detail);
            }
            break;
        }
        case KeyFamily::SpecialDetect: {
            once(draft_.specialLine, name, line);
            const SpecialDetectInfo* info = findSpecialDetect(value);
            entry.special = info != nullptr ? info->detection : SpecialDetection::Unknown;
            if (info == nullptr) {
                reportHere(line, Effect::Noted, Problem::UnknownSpecialDetect, name,
                           shortened(value));
            }
            break;
        }
        default:
            break;
        }
    }

    void langSecRef(std::string_view name, std::string_view value, std::uint32_t line) {
        std::uint32_t number = 0;
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), number);
        if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
            number > 0xFFFF) {
            draft_.langSecRefValid = false;
            reportHere(line, Effect::KeyIgnored, Problem::BadCategory, name, shortened(value));
            return;
        }
        draft_.langSecRefValid = true;
        draft_.entry.category.langSecRef = static_cast<std::uint16_t>(number);
        if (const CategoryInfo* known = findCategory(static_cast<std::uint16_t>(number))) {
            draft_.entry.category.name = known->french;
        } else {
            draft_.entry.category.name = s_.arena.keep("Catégorie " + std::to_string(number));
            reportHere(line, Effect::Noted, Problem::UnknownCategory, name, shortened(value));
        }
    }

    void checkNumbering(KeyFamily family) {
        std::vector<Numbered>& list = draft_.numbers[static_cast<std::size_t>(family)];
        sortByNumber(list);
        const std::string familyName(Families[static_cast<std::size_t>(family)].name);
        std::uint32_t expected = 1;
        const Numbered* previous = nullptr;
        for (const Numbered& key : list) {
            if (key.number == 0) {
                continue; // reported as missing its number
            }
            if (previous != nullptr && previous->number == key.number) {
                reportHere(key.line, Effect::Noted, Problem::DuplicateNumber,
                           familyName + std::to_string(key.number), std::to_string(previous->line));
            } else if (key.number != expected) {
                reportHere(key.line, Effect::Noted, Problem::NumberingGap,
                           familyName + std::to_string(key.number),
                           familyName + std::to_string(expected));
            }
            expected = key.number + 1;
            previous = &key;
        }
    }

    void endEntry() {
        if (!inEntry_) {
            return;
        }
        Entry& entry = draft_.entry; // inEntry_ stays set: the checks report against it
        for (std::size_t family = 0; family < NumberedFamilies; ++family) {
            checkNumbering(static_cast<KeyFamily>(family));
        }
        const bool hasSection = draft_.sectionLine != 0 && !draft_.section.empty();
        if (draft_.langSecRefValid && hasSection) {
            reportHere(draft_.sectionLine, Effect::Noted, Problem::BothCategories, "Section");
        } else if (hasSection) {
            entry.category = Category{0, draft_.section};
        } else if (!draft_.langSecRefValid) {
            entry.category = Category{};
            reportHere(entry.line, Effect::Noted, Problem::NoCategory, {});
        }
        if (entry.special != SpecialDetection::None &&
            (!draft_.detects.empty() || !draft_.detectFiles.empty() ||
             entry.unusableDetections != 0)) {
            reportHere(draft_.specialLine, Effect::Noted, Problem::DetectSuperseded,
                       "SpecialDetect");
        }
        if (draft_.fileKeys.empty() && draft_.regKeys.empty()) {
            reportHere(entry.line, Effect::Noted, Problem::NothingToClean, {});
        }
        sortByNumber(draft_.detects);
        sortByNumber(draft_.detectFiles);
        sortByNumber(draft_.fileKeys);
        sortByNumber(draft_.regKeys);
        sortByNumber(draft_.excludeKeys);
        entry.detects = s_.arena.keep(std::span<const DetectKey>(draft_.detects));
        entry.detectFiles = s_.arena.keep(std::span<const DetectFileKey>(draft_.detectFiles));
        entry.fileKeys = s_.arena.keep(std::span<const FileKey>(draft_.fileKeys));
        entry.regKeys = s_.arena.keep(std::span<const RegKey>(draft_.regKeys));
        entry.excludeKeys = s_.arena.keep(std::span<const ExcludeKey>(draft_.excludeKeys));
        inEntry_ = false;

        const std::size_t index = s_.entries.size();
        const auto [found, inserted] = s_.byName.try_emplace(foldCase(entry.name), index);
        if (!inserted) {
            const Entry& earlier = s_.entries[found->second];
            report(earlier.line, Effect::EntryReplaced, Problem::DuplicateEntry, earlier.name, {},
                   std::to_string(entry.line));
            replaced_[found->second] = true;
            found->second = index;
        }
        s_.entries.push_back(entry);
        replaced_.push_back(false);
    }

    void finish() {
        std::vector<std::size_t> newIndex(s_.entries.size());
        std::size_t kept = 0;
        for (std::size_t i = 0; i < s_.entries.size(); ++i) {
            newIndex[i] = kept;
            if (!replaced_[i]) {
                s_.entries[kept++] = s_.entries[i];
            }
        }
        s_.entries.resize(kept);
        s_.entries.shrink_to_fit();
        for (auto& [name, index] : s_.byName) {
            index = newIndex[index];
        }
        if (s_.droppedDiagnostics != 0) {
            s_.diagnostics.push_back(Diagnostic{0,
                                                Effect::Noted,
                                                Problem::TooManyDiagnostics,
                                                {},
                                                {},
                                                std::to_string(s_.droppedDiagnostics)});
        }
        // In the file's order; what concerns the file as a whole comes last.
        const auto rank = [](const Diagnostic& d) {
            return d.line == 0 ? std::numeric_limits<std::uint32_t>::max() : d.line;
        };
        std::stable_sort(
            s_.diagnostics.begin(), s_.diagnostics.end(),
            [&](const Diagnostic& a, const Diagnostic& b) { return rank(a) < rank(b); });
    }
};

} // namespace

RuleSet parseRules(std::string bytes, std::string fileName) {
    auto storage = std::make_unique<RuleSetStorage>(decodeRulesText(std::move(bytes)));
    storage->fileName = std::move(fileName);
    Parser(*storage).run();
    return RuleSet(std::move(storage));
}

} // namespace vp::rules
