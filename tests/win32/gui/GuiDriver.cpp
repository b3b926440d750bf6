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
//
// The profile is expected to be empty: every target then contributes its catalogue line and
// its closing empty line, so the run log is known in advance. What each target cleans is
// checked by the targets' own suites.
#include "Probe.h"
#include "Screenshot.h"

#include "app/Catalogue.h"
#include "app/Layout.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace vp::gui {
namespace {

constexpr std::uint32_t Backdrop = 0xFF00FF; // magenta behind the program's window
constexpr std::uint32_t Theme = 0x719EE3;    // the frames' border, as 0x00RRGGBB
constexpr int FirstControlId = 1000;
constexpr double Patience = 20; // seconds for anything to appear

int failures = 0;

bool check(bool passed, const std::string& what, const std::string& detail = {}) {
    std::printf("%s - %s%s%s\n", passed ? "ok" : "FAIL", what.c_str(),
                detail.empty() || passed ? "" : "\n    ", passed ? "" : detail.c_str());
    std::fflush(stdout);
    if (!passed) {
        ++failures;
    }
    return passed;
}

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += "    |" + line + "|\n";
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

void pumpOwnMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

class Program {
public:
    explicit Program(const std::wstring& path) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + path + L"\"";
        started_ = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &process_) != 0;
    }
    ~Program() {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return started_; }
    DWORD thread() const { return process_.dwThreadId; }
    HANDLE process() const { return process_.hProcess; }

    HWND findWindow() const {
        return waitFor(
            [this]() -> HWND {
                HWND window = FindWindowW(nullptr, L"Vexoma Pellora 1.0");
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                return window != nullptr && owner == process_.dwProcessId && IsWindowVisible(window)
                           ? window
                           : nullptr;
            },
            Patience);
    }

private:
    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

