#include "RulesFuzzTarget.h"

#include "platform/sim/SimEnvironment.h"
#include "platform/sim/SimKnownFolders.h"
#include "rules/EntrySelection.h"
#include "rules/RootExpansion.h"
#include "rules/RuleSet.h"

#include <algorithm>
#include <exception>

namespace vp::fuzz {
namespace {

using namespace vp::rules;

class Checker {
public:
    explicit Checker(const RuleSet& set) : set_(set) {}

    std::string run() {
        entries();
        diagnostics();
        expansion();
        selection();
        return std::move(failure_);
    }

private:
    const RuleSet& set_;
    std::string failure_;

    bool expect(bool holds, std::string_view what, std::string_view context = {}) {
        if (!holds && failure_.empty()) {
            failure_ = std::string(what);
            if (!context.empty()) {
                failure_ += " (" + std::string(context) + ")";
            }
        }
        return holds;
    }

    void text(std::string_view view, std::string_view what) {
        expect(isValidUtf8(view), "a view of the model is not whole UTF-8", what);
    }

    void path(const PathSpec& given, std::string_view what) {
        text(given.root.text, what);
        text(given.rest, what);
        expect(!given.root.text.empty(), "a path without a root", what);
        expect(given.rest.find('/') == given.rest.npos, "a slash left in a path", given.rest);
        for (const Segment segment : given.segments()) {
            expect(!segment.text.empty(), "an empty folder name in a path", given.rest);
            expect(segment.text != "." && segment.text != "..", "a dot folder in a path",
                   given.rest);
            expect(segment.text.find_first_of("<>:\"|\\") == segment.text.npos,
                   "a forbidden character in a folder name", segment.text);
            expect(segment.wildcard == (segment.text.find_first_of("*?") != segment.text.npos),
                   "a folder's wildcard mark is wrong", segment.text);
        }
    }

    void patterns(const PatternList& list, std::string_view what) {
        text(list.text(), what);
        expect(!list.empty(), "an empty pattern list", what);
        for (const Pattern pattern : list) {
            expect(!pattern.text.empty(), "an empty pattern", list.text());
            expect(pattern.text.find_first_of("\\/|;") == pattern.text.npos,
                   "a separator inside a pattern", pattern.text);
        }
    }

    void registry(const RegistryPath& key, std::string_view what) {
        text(key.subkey, what);
        const std::string_view sub = key.subkey;
        expect(sub.empty() || (sub.front() != '\\' && sub.back() != '\\'),
               "a registry key with an outer backslash", sub);
        expect(sub.find("\\\\") == sub.npos, "a registry key with a doubled backslash", sub);
    }

    template <class Key> void sorted(std::span<const Key> keys, std::string_view what) {
        for (std::size_t i = 1; i < keys.size(); ++i) {
            expect(keys[i - 1].number <= keys[i].number, "keys out of numeric order", what);
        }
        for (const Key& key : keys) {
            expect(key.line >= 1 && key.line <= set_.lineCount(), "a key's line is off", what);
        }
    }

    void entries() {
        for (const Entry& entry : set_.entries()) {
            text(entry.name, "entry name");
            text(entry.warning, "warning");
            text(entry.category.name, "category");
            expect(!entry.name.empty(), "an entry without a name");
            expect(entry.line >= 1 && entry.line <= set_.lineCount(), "an entry's line is off",
                   entry.name);
            expect(set_.find(entry.name) == &entry, "find() does not give the entry back",
                   entry.name);
            expect(!displayName(entry).empty(), "an empty display name", entry.name);
            sorted(entry.detects, "Detect");
            sorted(entry.detectFiles, "DetectFile");
            sorted(entry.fileKeys, "FileKey");
            sorted(entry.regKeys, "RegKey");
            sorted(entry.excludeKeys, "ExcludeKey");
            for (const DetectKey& key : entry.detects) {
                registry(key.key, "Detect");
            }
            for (const DetectFileKey& key : entry.detectFiles) {
                path(key.path, "DetectFile");
            }
            for (const FileKey& key : entry.fileKeys) {
                path(key.path, "FileKey");
                patterns(key.patterns, "FileKey");
            }
            for (const RegKey& key : entry.regKeys) {
                registry(key.key, "RegKey");
                text(key.value, "RegKey value");
                expect(key.hasValue || !key.key.subkey.empty(), "a whole hive to clean");
                expect(!key.hasValue || !key.value.empty(), "an empty value name kept");
            }
            for (const ExcludeKey& key : entry.excludeKeys) {
                if (key.kind == ExcludeKind::Registry) {
                    registry(key.key, "ExcludeKey");
                    text(key.value, "ExcludeKey value");
                } else {
                    path(key.folder, "ExcludeKey");
                    patterns(key.names, "ExcludeKey");
                }
            }
        }
    }

