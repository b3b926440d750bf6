// The long run through the real window (see LongRun.h).
#include "LongRun.h"

#include "Checks.h"
#include "Probe.h"
#include "Screenshot.h"

#include "app/Catalogue.h"
#include "platform/win32/Win32NarrowText.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace vp::gui {
namespace {

using testing::check;
using win32::narrowUtf8;

constexpr int TempBox = 6; // ch6, the temporary files
constexpr int Folders = 80;
constexpr int FilesPerFolder = 100;
constexpr double Patience = 300; // seconds for the whole run, far more than it takes

std::wstring two(int n) {
    return (n < 10 ? L"0" : L"") + std::to_wstring(n);
}

// Seeds the temporary folder the program shares with the driver; gives the run log the
// temporary-files target writes for it, in the sweeper's order (names ascending).
std::vector<std::string> seedTemp() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    const std::wstring root = std::wstring(buffer) + L"vp-long-run";
    CreateDirectoryW(root.c_str(), nullptr);
    std::vector<std::string> log;
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.number == TempBox) {
            log.emplace_back(entry.runLogLine);
        }
    }
    for (int d = 0; d < Folders; ++d) {
        const std::wstring folder = root + L"\\folder" + two(d);
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int f = 0; f < FilesPerFolder; ++f) {
            const std::wstring file = folder + L"\\file" + two(f) + L".tmp";
            CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
            log.push_back(narrowUtf8(file));
        }
    }
    log.emplace_back();
    return log;
}

// A message sent across processes, answered at the program's next look at its messages.
bool ask(HWND window, UINT message, WPARAM wParam, LRESULT& answer) {
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL, 10000, &result) != 0;
    answer = static_cast<LRESULT>(result);
    return answered;
}

std::string number(LRESULT value) {
    return std::to_string(static_cast<long long>(value));
}

} // namespace

