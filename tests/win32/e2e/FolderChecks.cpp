// The Win32 folder against what another program does between a listing and a change, on the
// real file system: every swap the sweep's checks must stop, a file held open with deletion
// shared, a folder moved away while a file in it is deleted. Test driver only.
#include "FolderChecks.h"

#include "Checks.h"
#include "platform/Environment.h"
#include "platform/ProtectedPlaces.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32NtFiles.h"
#include "platform/win32/Win32Paths.h"
#include "platform/win32/Win32WineLinks.h"

#include <windows.h>

#include <string>
#include <vector>

namespace vp::e2e {
namespace {

using testing::check;
using win32::extendedPath;
using win32::widen;

std::wstring wide(const std::string& path) {
    return extendedPath(path);
}

void makeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    const win32::OwnedHandle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), "x", 1, &written, nullptr);
    // Hidden and system before read-only: under Wine an unprivileged user can no longer set
    // them once the file is read-only.
    SetFileAttributesW(wide(path).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(wide(path).c_str(), attributes);
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(wide(path).c_str());
}
bool exists(const std::string& path) {
    return attributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

// A switch, not a table: a new outcome is a build error here, never a read past the table.
std::string outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done:
        return "Done";
    case Outcome::InUse:
        return "InUse";
    case Outcome::HiddenOrSystem:
        return "HiddenOrSystem";
    case Outcome::Link:
        return "Link";
    case Outcome::Replaced:
        return "Replaced";
    case Outcome::ProtectedPlace:
        return "ProtectedPlace";
    case Outcome::AccessDenied:
        return "AccessDenied";
    case Outcome::Vanished:
        return "Vanished";
    case Outcome::NotEmpty:
        return "NotEmpty";
    case Outcome::Failed:
        break;
    }
    return "Failed";
}

