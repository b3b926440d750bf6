#include "rules/RootExpansion.h"

#include "platform/Environment.h"
#include "platform/KnownFolders.h"
#include "platform/NameCompare.h"
#include "rules/RuleFields.h"

#include <algorithm>

namespace vp::rules {
namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool unusableInFolderName(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' ||
           c == '|' || c == '*' || c == '?';
}

} // namespace

std::string_view expansionFailureCode(ExpansionFailure failure) {
    switch (failure) {
    case ExpansionFailure::None:
        return "none";
    case ExpansionFailure::VariableUnset:
        return "variable-unset";
    case ExpansionFailure::FolderUnknown:
        return "folder-unknown";
    case ExpansionFailure::NotAbsolute:
        return "not-absolute";
    case ExpansionFailure::BadRoot:
        return "bad-root";
    }
    return "unknown";
}

std::string frenchExpansionFailure(const Expansion& expansion) {
    const std::string variable = "%" + expansion.variable + "%";
    switch (expansion.failure) {
    case ExpansionFailure::None:
        return {};
    case ExpansionFailure::VariableUnset:
        return "la variable " + variable + " n'est pas définie";
    case ExpansionFailure::FolderUnknown:
        return "le système n'indique aucun dossier pour " + variable;
    case ExpansionFailure::NotAbsolute:
        return variable + " vaut « " + shortened(expansion.value) +
               " », qui n'est pas un chemin complet";
    case ExpansionFailure::BadRoot:
        return variable + " vaut « " + shortened(expansion.value) +
               " », qui ne peut pas servir de dossier";
    }
    return {};
}

ExpansionFailure normalizeRoot(std::string_view value, std::string& out) {
    std::string path(value);
    std::replace(path.begin(), path.end(), '/', '\\');
    std::string prefix;
    std::size_t pos = 0;
    if (path.starts_with("\\\\")) {
        if (path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\")) {
            return ExpansionFailure::BadRoot; // device and extended forms
        }
        // \\server\share: both names needed, and they belong to the root.
        const std::size_t server = path.find('\\', 2);
        if (server == 2 || server == path.npos) {
            return ExpansionFailure::BadRoot;
        }
        std::size_t share = path.find('\\', server + 1);
        if (share == server + 1) {
            return ExpansionFailure::BadRoot;
        }
        share = share == path.npos ? path.size() : share;
        prefix = path.substr(0, share);
        pos = share;
        for (const char c : std::string_view(prefix).substr(2)) {
            if (c != '\\' && unusableInFolderName(c)) {
                return ExpansionFailure::BadRoot;
            }
        }
    } else if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':') {
        if (path.size() > 2 && path[2] != '\\') {
            return ExpansionFailure::NotAbsolute; // "C:folder" depends on a current folder
        }
        prefix = path.substr(0, 2);
        pos = 2;
    } else {
        return ExpansionFailure::NotAbsolute;
    }
    std::vector<std::string_view> folders;
    const std::string_view rest = std::string_view(path).substr(pos);
    for (std::size_t at = 0; at <= rest.size();) {
        const std::size_t end = std::min(rest.find('\\', at), rest.size());
        const std::string_view name = rest.substr(at, end - at);
        at = end + 1;
        if (name.empty() || name == ".") {
            continue;
        }
        if (name == "..") {
            if (folders.empty()) {
                return ExpansionFailure::BadRoot;
            }
            folders.pop_back();
            continue;
        }
        if (name.find_first_not_of(". ") == name.npos ||
            std::any_of(name.begin(), name.end(), unusableInFolderName)) {
            return ExpansionFailure::BadRoot;
        }
        folders.push_back(name);
    }
    out = prefix;
    for (const std::string_view name : folders) {
        out += '\\';
        out += name;
    }
    return ExpansionFailure::None;
}

std::string ExpandedPath::literalPrefix() const {
    std::string out = root;
    for (const Segment segment : segments()) {
        if (segment.wildcard) {
            break;
        }
        out += '\\';
        out += segment.text;
    }
    if (out.size() == 2 && out[1] == ':') {
        out += '\\';
    }
    return out;
}

std::string ExpandedPath::text() const {
    std::string out = root;
    if (!rest.empty()) {
        out += '\\';
        out += rest;
    } else if (out.size() == 2 && out[1] == ':') {
        out += '\\';
    }
    return out;
}

RootExpander::RootExpander(KnownFolders& folders, Environment& environment)
    : folders_(folders), environment_(environment) {}