void checkLongRun(const LongRunWindow& run, const std::wstring& output) {
    const std::vector<std::string> expected = seedTemp();
    run.setBoxes(true);
    PostMessageW(run.nettoyer, BM_CLICK, 0, 0);
    if (!check(waitUntil([&] { return IsWindowVisible(run.list) != 0; }, 20),
               "Nettoyer shows the run log")) {
        return;
    }

    // While the run goes: what a reader sees, what the screen shows, whether it answers. A
    // sample counts when its answers came while the run log was still shown.
    int samples = 0;
    int unanswered = 0;
    std::string badSelection;
    std::string hung;
    std::set<std::vector<std::uint32_t>> screens;
    bool clickSent = false;
    bool clickWaited = true;
    // Sent while the run goes: ch20 checked, a line added to the run log.
    const std::wstring intruder = L"Ajouté par un autre programme";
    bool changesSent = false;
    bool changesWaited = true;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(Patience * 1000);
    while (IsWindowVisible(run.list) && GetTickCount64() < deadline) {
        LRESULT before = 0;
        LRESULT selected = 0;
        LRESULT after = 0;
        const bool answered = ask(run.list, LB_GETCOUNT, 0, before) &&
                              ask(run.list, LB_GETCURSEL, 0, selected) &&
                              ask(run.list, LB_GETCOUNT, 0, after);
        if (IsHungAppWindow(run.window)) {
            hung = "after " + std::to_string(samples) + " samples";
        }
        if (!IsWindowVisible(run.list)) {
            break; // the answers may come from after the run's end
        }
        if (!answered) {
            ++unanswered;
            continue;
        }
        ++samples;
        if (before > 0 && (selected < before - 1 || selected > after - 1) &&
            badSelection.size() < 500) {
            // Lines may arrive between the questions, never a line without the selection.
            badSelection += " [" + number(before) + " lines, then selected " + number(selected) +
                            ", then " + number(after) + " lines]";
        }
        screens.insert(screenshotOf(run.list).pixels);
        if (samples == 10) {
            screenshotOf(run.window).writePng(output + L"\\window-during-long-run.png");
        }
        if (!clickSent && samples == 3) {
            // A click sent (not posted) meanwhile must wait for the run to end.
            LRESULT ignored = 0;
            clickSent = ask(run.otherBox, BM_CLICK, 0, ignored);
            LRESULT state = 0;
            clickWaited = ask(run.otherBox, BM_GETCHECK, 0, state) && state == BST_UNCHECKED;
        }
        if (!changesSent && samples == 4) {
            LRESULT ignored = 0;
            changesSent = ask(run.lastBox, BM_SETCHECK, BST_CHECKED, ignored) &&
                          SendMessageTimeoutW(run.list, LB_ADDSTRING, 0,
                                              reinterpret_cast<LPARAM>(intruder.c_str()),
                                              SMTO_NORMAL, 10000, nullptr) != 0;
            LRESULT state = 0;
            LRESULT lines = 0;
            std::wstring last(1024, L'\0');
            DWORD_PTR length = 0;
            changesWaited = ask(run.lastBox, BM_GETCHECK, 0, state) && state == BST_UNCHECKED &&
                            ask(run.list, LB_GETCOUNT, 0, lines) && lines > 0 &&
                            SendMessageTimeoutW(run.list, LB_GETTEXT, lines - 1,
                                                reinterpret_cast<LPARAM>(last.data()), SMTO_NORMAL,
                                                10000, &length) != 0 &&
                            last.substr(0, length) != intruder;
        }
    }
    check(!IsWindowVisible(run.list), "the long run ends and hides the run log");
    check(unanswered == 0 && samples >= 3,
          "during the run the window answers the messages sent to it",
          std::to_string(samples) + " samples answered during the run, " +
              std::to_string(unanswered) + " unanswered");
    check(badSelection.empty() && samples > 0,
          "during the run the run log, whenever asked, has its newest line selected",
          std::to_string(samples) + " samples;" + badSelection);
    check(hung.empty(), "the window is never reported as not responding", hung);
    check(screens.size() >= 3,
          "the run log is drawn again on screen while the run goes (the screen changed)",
          std::to_string(screens.size()) + " different pictures of the run log in " +
              std::to_string(samples) + " samples");

    // The line sent during the run comes after the run's own lines; ch20, checked during the
    // run, did not make the run clean its target (its catalogue line would be in the log).
    std::vector<std::string> expectedAfter = expected;
    expectedAfter.push_back(narrowUtf8(intruder));
    const std::vector<std::string> log = listLines(run.list);
    std::string diff;
    for (std::size_t i = 0; i < std::max(log.size(), expectedAfter.size()) && diff.size() < 2000;
         ++i) {
        const std::string got = i < log.size() ? log[i] : "(none)";
        const std::string want = i < expectedAfter.size() ? expectedAfter[i] : "(none)";
        if (got != want) {
            diff += "\n    line " + std::to_string(i + 1) + ": \"" + got + "\" instead of \"" +
                    want + "\"";
        }
    }
    LRESULT selected = -1;
    ask(run.list, LB_GETCURSEL, 0, selected);
    check(diff.empty() && selected == static_cast<LRESULT>(expected.size()) - 2,
          "after the long run List1 holds its " + std::to_string(expected.size()) +
              " lines in order, the last file's line selected, then the line sent during it",
          std::to_string(log.size()) + " lines, selection " + number(selected) + diff);
    LRESULT lastChecked = 0;
    check(changesSent && changesWaited && ask(run.lastBox, BM_GETCHECK, 0, lastChecked) &&
              lastChecked == BST_CHECKED,
          "a box checked and a line added during the run take effect after it, as if sent then",
          std::string(changesSent ? "" : "the messages were not answered; ") +
              (changesWaited ? "" : "they changed the window during the run; ") +
              (lastChecked == BST_CHECKED ? "" : "ch20 is not checked after the run"));

    LRESULT state = 0;
    const bool askedAfter = waitUntil(
        [&] { return ask(run.otherBox, BM_GETCHECK, 0, state) && state == BST_CHECKED; }, 5);
    check(clickSent && clickWaited && askedAfter,
          "a click sent during the run is handled only after it",
          std::string(clickSent ? "" : "the click was not answered; ") +
              (clickWaited ? "" : "the box changed during the run; ") +
              (askedAfter ? "" : "the box did not change after the run"));
    screenshotOf(run.window).writePng(output + L"\\window-after-long-run.png");
    run.setBoxes(false);
}

} // namespace vp::gui
