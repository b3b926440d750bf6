// Whether an entry applies to this machine: its Windows versions (DetectOS), then its
// detection keys (a registry key that exists, a file or folder that is there; any one of them
// is enough) or the application its SpecialDetect names. An entry without a detection key
// applies everywhere; a refused entry never does. Thousands of entries name the same few
// places, so every distinct place is looked up once and the answer kept.
#pragma once

#include "rules/RootExpansion.h"
#include "rules/RuleModel.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vp {
class FileSystem;
class Folder;
class NarrowText;
class Registry;
} // namespace vp

namespace vp::rules {

enum class DetectionResult : std::uint8_t {
    Detected,
    NotDetected,
    OtherWindows,   // DetectOS leaves this Windows out (or this Windows' version is unknown)
    UnknownSpecial, // a SpecialDetect value this program does not know
    Refused,        // the entry could not be read whole
};

std::string_view frenchDetectionResult(DetectionResult result);

class Detector {
public:
    // `windows`: the running Windows' kernel version, nullopt when unknown (an entry limited to
    // some versions then never applies). Everything must outlive the detector.
    Detector(FileSystem& files, Registry& registry, const NarrowText& narrow,
             RootExpander& expander, std::optional<OsVersion> windows);

    DetectionResult detect(const Entry& entry);
    bool applies(const Entry& entry) { return detect(entry) == DetectionResult::Detected; }

    // Places actually looked up (registry keys and paths), each counted once.
    std::size_t lookups() const { return lookups_; }

    bool registryKeyExists(const RegistryPath& key);
    bool pathExists(const PathSpec& path);

    // The folders the entry's DetectFile keys found on this machine: a folder found, or the
    // folder holding a file found. Where the application's own programs live, for telling
    // whether it runs. A folder directly holding the file of a variable's root (Program Files
    // itself) and anything under the Windows folder are left out: every program would lie
    // under them. Looks up what detection has not looked up yet.
    std::vector<std::string> detectedFolders(const Entry& entry);

private:
    bool lookUpRegistryKey(const RegistryPath& key);
    bool lookUpPath(const PathSpec& path, std::vector<std::string>& folders);
    bool special(SpecialDetection detection);
    // The root folder opened once for every path that starts there; null when it cannot be.
    std::shared_ptr<Folder> rootFolder(const std::string& root);

    FileSystem& files_;
    Registry& registry_;
    const NarrowText& narrow_;
    RootExpander& expander_;
    std::optional<OsVersion> windows_;
    std::unordered_map<std::string, bool> known_; // folded place, found
    std::unordered_map<std::string, std::shared_ptr<Folder>> roots_;
    std::unordered_map<std::string, std::vector<std::string>> folders_; // folded place, found in
    std::size_t lookups_ = 0;
};

} // namespace vp::rules