Expansion RootExpander::expand(const PathSpec& path) {
    const Roots& found = roots(path.root);
    Expansion out;
    out.variable = std::string(path.root.text);
    out.failure = found.failure;
    out.value = found.value;
    out.candidates.reserve(found.folders.size());
    for (const std::string& folder : found.folders) {
        out.candidates.push_back(ExpandedPath{folder, path.rest});
    }
    return out;
}

const RootExpander::Roots& RootExpander::roots(const PathRoot& root) {
    // One key per kind of root: D and the drive, F and the folder's number, E and the name.
    std::string key(1, 'D');
    switch (root.kind) {
    case RootKind::Drive:
        key += foldCase(root.text);
        break;
    case RootKind::Folder:
        key[0] = 'F';
        key += std::to_string(static_cast<int>(root.folder));
        break;
    case RootKind::Environment:
        key[0] = 'E';
        key += foldCase(root.text);
        break;
    }
    const auto found = cache_.find(key);
    if (found != cache_.end()) {
        return found->second;
    }
    return cache_.emplace(std::move(key), lookUp(root)).first->second;
}

RootExpander::Roots RootExpander::lookUp(const PathRoot& root) {
    Roots out;
    if (root.kind == RootKind::Drive) {
        std::string folder;
        out.failure = normalizeRoot(root.text, folder);
        if (out.failure == ExpansionFailure::None) {
            out.folders.push_back(std::move(folder));
        }
        return out;
    }
    if (root.kind == RootKind::Folder) {
        out.folders = knownFolders(root.folder, out.failure, out.value);
        return out;
    }
    const std::optional<std::string> value = environment_.variable(root.text);
    if (!value) {
        out.failure = ExpansionFailure::VariableUnset;
        return out;
    }
    std::string folder;
    out.failure = normalizeRoot(*value, folder);
    if (out.failure == ExpansionFailure::None) {
        out.folders.push_back(std::move(folder));
    } else {
        out.value = *value;
    }
    return out;
}

std::vector<std::string> RootExpander::knownFolders(FolderVariable variable,
                                                    ExpansionFailure& failure, std::string& value) {
    std::vector<KnownFolder> asked;
    switch (variable) {
    case FolderVariable::AppData:
        asked = {KnownFolder::RoamingAppData};
        break;
    case FolderVariable::LocalAppData:
        asked = {KnownFolder::LocalAppData};
        break;
    case FolderVariable::LocalLowAppData:
        asked = {KnownFolder::LocalLowAppData};
        break;
    case FolderVariable::CommonAppData:
    case FolderVariable::ProgramData:
        asked = {KnownFolder::ProgramData};
        break;
    case FolderVariable::ProgramFiles:
        asked = {KnownFolder::ProgramFiles, KnownFolder::ProgramFilesX86};
        break;
    case FolderVariable::CommonProgramFiles:
        asked = {KnownFolder::CommonProgramFiles, KnownFolder::CommonProgramFilesX86};
        break;
    case FolderVariable::Documents:
        asked = {KnownFolder::Documents};
        break;
    case FolderVariable::Music:
        asked = {KnownFolder::Music};
        break;
    case FolderVariable::Pictures:
        asked = {KnownFolder::Pictures};
        break;
    case FolderVariable::Video:
        asked = {KnownFolder::Videos};
        break;
    case FolderVariable::Desktop:
        asked = {KnownFolder::Desktop};
        break;
    case FolderVariable::Public:
        asked = {KnownFolder::Public};
        break;
    case FolderVariable::UserProfile:
        asked = {KnownFolder::Profile};
        break;
    case FolderVariable::SystemDrive:
    case FolderVariable::WinDir:
    case FolderVariable::SystemRoot:
        asked = {KnownFolder::Windows};
        break;
    }
    std::vector<std::string> out;
    failure = ExpansionFailure::FolderUnknown;
    for (const KnownFolder folder : asked) {
        const std::optional<std::string> path = folders_.path(folder);
        if (!path) {
            continue;
        }
        std::string normalized;
        const ExpansionFailure problem = normalizeRoot(*path, normalized);
        if (problem != ExpansionFailure::None) {
            failure = problem;
            value = *path;
            continue;
        }
        if (variable == FolderVariable::SystemDrive) {
            // The drive the Windows folder lies on.
            if (normalized.size() < 2 || normalized[1] != ':') {
                failure = ExpansionFailure::BadRoot;
                value = *path;
                continue;
            }
            normalized.resize(2);
        }
        const bool seen = std::any_of(out.begin(), out.end(), [&](const std::string& earlier) {
            return namesEqual(earlier, normalized);
        });
        if (!seen) {
            out.push_back(std::move(normalized));
        }
    }
    if (!out.empty()) {
        failure = ExpansionFailure::None;
        value.clear();
    }
    return out;
}

} // namespace vp::rules
