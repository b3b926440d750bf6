// The rules model written out as short text, so that a test compares whole values at once and
// a failure shows what was read: "{LocalAppData}\Contoso\Cache|*.log;*.tmp|RECURSE".
#pragma once

#include "rules/RuleFields.h"
#include "rules/RuleModel.h"
#include "rules/RuleSet.h"

#include <string>

namespace vp::rules::test {

// {AppData} for a folder variable (its canonical name), ${NAME} for an environment variable,
// the drive as written.
std::string dump(const PathRoot& root);
std::string dump(const PathSpec& path);
std::string dump(const RegistryPath& key);
std::string dump(const FileKey& key);
std::string dump(const RegKey& key);
std::string dump(const ExcludeKey& key);
std::string dump(const OsRange& range);

// "!code" when the field failed, else the value; notes follow as " +code".
std::string dump(bool ok, const std::string& value, const FieldIssues& issues);

// Every diagnostic, one per line: "12 key-ignored missing-separator FileKey1 «detail»".
std::string dumpDiagnostics(const RuleSet& set);
// The problem codes only, in order, joined by spaces.
std::string problemCodes(const RuleSet& set);

} // namespace vp::rules::test
