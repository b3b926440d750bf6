// End-to-end driver for the real program under Wine: starts it, finds its window by the
// caption, and drives and reads it only through window messages, as a screen reader or a
// test tool would. Prints one "ok"/"FAIL" line per check; the exit code is the number of
// failures.
//
//   vp-gui-driver PROGRAM OUTPUT_FOLDER          the whole scenario; screenshots and saved
//                                                logs go to OUTPUT_FOLDER
//   vp-gui-driver PROGRAM --demo FOLDER          a cleaning run with the boxes as they start:
//                                                prints the run log, keeps window.png (after
//                                                load) and window-after-run.png in FOLDER
//   vp-gui-driver PROGRAM --scaled FOLDER        the layout, the captions and the pixels at
//                                                the screen's resolution, after load and after
//                                                a run; the screenshots go to FOLDER
//
// The profile is expected to be empty: every target then contributes its catalogue line and
// its closing empty line, so the run log is known in advance. What each target cleans is
// checked by the targets' own suites.
#include "CaptionFit.h"
#include "Checks.h"
#include "LongRun.h"
#include "Probe.h"
#include "Screenshot.h"

#include "app/Catalogue.h"
#include "app/Layout.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace vp::gui {
namespace {

using testing::check;
using testing::printLine;
using win32::widen;

constexpr std::uint32_t Backdrop = 0xFF00FF; // magenta behind the program's window
constexpr std::uint32_t Theme = 0x719EE3;    // the frames' border, as 0x00RRGGBB
constexpr int FirstControlId = 1000;
constexpr double Patience = 20; // seconds for anything to appear
constexpr std::string_view EveryBox = "11111111111111111111";

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

// A window as the failure messages show it: class, control id and text.
std::string describe(HWND window) {
    return classOf(window) + "#" + std::to_string(GetDlgCtrlID(window)) + " " +
           quoted(textOf(window));
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += "|" + line + "|\n    ";
    }
    return out;
}

// A full-screen magenta window behind the program's, so the cut corners show a known colour
// whatever the display's own background is.
HWND makeBackdrop() {
    WNDCLASSW backdrop{};
    backdrop.lpfnWndProc = DefWindowProcW;
    backdrop.hInstance = GetModuleHandleW(nullptr);
    backdrop.hbrBackground = CreateSolidBrush(RGB(0xFF, 0x00, 0xFF));
    backdrop.lpszClassName = L"VpBackdrop";
    RegisterClassW(&backdrop);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"VpBackdrop", L"", WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, backdrop.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return window;
}

// The program under test; ended at the latest when the driver ends.
class Program {
public:
    explicit Program(const std::wstring& path) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + path + L"\"";
        CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process_);
    }
    ~Program() {
        if (started() && !ended()) {
            TerminateProcess(process_.hProcess, 99);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD thread() const { return process_.dwThreadId; }
    bool ended() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }
    std::string state() const {
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code == STILL_ACTIVE ? "running" : "ended with " + std::to_string(code);
    }

    HWND findWindow() const {
        return waitFor(
            [this]() -> HWND {
                HWND window = FindWindowW(nullptr, L"Vexoma Pellora 1.0");
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                return owner == process_.dwProcessId && IsWindowVisible(window) ? window : nullptr;
            },
            Patience);
    }

private:
    PROCESS_INFORMATION process_{};
};

class Driver {
public:
    Driver(const Program& program, HWND window, std::wstring output)
        : program_(program), window_(window), output_(std::move(output)),
          dpi_(GetDeviceCaps(GetDC(nullptr), LOGPIXELSX)) {
        const auto& layout = ControlsLayout();
        for (std::size_t i = 0; i < layout.size(); ++i) {
            controls_[layout[i].desc.name] =
                descendant(window_, FirstControlId + static_cast<int>(i));
        }
    }

    int px(int twips) const { return MulDiv(twips, dpi_, 1440); }
    HWND control(std::string_view name) const { return controls_.at(std::string(name)); }
    bool shown(std::string_view name) const { return hasStyle(control(name), WS_VISIBLE); }