class Driver {
public:
    Driver(Program& program, HWND window, std::wstring output)
        : program_(program), window_(window), output_(std::move(output)),
          dpi_(GetDeviceCaps(GetDC(nullptr), LOGPIXELSX)) {
        const auto& layout = ControlsLayout();
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const std::string name(layout[i].desc.name);
            controls_[name] = descendant(window_, FirstControlId + static_cast<int>(i));
            specs_[name] = &layout[i];
        }
    }

    int px(int twips) const { return MulDiv(twips, dpi_, 1440); }
    HWND control(const std::string& name) const { return controls_.at(name); }

    // Clicks through BM_CLICK and waits for the handler to finish.
    void click(const std::string& name) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control(name), BM_CLICK, 0, 0, SMTO_NORMAL, 120000, &result);
    }
    // Clicks without waiting: the handler opens a modal window.
    void clickLater(const std::string& name) const { PostMessageW(control(name), BM_CLICK, 0, 0); }
    int checkOf(int n) const {
        return static_cast<int>(SendMessageW(control("ch" + std::to_string(n)), BM_GETCHECK, 0, 0));
    }
    void setCheck(int n, int value) const {
        SendMessageW(control("ch" + std::to_string(n)), BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
    bool shown(const std::string& name) const { return hasStyle(control(name), WS_VISIBLE); }

    void layoutAfterLoad() {
        RECT client{};
        GetClientRect(window_, &client);
        check(client.right == px(5730) && client.bottom == px(3720),
              "client area 5730 x 3720 twips",
              std::to_string(client.right) + " x " + std::to_string(client.bottom) + " pixels");
        check(!hasStyle(window_, WS_CAPTION) && !hasStyle(window_, WS_THICKFRAME),
              "no title bar and no border");
        RECT box{};
        GetWindowRect(window_, &box);
        const int cx = (GetSystemMetrics(SM_CXSCREEN) - (box.right - box.left)) / 2;
        const int cy = (GetSystemMetrics(SM_CYSCREEN) - (box.bottom - box.top)) / 2;
        check(std::abs(box.left - cx) <= 1 && std::abs(box.top - cy) <= 1, "centred on the screen",
              "at " + std::to_string(box.left) + "," + std::to_string(box.top) + ", centre is " +
                  std::to_string(cx) + "," + std::to_string(cy));

        std::string misplaced;
        std::string wrongText;
        std::string wrongState;
        for (const auto& [name, layout] : specs_) {
            HWND child = control(name);
            if (child == nullptr) {
                misplaced += " " + name + "(missing)";
                continue;
            }
            const ControlSpec& desc = layout->desc;
            HWND parent =
                layout->parentName.empty() ? window_ : control(std::string(layout->parentName));
            const RECT place = placeInParent(child);
            const bool heightFixed = desc.kind != ControlKind::DropDownList;
            if (GetParent(child) != parent || place.left != px(desc.rect.left) ||
                place.top != px(desc.rect.top) || place.right - place.left != px(desc.rect.width) ||
                (heightFixed && place.bottom - place.top != px(desc.rect.height))) {
                misplaced += " " + name;
            }
            // Label10 takes the user name at load; it is checked on its own below.
            if (desc.kind != ControlKind::DropDownList && name != "Label10" &&
                textOf(child) != desc.caption) {
                wrongText += " " + name + "=" + quoted(textOf(child));
            }
            if (hasStyle(child, WS_VISIBLE) != desc.visible ||
                (desc.kind == ControlKind::CheckBox &&
                 SendMessageW(child, BM_GETCHECK, 0, 0) != desc.value)) {
                wrongState += " " + name;
            }
        }
        check(misplaced.empty(), "every control is a child window at its place", misplaced);
        check(wrongText.empty(), "every control's window text is its caption", wrongText);
        check(wrongState.empty(),
              "every control starts shown or hidden, checked or not, as laid out", wrongState);
        check(textOf(control("cboCategory")) == std::string(DefaultCategory),
              "the category selector starts on " + std::string(DefaultCategory),
              textOf(control("cboCategory")));

        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(program_.thread(), &gui);
        check(gui.hwndFocus == control("Command4"), "Command4 holds the keyboard focus",
              "focus on " + classOf(gui.hwndFocus) + " " + quoted(textOf(gui.hwndFocus)));

        char user[256] = {};
        GetEnvironmentVariableA("USERNAME", user, sizeof user);
        check(textOf(control("Label10")) == user, "Label10 holds the user name",
              quoted(textOf(control("Label10"))) + " instead of " + quoted(user));
    }

    void pixels(const std::string& when) {
        RECT box{};
        GetWindowRect(window_, &box);
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pause(300);
        pumpOwnMessages();
        const Screenshot shot = Screenshot::capture(box);
        shot.writePng(output_ + L"\\window-" + widen(when) + L".png");
        const int w = shot.width();
        const int h = shot.height();

        std::string notCut;
        for (const POINT corner : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{w - 1, 0},
                                   POINT{0, h - 1}, POINT{w - 1, h - 1}, POINT{w - 2, h - 2}}) {
            if (shot.at(corner.x, corner.y) != Backdrop) {
                notCut += " (" + std::to_string(corner.x) + "," + std::to_string(corner.y) +
                          ")=" + hexColour(shot.at(corner.x, corner.y));
            }
        }
        check(notCut.empty(), when + ": the 20 x 20 rounding cuts the corners", notCut);
        std::string cut;
        for (const POINT inside : {POINT{w / 2, 1}, POINT{1, h / 2}, POINT{w - 3, h / 2},
                                   POINT{w / 2, h - 3}, POINT{6, 6}, POINT{w - 8, h - 8}}) {
            if (shot.at(inside.x, inside.y) == Backdrop) {
                cut += " (" + std::to_string(inside.x) + "," + std::to_string(inside.y) + ")";
            }
        }
        check(cut.empty(), when + ": the window is drawn inside its rounded shape", cut);

        // The visible frame's theme border, where the layout puts the frame.
        const int left = px(1000);
        const int top = px(1080);
        const int right = left + px(4455) - 1;
        const int bottom = top + px(2175) - 1;
        const int midY = (top + bottom) / 2;
        const int midX = (left + right) / 2;
        std::string border;
        for (const POINT edge : {POINT{left, midY}, POINT{right, midY}, POINT{midX, bottom}}) {
            if (shot.at(edge.x, edge.y) != Theme) {
                border += " (" + std::to_string(edge.x) + "," + std::to_string(edge.y) +
                          ")=" + hexColour(shot.at(edge.x, edge.y));
            }
        }
        check(border.empty(), when + ": the frame's border lies where the layout puts it", border);
        check(shot.at(left + 1, midY) == 0xFFFFFF && shot.at(left - 1, midY) != Theme,
              when + ": the frame is one pixel wide at its left edge",
              hexColour(shot.at(left - 1, midY)) + " " + hexColour(shot.at(left + 1, midY)));
        // The close button's border, at its place on the window.
        const int closeLeft = px(5145);
        const int closeMid = px(240) + px(345) / 2;
        check(shot.at(closeLeft, closeMid) == Theme, when + ": the close button is at its place",
              hexColour(shot.at(closeLeft, closeMid)));
    }

    void selection() {
        HWND selector = control("cboCategory");
        const auto select = [&](int index) {
            SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        };
        const auto checkedBoxes = [&] {
            std::string out;
            for (int n = 1; n <= 20; ++n) {
                out += checkOf(n) == 1 ? '1' : '0';
            }
            return out;
        };
        for (int n = 1; n <= 20; ++n) {
            setCheck(n, 0);
        }
        setCheck(20, 1);
        select(1); // Internet
        click("Command4");
        check(checkedBoxes() == "11110000000000000001",
              "Internet checks ch1 to ch4 and unchecks nothing", checkedBoxes());
        select(-1); // nothing chosen: no category
        for (int n = 1; n <= 20; ++n) {
            setCheck(n, 0);
        }
        click("Command4");
        check(checkedBoxes() == std::string(20, '0'), "no category checks nothing", checkedBoxes());
        select(0); // Complet
        click("Command4");
        check(checkedBoxes() == std::string(20, '1'), "Complet checks all twenty boxes",
              checkedBoxes());
    }

    // The run log an empty profile gives for the checked entries.
    static std::vector<std::string> expectedLog(const std::string& checked) {
        std::vector<std::string> lines;
        for (const CatalogueEntry& entry : Catalogue()) {
            if (checked[static_cast<std::size_t>(entry.number - 1)] == '1') {
                lines.emplace_back(entry.runLogLine);
                lines.emplace_back();
            }
        }
        return lines;
    }

    std::vector<std::string> runWith(const std::string& checked) {
        for (int n = 1; n <= 20; ++n) {
            setCheck(n, checked[static_cast<std::size_t>(n - 1)] == '1' ? 1 : 0);
        }
        click("Command1");
        return listLines(control("List1"));
    }

    void fullRun() {
        const std::vector<std::string> log = runWith(std::string(20, '1'));
        const std::vector<std::string> expected = expectedLog(std::string(20, '1'));
        std::string diff;
        for (std::size_t i = 0; i < std::max(log.size(), expected.size()); ++i) {
            const std::string got = i < log.size() ? log[i] : "(none)";
            const std::string want = i < expected.size() ? expected[i] : "(none)";
            if (got != want) {
                diff += "line " + std::to_string(i + 1) + ": " + quoted(got) + " instead of " +
                        quoted(want) + "\n    ";
            }
        }
        check(diff.empty(),
              "a run with every box checked writes the expected run log, line by line",
              diff + "run log:\n" + joined(log));
        check(!shown("List1") && !shown("ProgressBar1"), "the run hides List1 and the bar again");
        check(GetWindow(control("List1"), GW_HWNDPREV) == nullptr,
              "the run log lies in front of the picture and the description",
              "in front of it: " + classOf(GetWindow(control("List1"), GW_HWNDPREV)));
        const std::string caption = textOf(window_);
        check(caption == std::string(75, ' ') + "Nettoyage en cours -100%",
              "the caption keeps the last status caption", quoted(caption));
        const auto selected = SendMessageW(control("List1"), LB_GETCURSEL, 0, 0);
        check(selected == static_cast<LRESULT>(log.size()) - 2,
              "the last line naming something stays selected",
              "selection " + std::to_string(selected));
    }

    std::string visibleFrames() const {
        std::string out;
        for (const char* frame : {"FramePlus1", "FramePlus2", "FramePlus3"}) {
            out += shown(frame) ? frame : "";
        }
        return out;
    }

    void panels() {
        click("ButtonPlus3");
        click("ButtonPlus3");
        check(visibleFrames() == "FramePlus2", "ButtonPlus3 twice leaves the cache lists alone",
              visibleFrames());
        click("ButtonPlus4");
        check(visibleFrames() == "FramePlus3", "ButtonPlus4 shows the configuration panel",
              visibleFrames());
        click("ButtonPlus2");
        check(visibleFrames() == "FramePlus1", "ButtonPlus2 shows the cleaning panel",
              visibleFrames());
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

    bool dismiss(HWND box, int button) const {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        return waitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, Patience);
    }

    void aboutBox() {
        clickLater("ButtonPlus5");
        HWND box = waitForDialog("A propos de Vexoma Dustrel 2.0");
        if (!check(box != nullptr, "ButtonPlus5 shows the about box")) {
            return;
        }
        const std::string text = messageText(box);
        std::vector<std::string> lines;
        std::string line;
        for (const char c : text + '\r') {
            if (c == '\r') {
                lines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        const bool shaped =
            lines.size() == 10 && lines[0].empty() && lines[1].starts_with("Auteur : ") &&
            lines[2] == " " && lines[4].starts_with("E-Mail : ") &&
            lines[5].starts_with("Site web : ") && lines[6].find_first_not_of(' ') == 17 &&
            lines[7] == std::string(34, '_') && text.find('\n') == std::string::npos;
        check(shaped, "the about box shows its ten lines joined by CR", joined(lines));
        check(dismiss(box, IDOK), "OK closes the about box");
    }

    // Answers the save-file dialog the way a user would: the name typed in the file name box,
    // then OK; or Cancel when `path` is empty.
    bool answerSaveDialog(const std::wstring& path) const {
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
        if (path.empty()) {
            return dismiss(dialog, IDCANCEL);
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
        if (dismiss(dialog, IDOK)) {
            return true;
        }
        std::string children;
        for (HWND child : descendants(dialog)) {
            children += ' ';
            children += classOf(child);
            children += '#';
            children += std::to_string(GetDlgCtrlID(child));
            children += '=';
            children += quoted(textOf(child));
        }
        check(false, "the save-file dialog takes the file name", children);
        return false;
    }

    static std::string fileBytes(const std::wstring& path) {
        std::string bytes;
        FILE* file = _wfopen(path.c_str(), L"rb");
        if (file == nullptr) {
            return "(no file)";
        }
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.append(buffer, got);
        }
        std::fclose(file);
        return bytes;
    }

    static std::string expectedFile(const std::vector<std::string>& lines) {
        std::string text = "Brumwick - Version 1.1\r\n\r\n";
        for (const std::string& line : lines) {
            const std::wstring wide = widen(line);
            std::string narrow(wide.size() * 2 + 1, '\0');
            const int size = WideCharToMultiByte(1252, 0, wide.data(),
                                                 static_cast<int>(wide.size()), narrow.data(),
                                                 static_cast<int>(narrow.size()), nullptr, nullptr);
            text += narrow.substr(0, static_cast<std::size_t>(size)) + "\r\n";
        }
        return text;
    }

    static std::string shownBytes(const std::string& bytes) {
        std::string out;
        for (const unsigned char c : bytes) {
            if (c == '\r') {
                out += "\\r";
            } else if (c == '\n') {
                out += "\\n\n    ";
            } else if (c < 0x20 || c >= 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            } else {
                out += static_cast<char>(c);
            }
        }
        return out;
    }

    bool saveLog(const std::wstring& path) {
        clickLater("Command5");
        if (!check(answerSaveDialog(path), "Command5 opens the save-file dialog")) {
            return false;
        }
        HWND box = waitForDialog("Vexoma Dustrel");
        if (!check(box != nullptr, "a saved log is confirmed")) {
            return false;
        }
        check(messageText(box) == " ENREGISTRE ! ", "the confirmation reads \" ENREGISTRE ! \"",
              quoted(messageText(box)));
        return dismiss(box, IDOK);
    }

    void saving() {
        const std::wstring file = output_ + L"\\run-log.txt";
        const std::vector<std::string> log = listLines(control("List1"));
        if (saveLog(file)) {
            const std::string bytes = fileBytes(file);
            check(bytes == expectedFile(log),
                  "the saved file holds the header and every line, CR LF",
                  "file:\n    " + shownBytes(bytes) + "\n    expected:\n    " +
                      shownBytes(expectedFile(log)));
        }

        const std::wstring untouched = output_ + L"\\cancelled.txt";
        clickLater("Command5");
        check(answerSaveDialog(L""), "the save-file dialog can be cancelled");
        pause(1000);
        check(threadWindow(program_.thread(), "#32770", "") == nullptr,
              "a cancelled save shows nothing");
        check(GetFileAttributesW(untouched.c_str()) == INVALID_FILE_ATTRIBUTES &&
                  fileBytes(file) == expectedFile(log),
              "a cancelled save writes nothing");

        // A file that cannot be replaced keeps what it held, and nothing is shown.
        const std::wstring locked = output_ + L"\\read-only.txt";
        if (FILE* earlier = _wfopen(locked.c_str(), L"wb")) {
            std::fputs("earlier content\r\n", earlier);
            std::fclose(earlier);
        }
        SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
        clickLater("Command5");
        check(answerSaveDialog(locked), "a read-only file can be chosen in the dialog");
        pause(1500);
        HWND shown = threadWindow(program_.thread(), "#32770", "");
        check(shown == nullptr, "a failed save shows nothing", quoted(textOf(shown)));
        if (shown != nullptr) {
            dismiss(shown, IDOK);
        }
        check(fileBytes(locked) == "earlier content\r\n",
              "a failed save leaves the earlier file as it was", shownBytes(fileBytes(locked)));
        SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

        // A shorter log saved to the same name replaces the whole file.
        const std::vector<std::string> shorter = runWith("00000000000000000001");
        check(shorter == expectedLog("00000000000000000001"), "a run with ch20 alone logs WinZip",
              joined(shorter));
        if (saveLog(file)) {
            check(fileBytes(file) == expectedFile(shorter), "saving again replaces the file",
                  shownBytes(fileBytes(file)));
        }
    }

    void minimiseAndClose() {
        click("ButtonPlus1");
        check(waitUntil([this] { return IsIconic(window_) != 0; }, 5), "ButtonPlus1 minimises");
        SendMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
        check(waitUntil([this] { return IsIconic(window_) == 0; }, 5),
              "the task bar's restore brings it back");
        clickLater("TopButtons_XP1");
        const bool ended = waitUntil(
            [this] { return WaitForSingleObject(program_.process(), 0) == WAIT_OBJECT_0; }, 10);
        DWORD code = 1;
        GetExitCodeProcess(program_.process(), &code);
        check(ended && code == 0, "the close button ends the program at once",
              "exit code " + std::to_string(code));
    }

private:
    Program& program_;
    HWND window_;
    std::wstring output_;
    int dpi_;
    std::map<std::string, HWND> controls_;
    std::map<std::string, const ControlLayout*> specs_;
};

void demo(Driver& driver, Program& program, HWND window, const std::wstring& output) {
    const auto shoot = [&](const wchar_t* name) {
        RECT box{};
        GetWindowRect(window, &box);
        return Screenshot::capture(box).writePng(output + L"\\" + name);
    };
    check(shoot(L"window.png"), "screenshot of the window after load");
    driver.click("Command1");
    std::printf("Run log (List1) after a click on Nettoyer:\n");
    for (const std::string& line : listLines(driver.control("List1"))) {
        std::printf("    %s\n", line.c_str());
    }
    ShowWindow(driver.control("List1"), SW_SHOWNA); // only for the picture: the run hid it
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pause(300);
    check(shoot(L"window-after-run.png"), "screenshot of the window after the run");
    ShowWindow(driver.control("List1"), SW_HIDE);
    driver.clickLater("TopButtons_XP1");
    waitUntil([&] { return WaitForSingleObject(program.process(), 0) == WAIT_OBJECT_0; }, 10);
}

int run(const std::wstring& programPath, const std::wstring& output, bool demoOnly) {
    HWND backdrop = makeBackdrop();
    pumpOwnMessages();
    Program program(programPath);
    if (!check(program.started(), "the program starts")) {
        return failures;
    }
    HWND window = program.findWindow();
    if (window == nullptr) {
        DWORD code = 0;
        GetExitCodeProcess(program.process(), &code);
        std::string windows;
        for (HWND found : threadWindows(program.thread())) {
            windows += " " + classOf(found) + " " + quoted(textOf(found)) +
                       (IsWindowVisible(found) ? " shown" : " hidden");
        }
        check(false, "its window is found by the caption \"Vexoma Pellora 1.0\"",
              "program " +
                  (code == STILL_ACTIVE ? std::string("running")
                                        : "ended with " + std::to_string(code)) +
                  "; its windows:" + windows);
        return failures;
    }
    check(true, "its window is found by the caption \"Vexoma Pellora 1.0\"");
    pause(500); // let it paint
    Driver driver(program, window, output);
    if (demoOnly) {
        demo(driver, program, window, output);
        DestroyWindow(backdrop);
        return failures;
    }
    driver.layoutAfterLoad();
    driver.pixels("after-load");
    driver.selection();
    driver.fullRun();
    driver.pixels("after-run");
    driver.panels();
    driver.aboutBox();
    driver.saving();
    driver.minimiseAndClose();
    DestroyWindow(backdrop);
    std::printf("%d failure(s)\n", failures);
    return failures;
}

} // namespace
} // namespace vp::gui

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    if (argc == 4 && std::wstring(argv[2]) == L"--demo") {
        return vp::gui::run(argv[1], argv[3], true);
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: vp-gui-driver PROGRAM OUTPUT_FOLDER | PROGRAM --demo FOLDER\n");
        return 100;
    }
    return vp::gui::run(argv[1], argv[2], false);
}
