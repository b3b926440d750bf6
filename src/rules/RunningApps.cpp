#include "rules/RunningApps.h"

#include "platform/NameCompare.h"
#include "rules/Detection.h"
#include "rules/SpecialDetects.h"

#include <algorithm>
#include <array>

namespace vp::rules {
namespace {

struct BrowserFamily {
    std::string_view folders;    // consecutive folder names, lower case
    std::string_view executable; // lower case
};

// Where each browser keeps its profile and program, and the name its program runs under.
constexpr std::array<BrowserFamily, 8> Browsers = {{
    {R"(google\chrome)", "chrome.exe"},
    {R"(chromium)", "chrome.exe"},
    {R"(microsoft\edge)", "msedge.exe"},
    {R"(mozilla\firefox)", "firefox.exe"},
    {R"(bravesoftware)", "brave.exe"},
    {R"(opera software)", "opera.exe"},
    {R"(vivaldi)", "vivaldi.exe"},
    {R"(thunderbird)", "thunderbird.exe"},
}};

// The form "\\?\C:\..." a path may be given in, and a folder's trailing backslash, both
// dropped.
std::string_view plainPath(std::string_view path) {
    if (path.starts_with(R"(\\?\)") && !path.starts_with(R"(\\?\UNC\)")) {
        path.remove_prefix(4);
    }
    while (path.size() > 1 && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return path;
}

void addFamiliesOf(std::string_view path, std::vector<std::string_view>& executables) {
    // Folder names matched whole: bounded by backslashes on both sides.
    const std::string folded = '\\' + foldCase(path) + '\\';
    for (const BrowserFamily& family : Browsers) {
        const std::string wanted = '\\' + std::string(family.folders) + '\\';
        if (folded.find(wanted) != std::string::npos &&
            std::find(executables.begin(), executables.end(), family.executable) ==
                executables.end()) {
            executables.push_back(family.executable);
        }
    }
}

} // namespace

bool liesUnder(std::string_view path, std::string_view folder) {
    folder = plainPath(folder);
    if (folder.empty()) {
        return false;
    }
    const std::string foldedPath = foldCase(plainPath(path));
    std::string foldedFolder = foldCase(folder);
    if (!foldedPath.starts_with(foldedFolder)) {
        return false;
    }
    return foldedPath.size() == foldedFolder.size() || foldedFolder.back() == '\\' ||
           foldedPath[foldedFolder.size()] == '\\';
}

std::vector<std::string_view> browserExecutables(const Entry& entry) {
    std::vector<std::string_view> executables;
    for (const DetectFileKey& key : entry.detectFiles) {
        addFamiliesOf(key.path.rest, executables);
    }
    for (const FileKey& key : entry.fileKeys) {
        addFamiliesOf(key.path.rest, executables);
    }
    if (const SpecialDetectInfo* info = findSpecialDetect(entry.special)) {
        for (const std::string_view path : info->detectFiles) {
            addFamiliesOf(path, executables);
        }
    }
    return executables;
}

std::string runningApplication(std::span<const RunningProcess> processes,
                               std::span<const std::string> folders,
                               std::span<const std::string_view> executables) {
    for (const RunningProcess& process : processes) {
        if (!process.imagePath.empty()) {
            for (const std::string& folder : folders) {
                if (liesUnder(process.imagePath, folder)) {
                    return process.executable;
                }
            }
        }
        const std::string name = foldCase(process.executable);
        if (std::find(executables.begin(), executables.end(), name) != executables.end()) {
            return process.executable;
        }
    }
    return {};
}

std::string RunningApplications::of(const Entry& entry) {
    if (!running_) {
        running_ = processes_.list();
    }
    if (running_->empty()) {
        return {};
    }
    const std::vector<std::string> folders = detector_.detectedFolders(entry);
    const std::vector<std::string_view> executables = browserExecutables(entry);
    return runningApplication(*running_, folders, executables);
}

} // namespace vp::rules