    void diagnostics() {
        expect(set_.diagnostics().size() <= MaxDiagnostics + 1, "too many diagnostics kept");
        std::uint32_t previous = 0;
        for (const Diagnostic& d : set_.diagnostics()) {
            expect(d.line <= set_.lineCount(), "a diagnostic's line is off",
                   problemCode(d.problem));
            expect(d.line == 0 || d.line >= previous, "diagnostics out of line order");
            previous = d.line == 0 ? previous : d.line;
            expect(problemCode(d.problem) != "unknown", "a problem without a code");
            expect(isValidUtf8(d.entry) && isValidUtf8(d.key) && isValidUtf8(d.detail),
                   "a diagnostic's text is not whole UTF-8", problemCode(d.problem));
            expect(isValidUtf8(describe(set_.fileName(), d)), "a message is not whole UTF-8");
        }
    }

    void expansion() {
        sim::SimKnownFolders folders;
        folders.setTypicalProfile("Camille", true);
        folders.unset(KnownFolder::LocalLowAppData);
        sim::SimEnvironment environment;
        environment.set("TEMP", R"(C:\Users\Camille\AppData\Local\Temp)")
            .set("RELATIVE", R"(folder\below)")
            .set("CLIMB", R"(C:\a\..\..\b)")
            .set("SHARE", R"(\\server\share\data\)")
            .set("WILD", R"(C:\a*b)");
        RootExpander expander(folders, environment);
        for (const Entry& entry : set_.entries()) {
            for (const FileKey& key : entry.fileKeys) {
                const Expansion expanded = expander.expand(key.path);
                expect((expanded.failure == ExpansionFailure::None) == !expanded.candidates.empty(),
                       "an expansion both failed and gave folders", key.path.root.text);
                for (const ExpandedPath& candidate : expanded.candidates) {
                    std::string again;
                    expect(normalizeRoot(candidate.root, again) == ExpansionFailure::None &&
                               again == candidate.root,
                           "an expanded root is not in its settled form", candidate.root);
                    expect(isValidUtf8(candidate.text()) && isValidUtf8(candidate.literalPrefix()),
                           "an expanded path is not whole UTF-8");
                }
                expect(isValidUtf8(frenchExpansionFailure(expanded)),
                       "an expansion message is not whole UTF-8");
            }
        }
    }

    void selection() {
        const auto all = set_.entries();
        SelectionRequest broad{{"*", "*a*"}, {"3021", "internet", "*"}};
        const Selection wide = selectEntries(all, broad);
        for (const Entry* entry : wide.entries) {
            expect(!entry->hasWarning, "an entry with a warning selected through a wildcard",
                   entry->name);
            expect(!entry->refused, "a refused entry selected", entry->name);
        }
        if (all.empty()) {
            return;
        }
        const Entry& first = all.front();
        SelectionRequest exact{{std::string(first.name)}, {}};
        const Selection named = selectEntries(all, exact);
        if (first.name.find_first_of("*?") == first.name.npos && !first.refused) {
            const bool found = std::find(named.entries.begin(), named.entries.end(), &first) !=
                               named.entries.end();
            expect(found, "an entry named exactly is not selected", first.name);
        }
    }
};

} // namespace

std::string checkRulesInput(std::string_view bytes) {
    try {
        const RuleSet set = parseRules(std::string(bytes), "fuzz.ini");
        return Checker(set).run();
    } catch (const std::exception& error) {
        return std::string("an exception escaped: ") + error.what();
    }
}

} // namespace vp::fuzz
