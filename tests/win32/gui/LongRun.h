// A run of several thousand lines through the real window, watched from outside while it goes:
// the run log always holds every line so far with the newest selected, the window stays drawn
// and answering, a click sent meanwhile waits for the run's end, and afterwards the run log
// holds every line in order with the last one selected. Messages another program sends during
// the run that would change the window (a box checked, a line added) take effect only after
// it, as if their sender had waited.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vp::gui {

struct LongRunWindow {
    HWND window;
    HWND list;     // List1
    HWND nettoyer; // Command1
    HWND otherBox; // a box clicked during the run
    HWND lastBox;  // ch20, a target after the temporary files, checked during the run
    // Only the temporary files (ch6) checked, or (false) every box unchecked.
    std::function<void(bool tempOnly)> setBoxes;
};

void checkLongRun(const LongRunWindow& run, const std::wstring& output);

} // namespace vp::gui
