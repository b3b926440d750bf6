#include "app/Form1.h"

#include "platform/FileSystem.h"
#include "platform/Windowing.h"

namespace vp {

namespace {
constexpr int WaitPointer = 11;
constexpr int DefaultPointer = 0;
} // namespace

void Form1::Command1_Click() {
    ProgressBar1->setVisible(true);
    window_->setMousePointer(WaitPointer);
    window_->doEvents(); // the run's only look at waiting events
    List1->clear();
    List1->setVisible(true);
    totals.reset();
    for (const CatalogueEntry& entry : Catalogue()) {
        if (ch(entry.number).value() != 1) { // grayed (2) does not count
            continue;
        }
        totals.beginTarget(entry.number);
        AppendLogLine(entry.runLogLine);
        (this->*entry.routine)();
    }
    totals.beginTarget(0);
    ProgressBar1->setValue(100);
    List1->setVisible(false);
    ProgressBar1->setVisible(false);
    window_->setMousePointer(DefaultPointer);
}

void Form1::CountFiles(const FileTally& tally) {
    Totals& counted = totals.current();
    counted.files += tally.deleted;
    counted.fileBytes += tally.bytes;
    counted.keptFiles += tally.kept;
    if (tally.refused) {
        counted.refused.push_back(*tally.refused);
    }
}

} // namespace vp