    // Clicks through BM_CLICK and waits for the handler to finish.
    void click(std::string_view name) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control(name), BM_CLICK, 0, 0, SMTO_NORMAL, 120000, &result);
    }
    // Clicks without waiting: the handler opens a modal window.
    void clickLater(std::string_view name) const { PostMessageW(control(name), BM_CLICK, 0, 0); }

    // The twenty boxes as '0'/'1', ch1 first.
    std::string boxes() const {
        std::string out;
        for (int n = 1; n <= vp::TargetCount(); ++n) {
            out +=
                SendMessageW(control("ch" + std::to_string(n)), BM_GETCHECK, 0, 0) == 1 ? '1' : '0';
        }
        return out;
    }
    void setBoxes(std::string_view checked) const {
        for (int n = 1; n <= vp::TargetCount(); ++n) {
            SendMessageW(control("ch" + std::to_string(n)), BM_SETCHECK,
                         checked[static_cast<std::size_t>(n - 1)] == '1' ? 1 : 0, 0);
        }
    }

    void repaint() const {
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pause(300);
    }

    bool close() const {
        clickLater("TopButtons_XP1");
        return waitUntil([this] { return program_.ended(); }, 10);
    }

    void layoutAfterLoad() const {
        RECT client{};
        RECT box{};
        GetClientRect(window_, &client);
        GetWindowRect(window_, &box);
        const int left = (GetSystemMetrics(SM_CXSCREEN) - (box.right - box.left)) / 2;
        const int top = (GetSystemMetrics(SM_CYSCREEN) - (box.bottom - box.top)) / 2;
        const bool bare = !hasStyle(window_, WS_CAPTION) && !hasStyle(window_, WS_THICKFRAME);
        check(client.right == px(5730) && client.bottom == px(3720) && bare &&
                  std::abs(box.left - left) <= 1 && std::abs(box.top - top) <= 1,
              "the window: 5730 x 3720 twips inside, no title bar nor border, centred",
              std::to_string(client.right) + " x " + std::to_string(client.bottom) + " pixels at " +
                  std::to_string(box.left) + "," + std::to_string(box.top) +
                  " (centred: " + std::to_string(left) + "," + std::to_string(top) + ")" +
                  (bare ? "" : ", with a title bar or border"));

        char user[256] = {};
        GetEnvironmentVariableA("USERNAME", user, sizeof user);
        // A control as a line of facts: whether in its parent, left, top, width and height (left
        // out for a drop-down, whose height is its list's), text, whether shown, its check.
        const auto facts = [](bool inParent, RECT at, const std::string& text, bool visible,
                              int checked) {
            return std::string(inParent ? "" : "elsewhere ") + std::to_string(at.left) + "," +
                   std::to_string(at.top) + " " + std::to_string(at.right) + "x" +
                   std::to_string(at.bottom) + " " + quoted(text) +
                   (visible ? " shown" : " hidden") + " check " + std::to_string(checked);
        };
        std::string wrong;
        for (const ControlLayout& item : ControlsLayout()) {
            const ControlSpec& desc = item.desc;
            HWND child = control(desc.name);
            RECT at{};
            GetWindowRect(child, &at);
            MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&at), 2);
            const bool dropDown = desc.kind == ControlKind::DropDownList;
            const bool checkBox = desc.kind == ControlKind::CheckBox;
            // Label10 takes the user name at load; the selector shows its first choice.
            const std::string text = desc.name == "Label10" ? std::string(user)
                                     : dropDown ? std::string(vp::Categories().front().name)
                                                : desc.caption;
            const std::string got = facts(
                GetParent(child) == (item.parentName.empty() ? window_ : control(item.parentName)),
                {at.left, at.top, at.right - at.left, dropDown ? 0 : at.bottom - at.top},
                textOf(child), hasStyle(child, WS_VISIBLE),
                checkBox ? static_cast<int>(SendMessageW(child, BM_GETCHECK, 0, 0)) : 0);
            const std::string want =
                facts(true,
                      {px(desc.rect.left), px(desc.rect.top), px(desc.rect.width),
                       dropDown ? 0 : px(desc.rect.height)},
                      text, desc.visible, checkBox ? desc.value : 0);
            if (got != want) {
                wrong += "\n    " + desc.name + ": " + got + "\n      instead of " + want;
            }
        }
        check(wrong.empty(),
              "every control: a child window at its place, with its text, shown and checked as "
              "laid out (Label10 the user name, the selector on Complet)",
              wrong);

        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(program_.thread(), &gui);
        check(gui.hwndFocus == control("Command4"), "Command4 holds the keyboard focus",
              "focus on " + describe(gui.hwndFocus));
    }

    // The fixed pixels of the window on its magenta backdrop; the screenshot is kept.
    void pixels(const std::string& when) const {
        repaint();
        const Screenshot shot = screenshotOf(window_);
        shot.writePng(output_ + L"\\window-" + widen(when) + L".png");
        const int w = shot.width;
        const int h = shot.height;
        // The visible frame where the layout puts it.
        const int left = px(1000);
        const int top = px(1080);
        const int right = left + px(4455) - 1;
        const int bottom = top + px(2175) - 1;
        std::string wrong;
        // `is` false: anything but `colour`.
        const auto expect = [&](std::initializer_list<POINT> points, std::uint32_t colour,
                                bool is) {
            for (const POINT p : points) {
                if ((shot.at(p.x, p.y) == colour) != is) {
                    wrong += " (" + std::to_string(p.x) + "," + std::to_string(p.y) +
                             ")=" + hexColour(shot.at(p.x, p.y)) + (is ? " not " : " is ") +
                             hexColour(colour);
                }
            }
        };
        // The 20 x 20 rounding (at 96 dpi, scaled) cuts the corners, and only them.
        const int in = MulDiv(6, dpi_, 96);
        expect({{0, 0}, {1, 0}, {0, 1}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w - 2, h - 2}},
               Backdrop, true);
        expect({{w / 2, 1},
                {1, h / 2},
                {w - 3, h / 2},
                {w / 2, h - 3},
                {in, in},
                {w - in - 2, h - in - 2}},
               Backdrop, false);
        // The frame's border, one pixel wide, and the close button's border.
        const int midY = (top + bottom) / 2;
        expect({{left, midY},
                {right, midY},
                {(left + right) / 2, bottom},
                {px(5145), px(240) + px(345) / 2}},
               Theme, true);
        expect({{left - 1, midY}}, Theme, false);
        expect({{left + 1, midY}}, 0xFFFFFF, true);
        check(wrong.empty(), when + ": the corners cut, the frame and the close button in place",
              wrong);
    }

    void selection() const {
        const struct {
            int index;
            std::string_view before;
            std::string_view after;
            const char* what;
        } cases[] = {
            {1, "00000000000000000001", "11110000000000000001",
             "Internet checks ch1 to ch4 and unchecks nothing"},
            {-1, "00000000000000000000", "00000000000000000000", "no category checks nothing"},
            {0, "00000000000000000000", EveryBox, "Complet checks all twenty boxes"},
        };
        for (const auto& step : cases) {
            setBoxes(step.before);
            SendMessageW(control("cboCategory"), CB_SETCURSEL, static_cast<WPARAM>(step.index), 0);
            click("Command4");
            check(boxes() == step.after, step.what, boxes());
        }
    }

    // The run log an empty profile gives for the checked entries.
    static std::vector<std::string> expectedLog(std::string_view checked) {
        std::vector<std::string> lines;
        for (const CatalogueEntry& entry : Catalogue()) {
            if (checked[static_cast<std::size_t>(entry.number - 1)] == '1') {
                lines.emplace_back(entry.runLogLine);
                lines.emplace_back();
            }
        }
        return lines;
    }

    std::vector<std::string> runWith(std::string_view checked) const {
        setBoxes(checked);
        click("Command1");
        return listLines(control("List1"));
    }

    void fullRun() const {
        const std::vector<std::string> log = runWith(EveryBox);
        const std::vector<std::string> expected = expectedLog(EveryBox);
        std::string diff;
        for (std::size_t i = 0; i < std::max(log.size(), expected.size()); ++i) {
            const std::string got = i < log.size() ? quoted(log[i]) : "(none)";
            const std::string want = i < expected.size() ? quoted(expected[i]) : "(none)";
            if (got != want) {
                diff +=
                    "line " + std::to_string(i + 1) + ": " + got + " instead of " + want + "\n    ";
            }
        }
        check(diff.empty(),
              "a run with every box checked writes the expected run log, line by line",
              diff + "run log:\n    " + joined(log));

        HWND front = GetWindow(control("List1"), GW_HWNDPREV);
        const std::string caption = textOf(window_);
        const auto selected = SendMessageW(control("List1"), LB_GETCURSEL, 0, 0);
        check(!shown("List1") && !shown("ProgressBar1") && front == nullptr &&
                  caption == std::string(75, ' ') + "Nettoyage en cours -100%" &&
                  selected == static_cast<LRESULT>(log.size()) - 2,
              "after the run List1 and the bar are hidden, List1 in front of the picture, the "
              "caption the last status, the last line naming something selected",
              std::string("List1 ") + (shown("List1") ? "shown" : "hidden") + ", bar " +
                  (shown("ProgressBar1") ? "shown" : "hidden") +
                  ", in front of List1: " + (front ? describe(front) : "nothing") + ", caption " +
                  quoted(caption) + ", selection " + std::to_string(selected));
    }

    void panels() const {
        const struct {
            const char* button;
            std::string frame;
            const char* what;
        } steps[] = {
            {"ButtonPlus3", "FramePlus2", "ButtonPlus3 shows the cache lists"},
            {"ButtonPlus3", "FramePlus2", "ButtonPlus3 again leaves them shown"},
            {"ButtonPlus4", "FramePlus3", "ButtonPlus4 shows the configuration panel"},
            {"ButtonPlus2", "FramePlus1", "ButtonPlus2 shows the cleaning panel"},
        };
        for (const auto& step : steps) {
            click(step.button);
            std::string frames;
            for (const char* frame : {"FramePlus1", "FramePlus2", "FramePlus3"}) {
                frames += shown(frame) ? frame : "";
            }
            check(frames == step.frame, step.what, "shown: " + frames);
        }
    }

    HWND waitForDialog(const std::string& title) const {
        return waitFor([&] { return threadWindow(program_.thread(), "#32770", title); }, Patience);
    }

    // The text of a message box: its static text control.
    static std::string messageText(HWND box) {
        for (HWND child : descendants(box)) {
            if (classOf(child) == "Static" && !textOf(child).empty()) {
                return textOf(child);
            }
        }
        return {};
    }

    static bool dismiss(HWND box, int button) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        return waitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, Patience);
    }

    void aboutBox() const {
        clickLater("ButtonPlus5");
        HWND box = waitForDialog("A propos de Vexoma Dustrel 2.0");
        if (!check(box != nullptr, "ButtonPlus5 shows the about box")) {
            return;
        }
        const std::string text = messageText(box);
        std::vector<std::string> lines(1);
        for (const char c : text) {
            if (c == '\r') {
                lines.emplace_back();
            } else {
                lines.back() += c;
            }
        }
        check(lines.size() == 10 && lines[0].empty() && lines[1].starts_with("Auteur : ") &&
                  lines[2] == " " && lines[4].starts_with("E-Mail : ") &&
                  lines[5].starts_with("Site web : ") && lines[6].find_first_not_of(' ') == 17 &&
                  lines[7] == std::string(34, '_') && text.find('\n') == std::string::npos &&
                  dismiss(box, IDOK),
              "the about box shows its ten lines joined by CR, and OK closes it", joined(lines));
    }

    // Answers the save-file dialog the way a user would: the name typed in the file name box,
    // then OK, or Cancel when `accept` is false.
    bool answerSaveDialog(const std::wstring& path, bool accept) const {
        HWND dialog = waitFor(
            [&]() -> HWND {
                HWND found = threadWindow(program_.thread(), "#32770", "");
                return found != nullptr && (descendant(found, 0x47c) || descendant(found, 0x480))
                           ? found
                           : nullptr;
            },
            Patience);
        if (dialog == nullptr) {
            return false;
        }
        // The file name box: a combo box (0x47c) with an edit inside, or a plain edit (0x480).
        for (const int id : {0x47c, 0x480}) {
            if (HWND name = descendant(dialog, id)) {
                SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
                if (HWND edit = FindWindowExW(name, nullptr, L"Edit", nullptr)) {
                    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
                }
            }
        }
        return dismiss(dialog, accept ? IDOK : IDCANCEL) ||
               check(false, "the save-file dialog closes on its button", describe(dialog));
    }

    static std::string fileBytes(const std::wstring& path) {
        std::ifstream file(std::filesystem::path(path), std::ios::binary);
        return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "(no file)";
    }

    // The saved file: the header, then every line in Windows-1252, each ended by CR LF.
    static std::string expectedFile(const std::vector<std::string>& lines) {
        std::string text = "Brumwick - Version 1.1\r\n\r\n";
        for (const std::string& line : lines) {
            const std::wstring wide = widen(line);
            std::string narrow(wide.size() * 2 + 1, '\0');
            narrow.resize(static_cast<std::size_t>(WideCharToMultiByte(
                1252, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(),
                static_cast<int>(narrow.size()), nullptr, nullptr)));
            text += narrow + "\r\n";
        }
        return text;
    }

    static std::string shownBytes(const std::string& bytes) {
        std::string out;
        for (const unsigned char c : bytes) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += c == '\n'               ? "\\n\n    "
                   : c < 0x20 || c >= 0x7F ? hex
                                           : std::string(1, static_cast<char>(c));
        }
        return out;
    }

    // Saves through Command5 and its dialog under `path`, and compares the file with `expected`.
    void saveLog(const std::wstring& path, const std::string& expected,
                 const std::string& what) const {
        clickLater("Command5");
        HWND box = answerSaveDialog(path, true) ? waitForDialog("Vexoma Dustrel") : nullptr;
        const std::string confirmation = box != nullptr ? messageText(box) : "(no confirmation)";
        const bool closed = box != nullptr && dismiss(box, IDOK);
        check(confirmation == " ENREGISTRE ! " && closed,
              "Command5 saves through the dialog and confirms \" ENREGISTRE ! \"",
              quoted(confirmation));
        const std::string bytes = fileBytes(path);
        check(bytes == expected, what,
              "file:\n    " + shownBytes(bytes) + "\n    expected:\n    " + shownBytes(expected));
    }

    void saving() const {
        const std::wstring file = output_ + L"\\run-log.txt";
        const std::string first = expectedFile(listLines(control("List1")));
        saveLog(file, first, "the saved file holds the header and every line, CR LF");

        // A name typed, then Cancel.
        const std::wstring cancelled = output_ + L"\\cancelled.txt";
        clickLater("Command5");
        const bool cancelledAtOnce = answerSaveDialog(cancelled, false);
        // Nothing must follow; Wine takes a while to finish a save, so give it that long.
        HWND shownAfter = nullptr;
        const bool written = waitUntil(
            [&] {
                shownAfter = threadWindow(program_.thread(), "#32770", "");
                return shownAfter != nullptr ||
                       GetFileAttributesW(cancelled.c_str()) != INVALID_FILE_ATTRIBUTES;
            },
            3);
        check(cancelledAtOnce && !written && fileBytes(file) == first,
              "a save cancelled in its dialog writes nothing and shows nothing",
              shownAfter != nullptr ? describe(shownAfter)
                                    : "the dialog stayed, or a file was written");

        // A shorter log saved to the same name replaces the whole file.
        const std::string_view winZip = "00000000000000000001";
        runWith(winZip);
        saveLog(file, expectedFile(expectedLog(winZip)), "saving again replaces the whole file");
    }

    // Several thousand lines through the real window (LongRun.h).
    void longRun() const {
        checkLongRun({window_, control("List1"), control("Command1"), control("ch1"),
                      control("ch20"),
                      [this](bool tempOnly) {
                          setBoxes(tempOnly ? "00000100000000000000" : "00000000000000000000");
                      }},
                     output_);
    }

    void minimiseAndClose() const {
        click("ButtonPlus1");
        const bool minimised = waitUntil([this] { return IsIconic(window_) != 0; }, 5);
        SendMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
        check(minimised && waitUntil([this] { return IsIconic(window_) == 0; }, 5),
              "ButtonPlus1 minimises, the task bar's restore brings the window back",
              minimised ? "still minimised" : "not minimised");
        check(close() && program_.state() == "ended with 0",
              "the close button ends the program at once", program_.state());
    }

    // The window at the screen's resolution (LogPixels): laid out from its twips, no caption
    // cut, the corners and the frame in place, after load and after a run; the screenshots kept.
    void scaled() const {
        layoutAfterLoad();
        const std::string cut = cutCaptions(window_, FirstControlId, output_);
        check(cut.empty(), "no caption of a control on screen is cut, on any panel", cut);
        pixels("after-load");
        fullRun();
        pixels("after-run");
        check(close(), "the close button ends the program");
    }

    // A cleaning run with the boxes as they start, for the pictures of the README and the demo.
    void demo() const {
        check(screenshotOf(window_).writePng(output_ + L"\\window.png"),
              "screenshot of the window after load");
        click("Command1");
        printLine("Run log (List1) after a click on Nettoyer:");
        for (const std::string& line : listLines(control("List1"))) {
            printLine("    " + line);
        }
        ShowWindow(control("List1"), SW_SHOWNA); // only for the picture: the run hid it
        repaint();
        check(screenshotOf(window_).writePng(output_ + L"\\window-after-run.png"),
              "screenshot of the window after the run");
        ShowWindow(control("List1"), SW_HIDE);
        close();
    }

