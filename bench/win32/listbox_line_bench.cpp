// The cost of one run-log line in the program's own list box (the window layer's ListBox,
// shown, as List1 is during a run: a line added, then selected, the log drawn again about ten
// times a second), beside the bare list box messages on a shown list box (what each line cost
// before lines were batched: add, select, drawn each time) and on a hidden one. The three take
// turns for a few rounds and the best of each is printed, in milliseconds per line; run under
// Wine with a display by bench/wine-window-run.sh.
//
//   listbox_line_bench [LINES] [ROUNDS]
#include "platform/Windowing.h"
#include "platform/win32/Win32LivePainting.h"
#include "platform/win32/Win32Windowing.h"

#include "Clock.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string line(int number) {
    return "C:\\users\\bench\\Temp\\folder" + std::to_string(number / 100) + "\\file" +
           std::to_string(number % 100) + ".tmp";
}

void handleWaiting() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

// Add, then select: the messages each line took before it was batched.
double bareLines(HWND list, int lines) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    handleWaiting();
    const double start = vp::bench::secondsNow();
    for (int i = 0; i < lines; ++i) {
        const std::string text = line(i);
        const std::wstring wide(text.begin(), text.end());
        const auto index =
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    return vp::bench::secondsNow() - start;
}

// What the run does for each line it logs.
double programLines(vp::ListBox& list, int lines, bool& whole) {
    list.clear();
    handleWaiting();
    const double start = vp::bench::secondsNow();
    for (int i = 0; i < lines; ++i) {
        list.addItem(line(i));
        list.setListIndex(list.listCount() - 1);
    }
    vp::win32::LivePainting::settleAll(); // the run's end
    const double took = vp::bench::secondsNow() - start;
    whole = whole && list.listCount() == lines && list.listIndex() == lines - 1 &&
            list.list(lines - 1) == line(lines - 1);
    return took;
}

// One repaint: a batch settled and the list box drawn again.
double oneRepaint(vp::ListBox& list) {
    constexpr int Repaints = 20;
    const double start = vp::bench::secondsNow();
    for (int i = 0; i < Repaints; ++i) {
        list.addItem(line(i));
        list.setListIndex(list.listCount() - 1);
        vp::win32::LivePainting::settleAll();
        handleWaiting();
    }
    return (vp::bench::secondsNow() - start) / Repaints;
}

} // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    vp::win32::Win32Windowing windowing;
    auto window = windowing.createMainWindow({"listbox bench", 5730, 3720, 0xFFFFFF, ""});
    HWND main = reinterpret_cast<HWND>(window->hWnd());
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    vp::ControlSpec desc{};
    desc.name = "List1";
    desc.kind = vp::ControlKind::ListBox;
    desc.rect = {1120, 1440, 4245, 810}; // List1's size
    vp::ListBox& list = window->createListBox(desc);
    const auto bare = [main](bool shown) {
        return CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                               WS_CHILD | (shown ? WS_VISIBLE : 0) | LBS_NOTIFY |
                                   LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL,
                               75, 160, 283, 54, main, nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    HWND shownList = bare(true);
    HWND hiddenList = bare(false);
    handleWaiting();

    bool whole = true;
    double program = 1e9;
    double shown = 1e9;
    double hidden = 1e9;
    double repaint = 1e9;
    for (int round = 0; round < rounds; ++round) {
        program = std::min(program, programLines(list, lines, whole));
        repaint = std::min(repaint, oneRepaint(list));
        ShowWindow(shownList, SW_SHOWNA);
        shown = std::min(shown, bareLines(shownList, std::min(lines, 2000)) * lines /
                                    std::min(lines, 2000));
        ShowWindow(shownList, SW_HIDE); // out of the program's list box's way
        hidden = std::min(hidden, bareLines(hiddenList, lines));
    }
    const auto perLine = [lines](double total) { return total * 1000.0 / lines; };
    std::printf("lines: %d, best of %d rounds\n", lines, rounds);
    std::printf("program's list box, shown:       %.4f ms per line%s\n", perLine(program),
                whole ? "" : "  (WRONG: lines or selection missing)");
    std::printf("  of which one repaint:          %.2f ms, about ten a second\n", repaint * 1000);
    std::printf("bare add + select, shown (old):  %.4f ms per line\n", perLine(shown));
    std::printf("bare add + select, hidden:       %.4f ms per line\n", perLine(hidden));
    return whole ? 0 : 1;
}
