// The cleaning catalogue: the twenty targets in run order, with what the run and each target
// routine show for them.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vp {

class Form1;
using TargetRoutine = void (Form1::*)();

enum class Panel { Configuration, TargetBoard }; // FramePlus3, picBoard

struct CatalogueEntry {
    int number;                  // N: the entry's box is chN
    std::string_view caption;    // beside the check box
    Panel panel;
    bool checkedAtStart;
    std::string_view runLogLine; // appended by the run before the routine is called
    TargetRoutine routine;
    int progressValue;           // what the routine gives ProgressBar1.Value
    int captionPercent;          // what its status caption shows
};

// In run order; entry N is at index N - 1.
std::span<const CatalogueEntry> Catalogue();

// The catalogue entry of a target routine; throws std::logic_error for a routine that is not
// in the catalogue.
const CatalogueEntry& CatalogueEntryOf(TargetRoutine routine);

// 75 blanks, "Nettoyage en cours - " and the two-digit percentage with "%"; for 100 the blank
// before the number goes, so every status caption is 99 characters long.
std::string StatusCaption(int percent);

} // namespace vp
