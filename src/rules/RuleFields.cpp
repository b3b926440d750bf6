#include "rules/RuleFields.h"

#include <array>
#include <charconv>

namespace vp::rules {
namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool equalsAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// Characters Windows refuses in a file or folder name, wildcards apart.
bool forbiddenInName(char c) {
    return isControl(c) || c == '<' || c == '>' || c == ':' || c == '"' || c == '|';
}

bool onlyDotsAndBlanks(std::string_view name) {
    return name.find_first_not_of(". ") == name.npos;
}

constexpr std::array<std::pair<std::string_view, FolderVariable>, 17> FolderVariables = {{
    {"AppData", FolderVariable::AppData},
    {"LocalAppData", FolderVariable::LocalAppData},
    {"LocalLowAppData", FolderVariable::LocalLowAppData},
    {"CommonAppData", FolderVariable::CommonAppData},
    {"ProgramData", FolderVariable::ProgramData},
    {"ProgramFiles", FolderVariable::ProgramFiles},
    {"CommonProgramFiles", FolderVariable::CommonProgramFiles},
    {"Documents", FolderVariable::Documents},
    {"Music", FolderVariable::Music},
    {"Pictures", FolderVariable::Pictures},
    {"Video", FolderVariable::Video},
    {"Desktop", FolderVariable::Desktop},
    {"Public", FolderVariable::Public},
    {"SystemDrive", FolderVariable::SystemDrive},
    {"UserProfile", FolderVariable::UserProfile},
    {"WinDir", FolderVariable::WinDir},
    {"SystemRoot", FolderVariable::SystemRoot},
}};

constexpr std::array<std::pair<std::string_view, Hive>, 10> Hives = {{
    {"HKCU", Hive::CurrentUser},
    {"HKEY_CURRENT_USER", Hive::CurrentUser},
    {"HKLM", Hive::LocalMachine},
    {"HKEY_LOCAL_MACHINE", Hive::LocalMachine},
    {"HKU", Hive::Users},
    {"HKEY_USERS", Hive::Users},
    {"HKCR", Hive::ClassesRoot},
    {"HKEY_CLASSES_ROOT", Hive::ClassesRoot},
    {"HKCC", Hive::CurrentConfig},
    {"HKEY_CURRENT_CONFIG", Hive::CurrentConfig},
}};

// The folders of a path after its root: each checked, then joined by single backslashes
// ("." dropped). The text is kept as it was written whenever it already had that form.
bool parseFolders(std::string_view rest, RuleArena& arena, std::string_view& out,
                  FieldIssues& issues) {
    std::string_view body = rest;
    if (!body.empty() && isSeparator(body.front())) {
        body.remove_prefix(1);
    }
    while (!body.empty() && isSeparator(body.back())) {
        body.remove_suffix(1);
    }
    out = {};
    if (body.empty()) {
        return true;
    }
    bool canonical = true;
    for (std::size_t pos = 0; pos <= body.size();) {
        std::size_t end = pos;
        while (end < body.size() && !isSeparator(body[end])) {
            ++end;
        }
        if (end < body.size() && body[end] == '/') {
            canonical = false;
        }
        const std::string_view segment = body.substr(pos, end - pos);
        pos = end + 1;
        if (segment.empty() || segment == ".") {
            canonical = false; // doubled separators and "." name no folder
            continue;
        }
        if (onlyDotsAndBlanks(segment)) {
            // Windows drops a name's trailing dots and blanks: "..", "..." and ". ." all climb
            // to the parent, and a blank name is no name.
            if (segment.find_first_not_of('.') == segment.npos) {
                return issues.fail(Problem::ParentSegment);
            }
            return issues.fail(Problem::BadCharacter, shortened(segment));
        }
        for (const char c : segment) {
            if (forbiddenInName(c)) {
                return issues.fail(Problem::BadCharacter, shortened(segment));
            }
        }
        if (segment.size() > 2 && segment.front() == '%' && segment.find('%', 1) != segment.npos) {
            return issues.fail(Problem::VariableInside, shortened(segment));
        }
    }
    if (canonical) {
        out = body;
        return true;
    }
    std::string joined;
    joined.reserve(body.size());
    for (std::size_t pos = 0; pos <= body.size();) {
        std::size_t end = pos;
        while (end < body.size() && !isSeparator(body[end])) {
            ++end;
        }
        const std::string_view segment = body.substr(pos, end - pos);
        pos = end + 1;
        if (segment.empty() || segment == ".") {
            continue;
        }
        if (!joined.empty()) {
            joined += '\\';
        }
        joined += segment;
    }
    out = arena.keep(joined);
    return true;
}

bool parseBound(std::string_view text, OsBound& out) {
    out = OsBound{};
    if (text.empty()) {
        return true;
    }
    std::uint32_t parts[3] = {};
    std::size_t count = 0;
    std::size_t pos = 0;
    while (true) {
        const std::size_t dot = text.find('.', pos);
        const std::string_view part = text.substr(pos, dot == text.npos ? text.npos : dot - pos);
        if (count == 3 || part.empty() || part.size() > 9) {
            return false;
        }
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (error != std::errc() || end != part.data() + part.size()) {
            return false;
        }
        parts[count++] = value;
        if (dot == text.npos) {
            break;
        }
        pos = dot + 1;
    }
    out.parts = static_cast<std::uint8_t>(count);
    out.version = OsVersion{parts[0], parts[1], parts[2]};
    return true;
}

bool boundsCross(const OsBound& min, const OsBound& max) {
    const std::uint32_t low[] = {min.version.major, min.version.minor, min.version.build};
    const std::uint32_t high[] = {max.version.major, max.version.minor, max.version.build};
    const std::size_t shared = std::min(min.parts, max.parts);
    for (std::size_t i = 0; i < shared; ++i) {
        if (low[i] != high[i]) {
            return low[i] > high[i];
        }
    }
    return false;
}

} // namespace

