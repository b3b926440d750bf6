#include "rules/RuleDump.h"

namespace vp::rules::test {

std::string dump(const PathRoot& root) {
    switch (root.kind) {
    case RootKind::Drive:
        return std::string(root.text);
    case RootKind::Folder:
        return "{" + std::string(folderVariableName(root.folder)) + "}";
    case RootKind::Environment:
        return "${" + std::string(root.text) + "}";
    }
    return "?";
}

std::string dump(const PathSpec& path) {
    std::string out = dump(path.root);
    if (!path.rest.empty()) {
        out += "\\" + std::string(path.rest);
    }
    return out;
}

std::string dump(const RegistryPath& key) {
    std::string out(hiveShortName(key.hive));
    if (!key.subkey.empty()) {
        out += "\\" + std::string(key.subkey);
    }
    return out;
}

std::string dump(const FileKey& key) {
    std::string out = dump(key.path) + "|" + std::string(key.patterns.text());
    if (key.flag == FileKeyFlag::Recurse) {
        out += "|RECURSE";
    } else if (key.flag == FileKeyFlag::RemoveSelf) {
        out += "|REMOVESELF";
    }
    return out;
}

std::string dump(const RegKey& key) {
    return dump(key.key) + (key.hasValue ? "|" + std::string(key.value) : std::string());
}

std::string dump(const ExcludeKey& key) {
    switch (key.kind) {
    case ExcludeKind::File:
        return "FILE " + dump(key.folder) + "|" + std::string(key.names.text());
    case ExcludeKind::Path:
        return "PATH " + dump(key.folder) + "|" + std::string(key.names.text());
    case ExcludeKind::Registry:
        return "REG " + dump(key.key) + (key.hasValue ? "|" + std::string(key.value) : "");
    }
    return "?";
}

namespace {

std::string dump(const OsBound& bound) {
    if (bound.parts == 0) {
        return "";
    }
    std::string out = std::to_string(bound.version.major);
    if (bound.parts > 1) {
        out += "." + std::to_string(bound.version.minor);
    }
    if (bound.parts > 2) {
        out += "." + std::to_string(bound.version.build);
    }
    return out;
}

} // namespace

std::string dump(const OsRange& range) {
    return dump(range.min) + "|" + dump(range.max);
}

std::string dump(bool ok, const std::string& value, const FieldIssues& issues) {
    std::string out = ok ? value : "!" + std::string(problemCode(issues.error->problem));
    for (const FieldIssue& note : issues.notes) {
        out += " +" + std::string(problemCode(note.problem));
    }
    return out;
}

std::string dumpDiagnostics(const RuleSet& set) {
    std::string out;
    for (const Diagnostic& d : set.diagnostics()) {
        out += std::to_string(d.line) + " " + std::string(effectCode(d.effect)) + " " +
               std::string(problemCode(d.problem));
        if (!d.key.empty()) {
            out += " " + d.key;
        }
        if (!d.detail.empty()) {
            out += " «" + d.detail + "»";
        }
        out += "\n";
    }
    return out;
}

std::string problemCodes(const RuleSet& set) {
    std::string out;
    for (const Diagnostic& d : set.diagnostics()) {
        if (!out.empty()) {
            out += ' ';
        }
        out += problemCode(d.problem);
    }
    return out;
}

} // namespace vp::rules::test
