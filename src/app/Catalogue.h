// The cleaning catalogue: the targets in run order, with everything the program shows of them:
// the window's check box (caption, panel, place, start state), the run's lines and progress,
// the group the category selector checks them by, and the console program's name and help.
// It is the one place a target is described: adding one means a row here and its routine.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vp {

class Form1;
using TargetRoutine = void (Form1::*)();

enum class Panel { Configuration, TargetBoard }; // FramePlus3, picBoard

// The headings of the target board; the category selector checks a group at once.
enum class TargetGroup { Internet, Windows, Software };

// A check box's place on its panel, in twips (every box is 255 high).
struct BoxPlace {
    int left;
    int top;
    int width;
};

struct CatalogueEntry {
    int number;               // N: the entry's box is chN
    std::string_view caption; // beside the check box
    Panel panel;
    BoxPlace place;
    bool checkedAtStart;
    TargetGroup group;
    std::string_view runLogLine; // appended by the run before the routine is called
    TargetRoutine routine;
    int progressValue;        // what the routine gives ProgressBar1.Value
    int captionPercent;       // what its status caption shows
    std::string_view keyword; // the console program's name for it (lower case, ASCII)
    std::string_view cleans;  // the console program's one-line help: what it cleans
};

// In run order; entry N is at index N - 1.
std::span<const CatalogueEntry> Catalogue();
inline int TargetCount() {
    return static_cast<int>(Catalogue().size());
}

// The catalogue entry of a target routine; throws std::logic_error for a routine that is not
// in the catalogue.
const CatalogueEntry& CatalogueEntryOf(TargetRoutine routine);

// A choice of the category selector: every target, or one group.
struct Category {
    std::string_view name; // as the selector shows it
    bool everything;       // "Complet"
    TargetGroup group;     // otherwise
    bool contains(const CatalogueEntry& entry) const { return everything || entry.group == group; }
};

// The selector's choices, in its order; the first one is where it starts.
std::span<const Category> Categories();

// 75 blanks, "Nettoyage en cours - " and the two-digit percentage with "%"; for 100 the blank
// before the number goes, so every status caption is 99 characters long.
std::string StatusCaption(int percent);

} // namespace vp