private:
    const Program& program_;
    HWND window_;
    std::wstring output_;
    int dpi_;
    std::map<std::string, HWND> controls_;
};

enum class Scenario { Whole, Demo, Scaled };

int run(const std::wstring& programPath, const std::wstring& output, Scenario scenario) {
    makeBackdrop();
    pause(0);
    Program program(programPath);
    const char* const found =
        "the program starts; its window is found by the caption \"Vexoma Pellora 1.0\"";
    HWND window = program.started() ? program.findWindow() : nullptr;
    if (window == nullptr) {
        std::string windows;
        for (HWND other : threadWindows(program.thread())) {
            windows += "\n    ";
            windows += describe(other) + (IsWindowVisible(other) ? " shown" : " hidden");
        }
        check(false, found,
              program.started() ? program.state() + "; its windows:" + windows : "not started");
        return testing::summary();
    }
    check(true, found);
    pause(500); // let it paint
    const Driver driver(program, window, output);
    if (scenario == Scenario::Demo) {
        driver.demo();
        return testing::summary();
    }
    if (scenario == Scenario::Scaled) {
        printLine("At " + std::to_string(GetDeviceCaps(GetDC(nullptr), LOGPIXELSX)) + " dpi:");
        driver.scaled();
        return testing::summary();
    }
    driver.layoutAfterLoad();
    const std::string cut = cutCaptions(window, FirstControlId);
    check(cut.empty(), "no caption of a control on screen is cut, on any panel", cut);
    driver.pixels("after-load");
    driver.selection();
    driver.fullRun();
    driver.pixels("after-run");
    driver.panels();
    driver.aboutBox();
    driver.saving();
    driver.longRun();
    driver.minimiseAndClose();
    return testing::summary();
}

} // namespace
} // namespace vp::gui

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    using vp::gui::Scenario;
    if (argc == 4 && std::wstring(argv[2]) == L"--demo") {
        return vp::gui::run(argv[1], argv[3], Scenario::Demo);
    }
    if (argc == 4 && std::wstring(argv[2]) == L"--scaled") {
        return vp::gui::run(argv[1], argv[3], Scenario::Scaled);
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: vp-gui-driver PROGRAM OUTPUT_FOLDER | PROGRAM --demo FOLDER | "
                             "PROGRAM --scaled FOLDER\n");
        return 100;
    }
    return vp::gui::run(argv[1], argv[2], Scenario::Whole);
}
