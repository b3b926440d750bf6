#include "app/console/LogDestination.h"

#include "app/console/MatchFolding.h"
#include "platform/FileSystem.h"

#include <array>
#include <string_view>

namespace vp::console {
namespace {

// Names Windows gives to devices in every folder, whatever their extension ("nul.txt" is the
// null device too).
bool isDeviceName(std::string_view name) {
    std::string stem = FoldForMatching(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    for (const std::string_view device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
        if (stem == device) {
            return true;
        }
    }
    return stem.size() == 4 && (stem.substr(0, 3) == "com" || stem.substr(0, 3) == "lpt") &&
           stem[3] >= '1' && stem[3] <= '9';
}

bool hasForbiddenCharacter(std::string_view name) {
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

std::string quoted(std::string_view text) {
    return "« " + std::string(text) + " »";
}

} // namespace

std::optional<std::string> LogDestinationProblem(FileSystem& files, const std::string& path) {
    if (path.rfind(R"(\\.\)", 0) == 0 || path.rfind(R"(\\?\GLOBALROOT)", 0) == 0) {
        return quoted(path) + " est un périphérique, pas un fichier : --log veut un fichier";
    }
    const std::size_t cut = path.find_last_of('\\');
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    if (name.empty()) {
        return "il manque le nom du fichier journal après le dossier " + quoted(folder);
    }
    if (isDeviceName(name)) {
        return quoted(name) +
               " est un nom de périphérique de Windows, pas un fichier : --log veut un fichier";
    }
    // Windows drops a name's trailing dots and blanks: the log would land under another name.
    if (hasForbiddenCharacter(name) || name.back() == '.' || name.back() == ' ') {
        return "nom de fichier journal invalide : " + quoted(name);
    }
    const auto folderAttributes = folder.empty() ? std::nullopt : files.attributes(folder);
    if (!folderAttributes || (*folderAttributes & FileAttribute::Directory) == 0) {
        return "le dossier du journal n'existe pas : " + quoted(folder);
    }
    if (const auto attributes = files.attributes(path)) {
        if (*attributes & FileAttribute::Directory) {
            return quoted(path) + " est un dossier, pas un fichier";
        }
        if (*attributes & FileAttribute::ReadOnly) {
            return quoted(path) + " est en lecture seule";
        }
    }
    if (!files.canMakeFileIn(folder)) {
        return "aucun fichier ne peut être créé dans le dossier du journal (droits, disque "
               "plein) : " +
               quoted(folder);
    }
    return std::nullopt;
}

} // namespace vp::console
