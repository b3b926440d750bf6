// What became of an item the cleaner meant to change, and why an item was left where it was:
// the vocabulary a report item by item is written in. The window's run log never shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vp {

enum class Outcome : std::uint8_t {
    Done,           // changed as asked: a deleted file is gone from its folder
    InUse,          // another program holds it (also: holds it open after the deletion)
    HiddenOrSystem, // hidden or system, or has become so since it was listed
    Link,           // a link, or a file with other names whose attributes would have to change
    Replaced,       // another item has taken the listed one's place
    ProtectedPlace, // a folder no sweep starts in (see ProtectedPlaces.h)
    AccessDenied,   // the system refuses the change (rights, a read-only file that stays so)
    Vanished,       // nothing of that name was there any more: not counted as deleted
    NotEmpty,       // a folder that still holds something (a file that stayed, say)
    Failed,         // refused for another reason (a name the system cannot open, say)
};

inline bool isGone(Outcome outcome) {
    return outcome == Outcome::Done;
}

// The kinds of protected places, for a report that says which one a folder is or lies above.
enum class PlaceKind : std::uint8_t {
    DriveRoot,    // a drive's or a volume's root
    ShareRoot,    // the root of a network share
    Windows,      // the Windows folder
    ProgramFiles, // a Program Files folder
    ProgramData,  // the folder of every user's application data
    Users,        // the folder that holds the users' profiles
    Profile,      // a user's profile folder
    KnownFolder,  // Documents, Desktop, AppData and the other known folders
};

// An item left alone, with the reason; `place` says which protected place refused it.
struct Refusal {
    std::string path;
    Outcome reason = Outcome::Failed;
    std::optional<PlaceKind> place;
    bool operator==(const Refusal&) const = default;
};

// What a run did to one item, for the reports that name every item. Registry values are named
// by their key (`path`) and their name (`value`), never by their data.
enum class ItemKind : std::uint8_t {
    File,
    Folder,
    RegistryValue,
    RegistryKey,
    CacheEntry,
    BinItem
};

struct ItemRecord {
    ItemKind kind = ItemKind::File;
    Outcome outcome = Outcome::Done;
    std::optional<PlaceKind> place; // the protected place that refused it, if one did
    std::uint64_t bytes = 0;
    std::uint64_t count = 1; // several for the bins, whose items the shell does not name
    std::string path;        // UTF-8 (WTF-8 for names Windows allows and UTF-8 cannot hold)
    std::string value;
    bool operator==(const ItemRecord&) const = default;
};

} // namespace vp
