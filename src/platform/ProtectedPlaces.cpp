// The protected-places policy: text work on paths only, the places asked of the platform.
#include "platform/ProtectedPlaces.h"

#include "platform/NameCompare.h"

namespace vp {
namespace {

// A path as compared: case folded, "\\?\" and "\??\" dropped ("\\?\UNC\s\x" is "\\s\x"),
// dots settled, no trailing backslash: "c:\users\ann", "\\server\share\x",
// "volume{…}\x". Empty for a path that names no absolute place.
std::string comparable(std::string_view path) {
    std::string text(path);
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::string_view rest = text;
    bool unc = false;
    if (rest.starts_with(R"(\\?\)") || rest.starts_with(R"(\??\)")) {
        rest.remove_prefix(4);
        if (foldCase(rest.substr(0, 4)) == R"(unc\)") {
            rest.remove_prefix(4);
            unc = true;
        }
    } else if (rest.starts_with(R"(\\)")) {
        rest.remove_prefix(2);
        unc = true;
    }
    std::string resolved = ResolveDots(rest);
    while (!resolved.empty() && resolved.back() == '\\') {
        resolved.pop_back();
    }
    if (resolved.empty() || (!unc && resolved.front() == '\\')) {
        return {};
    }
    const bool drive = resolved.size() >= 2 && resolved[1] == ':';
    const bool volume = foldCase(resolved.substr(0, 7)) == "volume{";
    if (!unc && !drive && !volume) {
        return {}; // relative: only the system can tell where it leads
    }
    return (unc ? R"(\\)" : "") + foldCase(resolved);
}

std::size_t componentCount(std::string_view key) {
    std::string_view rest = key.starts_with(R"(\\)") ? key.substr(2) : key;
    std::size_t count = rest.empty() ? 0 : 1;
    for (const char c : rest) {
        count += c == '\\' ? 1 : 0;
    }
    return count;
}

bool isAtOrAbove(std::string_view key, std::string_view place) {
    return place.size() >= key.size() && place.starts_with(key) &&
           (place.size() == key.size() || place[key.size()] == '\\');
}

std::string_view parentOf(std::string_view key) {
    const std::size_t cut = key.rfind('\\');
    return cut == std::string_view::npos || cut < 2 ? std::string_view{} : key.substr(0, cut);
}

std::optional<PlaceKind> placeOfKey(const std::string& key,
                                    const std::vector<std::pair<std::string, PlaceKind>>& places) {
    if (key.empty()) {
        return std::nullopt;
    }
    if (key.starts_with(R"(\\)")) {
        if (componentCount(key) <= 2) {
            return PlaceKind::ShareRoot;
        }
    } else if (componentCount(key) <= 1) {
        return PlaceKind::DriveRoot;
    }
    // The place itself, then a profile (every folder directly in the users' folder is
    // someone's, or everyone's), then a folder above a place.
    for (const auto& [place, kind] : places) {
        if (key == place) {
            return kind;
        }
    }
    const std::string_view parent = parentOf(key);
    for (const auto& [place, kind] : places) {
        if (kind == PlaceKind::Users && parent == place) {
            return PlaceKind::Profile;
        }
    }
    for (const auto& [place, kind] : places) {
        if (isAtOrAbove(key, place)) {
            return kind;
        }
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, PlaceKind>>
comparablePlaces(const std::vector<ProtectedPlace>& places) {
    std::vector<std::pair<std::string, PlaceKind>> keys;
    keys.reserve(places.size());
    for (const ProtectedPlace& place : places) {
        if (std::string key = comparable(place.path); !key.empty()) {
            keys.emplace_back(std::move(key), place.kind);
        }
    }
    return keys;
}

} // namespace

std::string ResolveDots(std::string_view path) {
    std::string prefix;
    std::string_view rest = path;
    // A drive's root stays the root: "C:\.." is "C:\". A UNC or extended path keeps its "\\".
    if (rest.starts_with(R"(\\)") || rest.starts_with("//")) {
        prefix = R"(\\)";
        rest.remove_prefix(2);
    } else if (rest.size() >= 2 && rest[1] == ':') {
        prefix = std::string(rest.substr(0, 2));
        rest.remove_prefix(2);
    }
    const bool absolute = !rest.empty() && (rest.front() == '\\' || rest.front() == '/');
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || rest[i] == '\\' || rest[i] == '/') {
            const std::string_view part = rest.substr(start, i - start);
            if (part == "..") {
                if (!parts.empty() && parts.back() != "..") {
                    parts.pop_back();
                } else if (!absolute && prefix.empty()) {
                    parts.push_back(part); // relative: kept for the system to settle
                }
            } else if (!part.empty() && part != ".") {
                parts.push_back(part);
            }
            start = i + 1;
        }
    }
    std::string out = prefix;
    if (absolute && prefix != R"(\\)") {
        out += '\\';
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            out += '\\';
        }
        out += parts[i];
    }
    return out;
}

std::optional<PlaceKind> ProtectedPlaceAt(std::string_view path,
                                          const std::vector<ProtectedPlace>& places) {
    return placeOfKey(comparable(path), comparablePlaces(places));
}

std::optional<PlaceKind> RefusedSweepRoot(std::string_view askedPath, Folder& folder,
                                          FileSystem& files) {
    const auto places = comparablePlaces(files.protectedPlaces());
    if (auto place = placeOfKey(comparable(askedPath), places)) {
        return place;
    }
    return placeOfKey(comparable(folder.finalPath()), places);
}

} // namespace vp