const DirEntry* find(const std::vector<DirEntry>& entries, std::string_view name) {
    for (const DirEntry& entry : entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

// Each item listed, then changed by "another program", then deleted as the sweep deletes it.
// (A file made hidden or system after its listing is the contract suite's.)
void checkSwapsAfterTheListing(FileSystem& fs, const std::string& root) {
    const std::string dir = root + R"(\swaps)";
    const std::string outside = root + R"(\outside)";
    CreateDirectoryW(wide(dir).c_str(), nullptr);
    CreateDirectoryW(wide(outside).c_str(), nullptr);
    makeFile(outside + R"(\secret.txt)", FILE_ATTRIBUTE_HIDDEN);
    makeFile(outside + R"(\shared.txt)", FILE_ATTRIBUTE_READONLY);
    for (const char* name : {"plain.txt", "hidden-new.txt"}) {
        makeFile(dir + "\\" + name);
    }
    makeFile(dir + R"(\ro.txt)", FILE_ATTRIBUTE_READONLY);
    CreateHardLinkW(wide(dir + R"(\shared-link.txt)").c_str(),
                    wide(outside + R"(\shared.txt)").c_str(), nullptr);

    const auto folder = fs.openFolder(dir);
    const auto listed = folder ? folder->list() : std::nullopt;
    if (!check(listed && listed->size() == 4, "the folder of swaps is listed")) {
        return;
    }
    const auto swapFor = [&](const std::string& name, auto plant) {
        MoveFileW(wide(dir + "\\" + name).c_str(), wide(dir + "\\" + name + "-old").c_str());
        plant(dir + "\\" + name);
    };
    swapFor("plain.txt", [](const std::string& path) { makeFile(path); });
    swapFor("hidden-new.txt",
            [](const std::string& path) { makeFile(path, FILE_ATTRIBUTE_HIDDEN); });
    // The read-only file becomes another name of a hidden file of the user's.
    swapFor("ro.txt", [&](const std::string& path) {
        CreateHardLinkW(wide(path).c_str(), wide(outside + R"(\secret.txt)").c_str(), nullptr);
    });

    const std::pair<const char*, Outcome> expected[] = {
        {"plain.txt", Outcome::Replaced},
        {"hidden-new.txt", Outcome::Replaced},
        {"ro.txt", Outcome::Replaced},
    };
    for (const auto& [name, outcome] : expected) {
        const Outcome got = folder->deleteFile(name, FileAttribute::Archive, find(*listed, name));
        check(got == outcome && exists(dir + "\\" + name),
              std::string("a file swapped or changed after the listing is kept: ") + name,
              outcomeName(got));
    }
    check(attributesOf(outside + R"(\secret.txt)") != INVALID_FILE_ATTRIBUTES &&
              (attributesOf(outside + R"(\secret.txt)") & FILE_ATTRIBUTE_HIDDEN) != 0,
          "the hidden file behind the swapped-in hard link keeps its attributes");

    // A listed read-only file with another name: read-only would be cleared on both.
    const Outcome linked = folder->deleteFile("shared-link.txt", FileAttribute::Archive,
                                              find(*listed, "shared-link.txt"));
    check((attributesOf(outside + R"(\shared.txt)") & FILE_ATTRIBUTE_READONLY) != 0 &&
              (linked == Outcome::Link ||
               (linked == Outcome::Done && !exists(dir + R"(\shared-link.txt)"))),
          "a read-only file with another name goes by name only or stays, its other name "
          "still read-only",
          outcomeName(linked));
}

// "Deleted" means gone from the folder when the handle is closed.
void checkDeletedMeansGone(FileSystem& fs, const std::string& root) {
    const std::string dir = root + R"(\gone)";
    CreateDirectoryW(wide(dir).c_str(), nullptr);
    makeFile(dir + R"(\held.txt)");
    const auto folder = fs.openFolder(dir);
    {
        // Held open by another program that shares deletion: it goes only when that program
        // lets it go (where the system deletes with POSIX semantics, at once).
        const win32::OwnedHandle holder(CreateFileW(wide(dir + R"(\held.txt)").c_str(),
                                                    GENERIC_READ, win32::nt::ShareAll, nullptr,
                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const Outcome held =
            folder ? folder->deleteFile("held.txt", std::nullopt) : Outcome::Failed;
        check(holder && (held == Outcome::Done) == !exists(dir + R"(\held.txt)"),
              "a file held open with deletion shared counts as deleted only once it is gone",
              outcomeName(held));
    }

    // A folder moved out of the swept tree while a file in it is deleted.
    CreateDirectoryW(wide(dir + R"(\moving)").c_str(), nullptr);
    makeFile(dir + R"(\moving\a.txt)");
    const auto moving = folder ? folder->openFolder("moving", nullptr) : nullptr;
    const auto listed = moving ? moving->list() : std::nullopt;
    MoveFileW(wide(dir + R"(\moving)").c_str(), wide(root + R"(\moved-out)").c_str());
    const Outcome moved = moving && listed
                              ? moving->deleteFile("a.txt", std::nullopt, find(*listed, "a.txt"))
                              : Outcome::Failed;
    check(moving && (moved == Outcome::Done) == !exists(root + R"(\moved-out\a.txt)"),
          "a file whose folder was moved away counts as deleted only if it is gone",
          outcomeName(moved));
}

// Under Wine, a name whose trailing dot Wine drops can be told from its sibling by no handle:
// nothing of either is changed, also by a deletion asked before any listing.
void checkLookAlikesWithoutAListing(FileSystem& fs, const std::string& root) {
    if (!win32::wine::running()) {
        return;
    }
    const std::string dir = root + R"(\look-alikes)";
    CreateDirectoryW(wide(dir).c_str(), nullptr);
    makeFile(dir + R"(\a.txt)");
    makeFile(dir + R"(\a.txt.)");
    const auto folder = fs.openFolder(dir);
    const Outcome first = folder ? folder->deleteFile("a.txt", std::nullopt) : Outcome::Done;
    const Outcome second = folder ? folder->deleteFile("a.txt.", std::nullopt) : Outcome::Done;
    check(first != Outcome::Done && second != Outcome::Done && exists(dir + R"(\a.txt)") &&
              exists(dir + R"(\a.txt.)"),
          "names Wine cannot tell apart are refused, listed or not",
          outcomeName(first) + " " + outcomeName(second));
}

void checkNamesAndLinks() {
    std::wstring lone = L"lone-";
    lone += static_cast<wchar_t>(0xD800);
    const std::string text = win32::narrowUtf8(lone);
    check(widen(text) == lone && text.find("\xEF\xBF\xBD") == std::string::npos,
          "a name holding a lone surrogate crosses to the program's text and back unchanged");
    check(win32::nt::isNameSurrogate(0xA000000C) && win32::nt::isNameSurrogate(0xA0000003) &&
              !win32::nt::isNameSurrogate(0x9000001A) && !win32::nt::isNameSurrogate(0x80000017) &&
              !win32::nt::isNameSurrogate(0x80000013),
          "symbolic links and junctions are links; cloud, compressed and deduplicated files are "
          "not");
}

void checkTemporaryFolder(Environment& env, const std::string& root) {
    const auto tempWith = [&](const wchar_t* tmp, const wchar_t* temp) {
        SetEnvironmentVariableW(L"TMP", tmp);
        SetEnvironmentVariableW(L"TEMP", temp);
        std::string path(255, '\0');
        const std::uint32_t length = env.tempPath(255, path);
        return length == 0 || length > 255 ? std::string("(none)") : path.substr(0, length);
    };
    const std::wstring folder = widen(root);
    check(tempWith(nullptr, nullptr) == "(none)",
          "without TMP and TEMP there is no temporary folder (never the profile or Windows)",
          tempWith(nullptr, nullptr));
    check(tempWith(nullptr, folder.c_str()) == root + "\\" &&
              tempWith(folder.c_str(), L"C:\\elsewhere") == root + "\\",
          "the temporary folder is TMP's, else TEMP's, ending with a backslash",
          tempWith(nullptr, folder.c_str()));
}

void checkProtectedPlaces(FileSystem& fs) {
    const std::vector<ProtectedPlace> places = fs.protectedPlaces();
    wchar_t profile[MAX_PATH] = {};
    GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    const std::string profilePath = win32::narrowUtf8(profile);
    const auto at = [&](const std::string& path) { return ProtectedPlaceAt(path, places); };
    check(at(R"(C:\)") == PlaceKind::DriveRoot && at(R"(C:\windows)") == PlaceKind::Windows &&
              at(profilePath) == PlaceKind::Profile &&
              at(profilePath + R"(\AppData\Roaming)") == PlaceKind::KnownFolder &&
              at(profilePath + R"(\Documents)") == PlaceKind::KnownFolder &&
              !at(R"(C:\windows\Temp)") && !at(profilePath + R"(\AppData\Local\Temp)"),
          "the system names the Windows folder, the profile and the known folders as "
          "protected, not the folders below them",
          profilePath);
}

} // namespace

void checkFolders(FileSystem& fs, Environment& env, const std::string& root) {
    checkSwapsAfterTheListing(fs, root);
    checkDeletedMeansGone(fs, root);
    checkLookAlikesWithoutAListing(fs, root);
    checkNamesAndLinks();
    checkTemporaryFolder(env, root);
    checkProtectedPlaces(fs);
}

} // namespace vp::e2e
