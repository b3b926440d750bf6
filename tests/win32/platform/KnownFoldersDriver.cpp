// The Win32 known folders under Wine: every folder the rules' variables name is answered, as a
// full path, and agrees with what Windows itself puts in the environment of a new process; both
// Program Files folders on a 64-bit Windows, from a 64-bit program and from a 32-bit one.
// Prints one "ok"/"FAIL" line per check; the exit code is the number of failures.
#include "Checks.h"

#include "platform/Environment.h"
#include "platform/NameCompare.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32KnownFolders.h"
#include "rules/RootExpansion.h"
#include "rules/RuleFields.h"

#include <windows.h>

#include <string>

namespace {

using vp::KnownFolder;
using vp::testing::check;

bool sixtyFourBitWindows() {
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

} // namespace

int main() {
    vp::win32::Win32KnownFolders folders;
    vp::win32::Win32Environment environment;

    std::string missing;
    for (int i = 0; i < vp::KnownFolderCount; ++i) {
        const auto folder = static_cast<KnownFolder>(i);
        const std::optional<std::string> path = folders.path(folder);
        std::string settled;
        if (!path ||
            vp::rules::normalizeRoot(*path, settled) != vp::rules::ExpansionFailure::None) {
            missing += "\n    " + std::string(vp::knownFolderName(folder)) + ": " +
                       path.value_or("(none)");
        }
    }
    check(missing.empty(), "every known folder is answered with a full path", missing);

    // What Windows (and Wine) put in every process's environment, asked independently.
    const std::pair<KnownFolder, const char*> agreeing[] = {
        {KnownFolder::RoamingAppData, "APPDATA"}, {KnownFolder::LocalAppData, "LOCALAPPDATA"},
        {KnownFolder::Profile, "USERPROFILE"},    {KnownFolder::ProgramData, "ProgramData"},
        {KnownFolder::Public, "PUBLIC"},          {KnownFolder::Windows, "SystemRoot"},
    };
    for (const auto& [folder, variable] : agreeing) {
        const auto fromShell = folders.path(folder);
        const auto fromEnvironment = environment.variable(variable);
        check(fromShell && fromEnvironment && vp::namesEqual(*fromShell, *fromEnvironment),
              std::string(vp::knownFolderName(folder)) + " is %" + variable + "%",
              fromShell.value_or("(none)") + " against " + fromEnvironment.value_or("(unset)"));
    }

    const auto programs = folders.path(KnownFolder::ProgramFiles);
    const auto programs32 = folders.path(KnownFolder::ProgramFilesX86);
    const auto common = folders.path(KnownFolder::CommonProgramFiles);
    const auto common32 = folders.path(KnownFolder::CommonProgramFilesX86);
    if (sixtyFourBitWindows()) {
        // ProgramW6432 names the system's own folder in 32-bit processes as in 64-bit ones.
        const std::pair<std::optional<std::string>, const char*> system[] = {
            {programs, "ProgramW6432"},
            {programs32, "ProgramFiles(x86)"},
            {common, "CommonProgramW6432"},
            {common32, "CommonProgramFiles(x86)"},
        };
        for (const auto& [fromShell, variable] : system) {
            const auto fromEnvironment = environment.variable(variable);
            check(fromShell && fromEnvironment && vp::namesEqual(*fromShell, *fromEnvironment),
                  std::string("a Program Files folder is %") + variable + "%",
                  fromShell.value_or("(none)") + " against " + fromEnvironment.value_or("(unset)"));
        }
        check(programs && programs32 && !vp::namesEqual(*programs, *programs32),
              "the 64-bit and 32-bit Program Files folders differ",
              programs.value_or("(none)") + " and " + programs32.value_or("(none)"));
        // What a 32-bit program falls back on, checked from either kind of program.
        const auto recorded = vp::win32::Win32KnownFolders::systemViewProgramFolder(false);
        const auto recordedCommon = vp::win32::Win32KnownFolders::systemViewProgramFolder(true);
        check(recorded && programs && vp::namesEqual(*recorded, *programs) && recordedCommon &&
                  common && vp::namesEqual(*recordedCommon, *common),
              "the registry's 64-bit view records the same Program Files folders",
              recorded.value_or("(none)") + ", " + recordedCommon.value_or("(none)"));
    }

    // A rule's %ProgramFiles% stands for both folders on a 64-bit Windows, once each.
    vp::rules::RuleArena arena(256);
    vp::rules::PathSpec path;
    vp::rules::FieldIssues issues;
    vp::rules::parsePath(R"(%ProgramFiles%\Contoso)", arena, path, issues);
    vp::rules::RootExpander expander(folders, environment);
    const vp::rules::Expansion expansion = expander.expand(path);
    std::string shown;
    for (const auto& candidate : expansion.candidates) {
        shown += ' ';
        shown += candidate.text();
    }
    check(expansion.candidates.size() == (sixtyFourBitWindows() ? 2u : 1u),
          "%ProgramFiles% expands to each Program Files folder once", shown);

    vp::rules::parsePath(R"(%SystemDrive%\x)", arena, path, issues);
    const vp::rules::Expansion drive = expander.expand(path);
    const auto systemDrive = environment.variable("SystemDrive");
    check(drive.candidates.size() == 1 && systemDrive &&
              vp::namesEqual(drive.candidates[0].root, *systemDrive),
          "%SystemDrive% is the Windows folder's drive",
          (drive.candidates.empty() ? std::string("(none)") : drive.candidates[0].root) +
              " against " + systemDrive.value_or("(unset)"));
    return vp::testing::summary();
}