bool FieldIssues::fail(Problem problem, std::string_view detail) {
    error = FieldIssue{problem, std::string(detail)};
    return false;
}

void FieldIssues::note(Problem problem, std::string_view detail) {
    notes.push_back(FieldIssue{problem, std::string(detail)});
}

std::string shortened(std::string_view text) {
    if (text.size() <= MaxDetailLength) {
        return std::string(text);
    }
    std::size_t cut = MaxDetailLength;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut; // not inside a character
    }
    return std::string(text.substr(0, cut)) + "…";
}

std::string_view trimmed(std::string_view text) {
    while (true) {
        if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
        } else if (text.starts_with(Bom)) {
            text.remove_prefix(Bom.size());
        } else {
            break;
        }
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<FolderVariable> findFolderVariable(std::string_view name) {
    for (const auto& [text, variable] : FolderVariables) {
        if (equalsAscii(text, name)) {
            return variable;
        }
    }
    return std::nullopt;
}

std::string_view folderVariableName(FolderVariable variable) {
    for (const auto& [text, known] : FolderVariables) {
        if (known == variable) {
            return text;
        }
    }
    return "?";
}

bool parsePath(std::string_view text, RuleArena& arena, PathSpec& out, FieldIssues& issues) {
    text = trimmed(text);
    out = PathSpec{};
    if (text.empty()) {
        return issues.fail(Problem::NoRoot);
    }
    std::string_view rest;
    if (isSeparator(text[0])) {
        const bool network = text.size() > 1 && isSeparator(text[1]);
        return issues.fail(network ? Problem::NetworkPath : Problem::NoRoot, shortened(text));
    }
    if (text[0] == '%') {
        const std::size_t close = text.find('%', 1);
        if (close == text.npos || close == 1) {
            return issues.fail(Problem::BadVariable, shortened(text));
        }
        const std::string_view name = text.substr(1, close - 1);
        for (const char c : name) {
            if (isControl(c) || isSeparator(c) || c == '=') {
                return issues.fail(Problem::BadVariable, shortened(text.substr(0, close + 1)));
            }
        }
        rest = text.substr(close + 1);
        if (!rest.empty() && !isSeparator(rest.front())) {
            return issues.fail(Problem::BadVariable, shortened(text));
        }
        if (const auto folder = findFolderVariable(name)) {
            out.root = PathRoot{RootKind::Folder, *folder, name};
        } else {
            out.root = PathRoot{RootKind::Environment, FolderVariable::AppData, name};
        }
    } else if (text.size() >= 2 && text[1] == ':' &&
               ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'))) {
        rest = text.substr(2);
        if (!rest.empty() && !isSeparator(rest.front())) {
            return issues.fail(Problem::DriveRelative, shortened(text));
        }
        out.root = PathRoot{RootKind::Drive, FolderVariable::AppData, text.substr(0, 2)};
    } else {
        return issues.fail(Problem::NoRoot, shortened(text));
    }
    return parseFolders(rest, arena, out.rest, issues);
}

bool parseRegistryPath(std::string_view text, RuleArena& arena, RegistryPath& out,
                       FieldIssues& issues) {
    text = trimmed(text);
    out = RegistryPath{};
    const std::size_t slash = text.find('\\');
    const std::string_view hiveName = text.substr(0, slash);
    bool found = false;
    for (const auto& [name, hive] : Hives) {
        if (equalsAscii(name, hiveName)) {
            out.hive = hive;
            found = true;
            break;
        }
    }
    if (!found) {
        return issues.fail(Problem::UnknownHive, shortened(hiveName.empty() ? text : hiveName));
    }
    if (slash == text.npos) {
        return true;
    }
    const std::string_view subkey = text.substr(slash + 1);
    bool canonical = true;
    char previous = '\\';
    for (const char c : subkey) {
        if (isControl(c)) {
            return issues.fail(Problem::BadCharacter, shortened(subkey));
        }
        if (c == '\\' && previous == '\\') {
            canonical = false;
        }
        previous = c;
    }
    if (!subkey.empty() && subkey.back() == '\\') {
        canonical = false;
    }
    if (canonical) {
        out.subkey = subkey;
        return true;
    }
    std::string joined;
    joined.reserve(subkey.size());
    for (std::size_t pos = 0; pos < subkey.size();) {
        const std::size_t end = std::min(subkey.find('\\', pos), subkey.size());
        if (end > pos) {
            if (!joined.empty()) {
                joined += '\\';
            }
            joined += subkey.substr(pos, end - pos);
        }
        pos = end + 1;
    }
    out.subkey = arena.keep(joined);
    return true;
}

bool parsePatterns(std::string_view text, RuleArena& arena, PatternList& out, FieldIssues& issues) {
    out = PatternList{};
    bool canonical = true;
    bool emptySeen = false;
    std::size_t valid = 0;
    for (std::size_t pos = 0; pos <= text.size();) {
        const std::size_t end = std::min(text.find(';', pos), text.size());
        const std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        const std::string_view pattern = trimmed(raw);
        if (pattern.size() != raw.size()) {
            canonical = false;
        }
        if (pattern.empty()) {
            canonical = false;
            emptySeen = true;
            continue;
        }
        if (onlyDotsAndBlanks(pattern)) {
            return issues.fail(Problem::BadPattern, shortened(pattern));
        }
        for (const char c : pattern) {
            if (forbiddenInName(c) || isSeparator(c)) {
                return issues.fail(Problem::BadPattern, shortened(pattern));
            }
        }
        ++valid;
    }
    if (valid == 0) {
        return issues.fail(Problem::NoPattern);
    }
    if (emptySeen) {
        issues.note(Problem::EmptyPattern);
    }
    if (canonical) {
        out = PatternList(text);
        return true;
    }
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t pos = 0; pos <= text.size();) {
        const std::size_t end = std::min(text.find(';', pos), text.size());
        const std::string_view pattern = trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        if (!pattern.empty()) {
            if (!joined.empty()) {
                joined += ';';
            }
            joined += pattern;
        }
    }
    out = PatternList(arena.keep(joined));
    return true;
}

