// The application MRU targets: the recent lists of the burning application and its cover
// designer, the development environment, the media player and the two archivers. Logic only,
// through the registry helpers.
#include "app/Form1.h"
#include "registry/MruLists.h"

#include <array>

namespace vp {
namespace {

constexpr std::array<std::string_view, 1> NeroFiles = {
    R"(Software\Ahead\Nero - Burning Rom\Recent File List)"};
constexpr std::array<std::string_view, 1> CoverFiles = {
    R"(Software\Ahead\Cover Designer\Recent File List)"};
// Version 6.0 first: for each number its entry is handled before the 5.0 one.
constexpr std::array<std::string_view, 2> VisualBasicFiles = {
    R"(Software\Microsoft\Visual Basic\6.0\RecentFiles)",
    R"(Software\Microsoft\Visual Basic\5.0\RecentFiles)"};
constexpr std::array<std::string_view, 1> MediaPlayerUrls = {
    R"(Software\Microsoft\MediaPlayer\Player\RecentURLList)"};
constexpr std::array<std::string_view, 3> WinRarHistories = {
    R"(Software\WinRAR\ArcHistory)", R"(Software\WinRAR\DialogEditHistory\ArcName)",
    R"(Software\WinRAR\DialogEditHistory\ExtrPath)"};
constexpr std::array<std::string_view, 1> WinZipFiles = {
    R"(Software\Nico Mak Computing\WinZip\filemenu)"};

} // namespace

void Form1::Nero() {
    BeginTarget(&Form1::Nero);
    totals.current().registryValues +=
        CleanNumberedLists(platform_, {NeroFiles, "file", 1, 100},
                           [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

void Form1::Cover() {
    BeginTarget(&Form1::Cover);
    totals.current().registryValues +=
        CleanNumberedLists(platform_, {CoverFiles, "file", 1, 100},
                           [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

void Form1::VB() {
    BeginTarget(&Form1::VB);
    totals.current().registryValues +=
        CleanNumberedLists(platform_, {VisualBasicFiles, "", 1, 100},
                           [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

void Form1::WM() {
    BeginTarget(&Form1::WM);
    totals.current().registryValues +=
        CleanNumberedLists(platform_, {MediaPlayerUrls, "URL", 0, 100},
                           [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

void Form1::Rar() {
    BeginTarget(&Form1::Rar);
    totals.current().registryValues +=
        CleanNumberedLists(platform_, {WinRarHistories, "", 0, 100},
                           [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

void Form1::Zip() {
    BeginTarget(&Form1::Zip);
    totals.current().registryValues +=
        CleanNumberedLists(platform_, {WinZipFiles, "filemenu", 1, 100},
                           [this](std::string_view line) { AppendLogLine(line); });
    EndLogSection();
}

} // namespace vp
