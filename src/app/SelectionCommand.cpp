// Command4: checks a whole category of targets at once. Boxes are only ever checked here.
#include "app/Form1.h"

#include "platform/Windowing.h"

#include <string>

namespace vp {
namespace {

struct Category {
    std::string_view name;
    int first; // catalogue numbers, inclusive
    int last;
};

// The catalogue's order split into four, six and ten entries, which matches the headings of
// the target board.
constexpr Category Categories[] = {
    {"Complet", 1, 20},
    {"Internet", 1, 4},
    {"Windows", 5, 10},
    {"Logiciels", 11, 20},
};

} // namespace

void Form1::Command4_Click() {
    const std::string chosen = control("cboCategory").caption();
    for (const Category& category : Categories) {
        if (chosen == category.name) { // whole and case-sensitive
            for (int n = category.first; n <= category.last; ++n) {
                ch(n).setValue(1);
            }
            return;
        }
    }
}

} // namespace vp