bool parseFileKey(std::string_view text, RuleArena& arena, FileKey& out, FieldIssues& issues) {
    text = trimmed(text);
    const std::size_t first = text.find('|');
    if (first == text.npos) {
        return issues.fail(Problem::MissingSeparator, shortened(text));
    }
    const std::size_t second = text.find('|', first + 1);
    if (second != text.npos && text.find('|', second + 1) != text.npos) {
        return issues.fail(Problem::TooManyFields, shortened(text));
    }
    if (!parsePath(text.substr(0, first), arena, out.path, issues)) {
        return false;
    }
    const std::string_view patterns =
        second == text.npos ? text.substr(first + 1) : text.substr(first + 1, second - first - 1);
    if (!parsePatterns(patterns, arena, out.patterns, issues)) {
        return false;
    }
    out.flag = FileKeyFlag::None;
    if (second != text.npos) {
        const std::string_view flag = trimmed(text.substr(second + 1));
        if (equalsAscii(flag, "RECURSE")) {
            out.flag = FileKeyFlag::Recurse;
        } else if (equalsAscii(flag, "REMOVESELF")) {
            out.flag = FileKeyFlag::RemoveSelf;
        } else {
            return issues.fail(Problem::UnknownFlag, shortened(flag));
        }
    }
    return true;
}

