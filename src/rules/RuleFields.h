// The values of a rules file's keys, one parser per form: a folder path, a registry key, a
// pattern list, and the keys built of them (FileKey, RegKey, ExcludeKey, DetectOS...). Each
// says what it could not read, and what it read all the same, in a FieldIssues.
//
// Views in a parsed value point into the text given, or into the arena when the reader had
// to rewrite it (separators made single, `/` made `\`, blanks around patterns dropped).
#pragma once

#include "rules/RuleArena.h"
#include "rules/RuleDiagnostics.h"
#include "rules/RuleModel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp::rules {

struct FieldIssue {
    Problem problem = Problem::UnknownKey;
    std::string detail;
};

struct FieldIssues {
    std::optional<FieldIssue> error; // the value cannot be used
    std::vector<FieldIssue> notes;   // read all the same

    bool fail(Problem problem, std::string_view detail = {});
    void note(Problem problem, std::string_view detail = {});
};

// The longest detail a diagnostic carries, in bytes (cut on a character boundary).
inline constexpr std::size_t MaxDetailLength = 120;
std::string shortened(std::string_view text);

// Blanks (spaces, tabs, a stray byte-order mark) taken off both ends.
std::string_view trimmed(std::string_view text);

// Each returns false, with `issues.error` set, when the value cannot be used.
bool parsePath(std::string_view text, RuleArena& arena, PathSpec& out, FieldIssues& issues);
bool parseRegistryPath(std::string_view text, RuleArena& arena, RegistryPath& out,
                       FieldIssues& issues);
bool parsePatterns(std::string_view text, RuleArena& arena, PatternList& out, FieldIssues& issues);

bool parseFileKey(std::string_view text, RuleArena& arena, FileKey& out, FieldIssues& issues);
bool parseRegKey(std::string_view text, RuleArena& arena, RegKey& out, FieldIssues& issues);
bool parseExcludeKey(std::string_view text, RuleArena& arena, ExcludeKey& out, FieldIssues& issues);
bool parseDetect(std::string_view text, RuleArena& arena, DetectKey& out, FieldIssues& issues);
bool parseDetectFile(std::string_view text, RuleArena& arena, DetectFileKey& out,
                     FieldIssues& issues);
bool parseOsRange(std::string_view text, OsRange& out, FieldIssues& issues);

// The FolderVariable of that name (case-insensitive), or nullopt for any other name.
std::optional<FolderVariable> findFolderVariable(std::string_view name);
std::string_view folderVariableName(FolderVariable variable);

} // namespace vp::rules
