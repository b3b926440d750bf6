// Command4: checks a whole category of targets at once. Boxes are only ever checked here.
#include "app/Form1.h"

#include "platform/Windowing.h"

#include <string>

namespace vp {

void Form1::Command4_Click() {
    const std::string chosen = control("cboCategory").caption();
    for (const Category& category : Categories()) {
        if (chosen == category.name) { // whole and case-sensitive
            for (const CatalogueEntry& entry : Catalogue()) {
                if (category.contains(entry)) {
                    ch(entry.number).setValue(1);
                }
            }
            return;
        }
    }
}

} // namespace vp
