// The Explorer MRU targets: the browser's typed addresses, the recent documents, the Run and
// search histories. Logic only: the registry through its helpers, the Recent folder through
// ClearD.
#include "app/Form1.h"
#include "registry/MruLists.h"
#include "registry/RegistryHelpers.h"

#include <array>

namespace vp {
namespace {

constexpr std::string_view ShellFolders =
    R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)";
// The trailing backslashes are how these keys have always been named here; they name the same
// keys as without.
constexpr std::string_view RecentDocs =
    R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs\)";
constexpr std::string_view RunMru = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)";
constexpr std::string_view SearchMru =
    R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Doc Find Spec MRU\)";
constexpr std::array<std::string_view, 1> TypedUrls = {
    R"(Software\Microsoft\Internet Explorer\TypedURLs\)"};

} // namespace

void Form1::Typed() {
    BeginTarget(&Form1::Typed);
    totals.current().registryValues +=
        CleanNumberedLists(platform_, {TypedUrls, "url", 1, 100},
                           [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

void Form1::Recent() {
    BeginTarget(&Form1::Recent);
    // An unreadable path comes back empty, and the sweeper leaves an empty path alone.
    ClearD(GetRegString(platform_, CurrentUserHive, ShellFolders, "Recent", ""));
    totals.current().registryValues += DeleteLetterList(platform_, RecentDocs, 'z');
    EndLogSection();
}

void Form1::Run() {
    BeginTarget(&Form1::Run);
    totals.current().registryValues += CleanLetterList(
        platform_, RunMru, 'j', [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

void Form1::Searched() {
    BeginTarget(&Form1::Searched);
    totals.current().registryValues += CleanLetterList(
        platform_, SearchMru, 'j', [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

} // namespace vp