namespace {

// "key" or "key|value": the value name is everything after the first bar (a value name may
// hold a bar; a key name may not hold a backslash, and the bar comes after the key).
bool parseKeyAndValue(std::string_view text, RuleArena& arena, RegistryPath& key, bool& hasValue,
                      std::string_view& value, FieldIssues& issues) {
    const std::size_t bar = text.find('|');
    if (!parseRegistryPath(text.substr(0, bar), arena, key, issues)) {
        return false;
    }
    hasValue = bar != text.npos;
    value = {};
    if (!hasValue) {
        return true;
    }
    value = text.substr(bar + 1);
    if (value.empty()) {
        return issues.fail(Problem::EmptyValueName);
    }
    for (const char c : value) {
        if (isControl(c)) {
            return issues.fail(Problem::BadCharacter, shortened(value));
        }
    }
    return true;
}

} // namespace

bool parseRegKey(std::string_view text, RuleArena& arena, RegKey& out, FieldIssues& issues) {
    text = trimmed(text);
    if (!parseKeyAndValue(text, arena, out.key, out.hasValue, out.value, issues)) {
        return false;
    }
    if (!out.hasValue && out.key.subkey.empty()) {
        return issues.fail(Problem::WholeHive, shortened(text));
    }
    return true;
}

bool parseExcludeKey(std::string_view text, RuleArena& arena, ExcludeKey& out,
                     FieldIssues& issues) {
    text = trimmed(text);
    const std::size_t first = text.find('|');
    if (first == text.npos) {
        return issues.fail(Problem::MissingSeparator, shortened(text));
    }
    const std::string_view kind = trimmed(text.substr(0, first));
    const std::string_view rest = text.substr(first + 1);
    if (equalsAscii(kind, "REG")) {
        out.kind = ExcludeKind::Registry;
        return parseKeyAndValue(rest, arena, out.key, out.hasValue, out.value, issues);
    }
    if (equalsAscii(kind, "FILE")) {
        out.kind = ExcludeKind::File;
    } else if (equalsAscii(kind, "PATH")) {
        out.kind = ExcludeKind::Path;
    } else {
        return issues.fail(Problem::UnknownExcludeKind, shortened(kind));
    }
    const std::size_t bar = rest.find('|');
    if (bar != rest.npos) {
        if (rest.find('|', bar + 1) != rest.npos) {
            return issues.fail(Problem::TooManyFields, shortened(text));
        }
        return parsePath(rest.substr(0, bar), arena, out.folder, issues) &&
               parsePatterns(rest.substr(bar + 1), arena, out.names, issues);
    }
    // Without a second bar: PATH|folder is that whole folder and everything below; FILE|path
    // names one file by its full path. Both excluded, as written, rather than dropped.
    if (!parsePath(rest, arena, out.folder, issues)) {
        return false;
    }
    if (out.kind == ExcludeKind::Path) {
        out.names = PatternList("*");
        issues.note(Problem::ShortExclude, "PATH|" + shortened(trimmed(rest)) + "|*");
        return true;
    }
    const std::string_view folders = out.folder.rest;
    if (folders.empty()) {
        return issues.fail(Problem::NoPattern);
    }
    const std::size_t last = folders.rfind('\\');
    const std::string_view name = last == folders.npos ? folders : folders.substr(last + 1);
    out.folder.rest = last == folders.npos ? std::string_view() : folders.substr(0, last);
    if (!parsePatterns(name, arena, out.names, issues)) {
        return false;
    }
    issues.note(Problem::ShortExclude, "FILE|…|" + shortened(name));
    return true;
}

bool parseDetect(std::string_view text, RuleArena& arena, DetectKey& out, FieldIssues& issues) {
    text = trimmed(text);
    if (text.find('|') != text.npos) {
        return issues.fail(Problem::TooManyFields, shortened(text));
    }
    return parseRegistryPath(text, arena, out.key, issues);
}

bool parseDetectFile(std::string_view text, RuleArena& arena, DetectFileKey& out,
                     FieldIssues& issues) {
    return parsePath(text, arena, out.path, issues);
}

bool parseOsRange(std::string_view text, OsRange& out, FieldIssues& issues) {
    text = trimmed(text);
    out = OsRange{};
    const std::size_t bar = text.find('|');
    if (bar == text.npos) {
        return issues.fail(Problem::MissingSeparator, shortened(text));
    }
    if (text.find('|', bar + 1) != text.npos) {
        return issues.fail(Problem::TooManyFields, shortened(text));
    }
    if (!parseBound(trimmed(text.substr(0, bar)), out.min) ||
        !parseBound(trimmed(text.substr(bar + 1)), out.max)) {
        out = OsRange{};
        return issues.fail(Problem::BadOsVersion, shortened(text));
    }
    if (out.min.parts != 0 && out.max.parts != 0 && boundsCross(out.min, out.max)) {
        out = OsRange{};
        return issues.fail(Problem::EmptyOsRange, shortened(text));
    }
    return true;
}

} // namespace vp::rules
