#include "rules/Detection.h"

#include "platform/FileSystem.h"
#include "platform/NameCompare.h"
#include "platform/NarrowText.h"
#include "platform/Registry.h"
#include "rules/FolderWalk.h"
#include "rules/RegistryRoots.h"
#include "rules/RuleFields.h"
#include "rules/SpecialDetects.h"

#include <vector>

namespace vp::rules {

std::string_view frenchDetectionResult(DetectionResult result) {
    switch (result) {
    case DetectionResult::Detected:
        return "détectée";
    case DetectionResult::NotDetected:
        return "non détectée";
    case DetectionResult::OtherWindows:
        return "écrite pour d'autres versions de Windows";
    case DetectionResult::UnknownSpecial:
        return "SpecialDetect inconnu";
    case DetectionResult::Refused:
        return "entrée refusée à la lecture";
    }
    return "non détectée";
}

Detector::Detector(FileSystem& files, Registry& registry, const NarrowText& narrow,
                   RootExpander& expander, std::optional<OsVersion> windows)
    : files_(files), registry_(registry), narrow_(narrow), expander_(expander), windows_(windows) {}

DetectionResult Detector::detect(const Entry& entry) {
    if (entry.refused) {
        return DetectionResult::Refused;
    }
    if (entry.os.min.parts != 0 || entry.os.max.parts != 0) {
        if (!windows_ || !entry.os.contains(*windows_)) {
            return DetectionResult::OtherWindows;
        }
    }
    if (entry.special == SpecialDetection::Unknown) {
        return DetectionResult::UnknownSpecial;
    }
    if (entry.special != SpecialDetection::None) {
        // SpecialDetect alone decides; Detect keys beside it were reported as unused.
        return special(entry.special) ? DetectionResult::Detected : DetectionResult::NotDetected;
    }
    if (!entry.hasDetectionKeys()) {
        return DetectionResult::Detected;
    }
    for (const DetectKey& key : entry.detects) {
        if (registryKeyExists(key.key)) {
            return DetectionResult::Detected;
        }
    }
    for (const DetectFileKey& key : entry.detectFiles) {
        if (pathExists(key.path)) {
            return DetectionResult::Detected;
        }
    }
    return DetectionResult::NotDetected;
}

bool Detector::special(SpecialDetection detection) {
    const SpecialDetectInfo* info = findSpecialDetect(detection);
    if (info == nullptr) {
        return false;
    }
    if (info->always) {
        return true;
    }
    RuleArena arena(512);
    for (const std::string_view text : info->detects) {
        RegistryPath key;
        FieldIssues issues;
        if (parseRegistryPath(text, arena, key, issues) && registryKeyExists(key)) {
            return true;
        }
    }
    for (const std::string_view text : info->detectFiles) {
        PathSpec path;
        FieldIssues issues;
        if (parsePath(text, arena, path, issues) && pathExists(path)) {
            return true;
        }
    }
    return false;
}

bool Detector::registryKeyExists(const RegistryPath& key) {
    std::string place = "reg:";
    place += hiveShortName(key.hive);
    place += '\\';
    place += foldCase(key.subkey);
    const auto known = known_.find(place);
    if (known != known_.end()) {
        return known->second;
    }
    const bool found = lookUpRegistryKey(key);
    known_.emplace(std::move(place), found);
    return found;
}

bool Detector::lookUpRegistryKey(const RegistryPath& key) {
    ++lookups_;
    const std::string subkey = narrow_.toNarrow(key.subkey);
    for (const std::uint32_t view : registryViews(key.hive)) {
        RegHandle opened = 0;
        if (registry_.openKey(hiveHandle(key.hive), subkey, 0, KeyQueryValue | view, opened) ==
            RegStatus::Success) {
            registry_.closeKey(opened);
            return true;
        }
    }
    return false;
}

namespace {

std::string placeOf(const PathSpec& path) {
    std::string place = "file:";
    place += foldCase(path.root.text);
    place += '\\';
    place += foldCase(path.rest);
    return place;
}

// Every program of the system lies under the Windows folder: a detection there tells nothing
// of which processes are the application's.
bool underWindowsFolder(const PathRoot& root) {
    return root.kind == RootKind::Folder &&
           (root.folder == FolderVariable::WinDir || root.folder == FolderVariable::SystemRoot);
}

} // namespace

bool Detector::pathExists(const PathSpec& path) {
    std::string place = placeOf(path);
    const auto known = known_.find(place);
    if (known != known_.end()) {
        return known->second;
    }
    std::vector<std::string> folders;
    const bool found = lookUpPath(path, folders);
    if (!folders.empty() && !underWindowsFolder(path.root)) {
        folders_.emplace(place, std::move(folders));
    }
    known_.emplace(std::move(place), found);
    return found;
}

std::vector<std::string> Detector::detectedFolders(const Entry& entry) {
    std::vector<std::string> folders;
    for (const DetectFileKey& key : entry.detectFiles) {
        if (!pathExists(key.path)) {
            continue;
        }
        const auto found = folders_.find(placeOf(key.path));
        if (found != folders_.end()) {
            folders.insert(folders.end(), found->second.begin(), found->second.end());
        }
    }
    return folders;
}

std::shared_ptr<Folder> Detector::rootFolder(const std::string& root) {
    const std::string folded = foldCase(root);
    const auto known = roots_.find(folded);
    if (known != roots_.end()) {
        return known->second;
    }
    std::shared_ptr<Folder> opened = files_.openFolder(openablePath(root));
    roots_.emplace(folded, opened);
    return opened;
}

bool Detector::lookUpPath(const PathSpec& path, std::vector<std::string>& folders) {
    ++lookups_;
    const Expansion expansion = expander_.expand(path);
    for (const ExpandedPath& candidate : expansion.candidates) {
        std::vector<Segment> segments = segmentsOf(candidate);
        std::shared_ptr<Folder> root = rootFolder(candidate.root);
        if (!root) {
            continue;
        }
        if (segments.empty()) {
            return true; // the root itself: a folder of everyone's, never the application's
        }
        // The last name may be a file's: it is looked for in the listing of the folder above.
        const Segment last = segments.back();
        segments.pop_back();
        bool found = false;
        walkFolders(root, openablePath(candidate.root), segments, [&](ReachedFolder& reached) {
            if (found) {
                return;
            }
            const auto listing = reached.folder->list();
            if (!listing) {
                return;
            }
            for (const DirEntry& item : *listing) {
                if (last.wildcard ? wildcardMatch(last.text, item.name)
                                  : namesEqual(last.text, item.name)) {
                    found = true;
                    if ((item.attributes & FileAttribute::Directory) != 0) {
                        folders.push_back(joinPath(reached.path, item.name));
                    } else if (reached.parent) {
                        folders.push_back(reached.path);
                    }
                }
            }
        });
        if (found) {
            return true;
        }
    }
    return false;
}

} // namespace vp::rules
