// The real program as a screen reader and a keyboard user meet it, under Wine: starts it,
// walks its controls' accessible objects with oleacc (AccessibleObjectFromWindow, in this
// process, so every answer crosses to the program's), reads the progress bar's value during
// and after a run while counting the events the window raises, and moves the focus with Tab,
// presses buttons with Enter and Space. Prints one "ok"/"FAIL" line per check; the exit code is
// the number of failures.
//
//   vp-access-driver PROGRAM OUTPUT_FOLDER access     roles, names, values, events, keyboard
//   vp-access-driver PROGRAM OUTPUT_FOLDER contrast   a high-contrast theme set first: the
//                                                     window and the bar in its colours only
#include "Checks.h"
#include "Probe.h"
#include "Screenshot.h"

#include "app/Layout.h"
#include "platform/Accessibility.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vp::gui {
namespace {

using testing::check;
using testing::printLine;
using win32::narrowUtf8;
using win32::widen;

constexpr int FirstControlId = 1000;
constexpr double Patience = 20;

// The high-contrast scheme the contrast mode sets: black window, white text, a yellow
// highlight (0x00BBGGRR).
constexpr COLORREF HcWindow = RGB(0, 0, 0);
constexpr COLORREF HcText = RGB(255, 255, 255);
constexpr COLORREF HcHighlight = RGB(255, 255, 0);
constexpr COLORREF HcHighlightText = RGB(0, 0, 0);

std::uint32_t asRgb(COLORREF colour) { // a screenshot's pixel, 0x00RRGGBB
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

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
        if (process_.hProcess != nullptr &&
            WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 99);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD process() const { return process_.dwProcessId; }
    DWORD thread() const { return process_.dwThreadId; }
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

// One accessible object, released at the end of its scope.
class Accessible {
public:
    explicit Accessible(HWND window, LONG object = OBJID_CLIENT) {
        void* found = nullptr;
        if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(object),
                                                 __uuidof(IAccessible), &found))) {
            object_ = static_cast<IAccessible*>(found);
        }
    }
    ~Accessible() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    explicit operator bool() const { return object_ != nullptr; }
    IAccessible* get() const { return object_; }

    static VARIANT self() {
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = CHILDID_SELF;
        return child;
    }
    int role() const {
        VARIANT role;
        VariantInit(&role);
        if (object_ == nullptr || FAILED(object_->get_accRole(self(), &role)) || role.vt != VT_I4) {
            return -1;
        }
        return role.lVal;
    }
    std::string name() const { return text(&IAccessible::get_accName); }
    std::string value() const { return text(&IAccessible::get_accValue); }
    std::string defaultAction() const { return text(&IAccessible::get_accDefaultAction); }
    bool press() const {
        return object_ != nullptr && SUCCEEDED(object_->accDoDefaultAction(self()));
    }

private:
    std::string text(HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, BSTR*)) const {
        BSTR answer = nullptr;
        if (object_ == nullptr || (object_->*getter)(self(), &answer) != S_OK ||
            answer == nullptr) {
            return "(none)";
        }
        std::string out = narrowUtf8(std::wstring(answer, SysStringLen(answer)));
        SysFreeString(answer);
        return out;
    }

    IAccessible* object_ = nullptr;
};

// The events one window raises, counted by a hook out of the program's context.
class EventCount {
public:
    EventCount(DWORD process, HWND window) : window_(window) {
        counting().push_back(this);
        hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, callback, process, 0,
                                WINEVENT_OUTOFCONTEXT);
    }
    ~EventCount() {
        UnhookWinEvent(hook_);
        auto& all = counting();
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    EventCount(const EventCount&) = delete;
    EventCount& operator=(const EventCount&) = delete;

    int of(DWORD event) const {
        const auto found = counts_.find(event);
        return found == counts_.end() ? 0 : found->second;
    }
    int total() const {
        int sum = 0;
        for (const auto& [event, count] : counts_) {
            sum += count;
        }
        return sum;
    }
    std::string shown() const {
        std::string out;
        for (const auto& [event, count] : counts_) {
            char line[64];
            std::snprintf(line, sizeof line, " 0x%04lX x %d", static_cast<unsigned long>(event),
                          count);
            out += line;
        }
        return (out.empty() ? std::string(" none") : out) + " (" + std::to_string(anywhere_) +
               " in the process)";
    }

private:
    static std::vector<EventCount*>& counting() {
        static std::vector<EventCount*> all;
        return all;
    }
    static void CALLBACK callback(HWINEVENTHOOK hook, DWORD event, HWND window, LONG, LONG, DWORD,
                                  DWORD) {
        for (EventCount* count : counting()) {
            if (count->hook_ == hook) {
                ++count->anywhere_;
                if (window == count->window_) {
                    ++count->counts_[event];
                }
            }
        }
    }

    HWND window_;
    HWINEVENTHOOK hook_ = nullptr;
    int anywhere_ = 0;
    std::map<DWORD, int> counts_;
};

std::wstring two(int n) {
    return (n < 10 ? L"0" : L"") + std::to_wstring(n);
}

// Files for the temporary-files target: a run of a few seconds.
void seedTemp(int folders, int files) {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    const std::wstring root = std::wstring(buffer) + L"vp-access";
    CreateDirectoryW(root.c_str(), nullptr);
    for (int d = 0; d < folders; ++d) {
        const std::wstring folder = root + L"\\folder" + two(d);
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int f = 0; f < files; ++f) {
            const std::wstring file = folder + L"\\file" + two(f) + L".tmp";
            CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        }
    }
}

bool isPanel(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::PictureBox;
}

bool takesFocus(ControlKind kind) {
    switch (kind) {
    case ControlKind::ExternalButton:
    case ControlKind::PictureButton:
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::ListBox:
    case ControlKind::DirListBox:
    case ControlKind::FileListBox:
    case ControlKind::DropDownList:
        return true;
    default:
        return false;
    }
}

class Driver {
public:
    Driver(const Program& program, HWND window, std::wstring output)
        : program_(program), window_(window), output_(std::move(output)) {
        const auto& layout = ControlsLayout();
        for (std::size_t i = 0; i < layout.size(); ++i) {
            controls_[layout[i].desc.name] =
                descendant(window_, FirstControlId + static_cast<int>(i));
        }
    }

    HWND control(std::string_view name) const { return controls_.at(std::string(name)); }
    bool shown(std::string_view name) const { return IsWindowVisible(control(name)) != 0; }
    void click(std::string_view name) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control(name), BM_CLICK, 0, 0, SMTO_NORMAL, 120000, &result);
    }
    std::string focused() const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(program_.thread(), &gui);
        for (const auto& [name, window] : controls_) {
            if (window == gui.hwndFocus) {
                return name;
            }
        }
        return gui.hwndFocus == nullptr ? "(nothing)" : classOf(gui.hwndFocus);
    }
    // A key pressed and released while the program's window is in front, as the keyboard
    // sends it: to the focused control, through the program's own message loop.
    void key(WPARAM virtualKey) const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(program_.thread(), &gui);
        HWND target = gui.hwndFocus != nullptr ? gui.hwndFocus : window_;
        PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
        PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001U));
        pause(150);
    }

    // Every control's accessible role and name, as a reader walks the window; the table is
    // printed for the record.
    void rolesAndNames() const {
        Accessible top(window_);
        LONG children = 0;
        if (top) {
            top.get()->get_accChildCount(&children);
        }
        check(top && children > 0, "the window answers with its accessible object and children",
              "children: " + std::to_string(children));

        std::string wrong;
        std::set<std::string> buttonNames;
        std::string duplicates;
        char user[256] = {};
        GetEnvironmentVariableA("USERNAME", user, sizeof user);
        printLine("    control          role  name");
        for (const ControlLayout& item : ControlsLayout()) {
            const ControlSpec& desc = item.desc;
            const Accessible object(control(desc.name));
            const int role = object.role();
            const std::string name = object.name();
            const std::string caption = desc.name == "Label10"                   ? std::string(user)
                                        : desc.kind == ControlKind::DropDownList ? std::string()
                                                                                 : desc.caption;
            const std::string wantName = AccessibleNameOf(desc, caption);
            const int wantRole = static_cast<int>(AccessibleRoleOf(desc.kind));
            char line[200];
            std::snprintf(line, sizeof line, "    %-16s 0x%02X  %s", desc.name.c_str(), role,
                          name.c_str());
            printLine(line);
            if (role != wantRole || name != wantName || name.empty() || name == "(none)") {
                wrong += "\n    " + desc.name + ": role " + std::to_string(role) + " name \"" +
                         name + "\" instead of role " + std::to_string(wantRole) + " name \"" +
                         wantName + "\"";
            }
            if (AccessibleRoleOf(desc.kind) == AccessibleRole::PushButton &&
                !buttonNames.insert(name).second) {
                duplicates += " \"" + name + "\"";
            }
            if (role == static_cast<int>(AccessibleRole::PushButton) &&
                object.defaultAction() != PressAction) {
                wrong +=
                    "\n    " + desc.name + ": default action \"" + object.defaultAction() + "\"";
            }
        }
        check(wrong.empty(),
              "every control answers with its role and a name (the buttons their tooltip, the "
              "picture buttons the panel they show); the buttons' action presses them",
              wrong);
        check(duplicates.empty(), "no two buttons have the same name", duplicates);
        const Accessible bar(control("ProgressBar1"));
        check(bar.value() == "0 %", "the bar's value before a run is \"0 %\"", bar.value());
    }

    // The bar during and after a run of the temporary files, and what the window raised.
    void barDuringARun() const {
        for (int n = 1; n <= 20; ++n) {
            SendMessageW(control("ch" + std::to_string(n)), BM_SETCHECK, n == 6 ? 1 : 0, 0);
        }
        seedTemp(40, 100);
        const EventCount barEvents(program_.process(), control("ProgressBar1"));
        const EventCount logEvents(program_.process(), control("List1"));
        const ULONGLONG started = GetTickCount64();
        PostMessageW(control("Command1"), BM_CLICK, 0, 0);
        if (!check(waitUntil([&] { return shown("List1"); }, Patience),
                   "Nettoyer shows the run log and the bar")) {
            return;
        }
        std::set<std::string> values;
        int asked = 0;
        while (shown("List1") && GetTickCount64() - started < 300000) {
            const Accessible bar(control("ProgressBar1"));
            const std::string value = bar.value();
            if (shown("List1")) {
                values.insert(value);
                ++asked;
            }
            pause(50);
        }
        const double seconds = static_cast<double>(GetTickCount64() - started) / 1000.0;
        pause(600); // the last change is announced once the interval is over
        std::string seen;
        for (const auto& value : values) {
            seen += " \"" + value + "\"";
        }
        check(values.count("30 %") == 1 && asked > 0,
              "during the run a reader reads the bar's value: \"30 %\" for the temporary files",
              std::to_string(asked) + " answers:" + seen);
        printLine("    the bar's values read during the run:" + seen + " (" +
                  std::to_string(asked) + " answers in " + std::to_string(seconds) +
                  " s); its events:" + barEvents.shown() + "; the run log's:" + logEvents.shown());
        const Accessible bar(control("ProgressBar1"));
        check(bar.value() == "100 %", "after the run the bar's value is \"100 %\"", bar.value());
        const int changes = barEvents.of(EVENT_OBJECT_VALUECHANGE);
        check(changes >= 1 && changes <= 4 * (seconds + 1.0) + 1,
              "the bar announces its value changes, at most four times a second",
              std::to_string(changes) + " value changes in " + std::to_string(seconds) +
                  " s; all events:" + barEvents.shown());
        // A reader hears the run log's selection move, not each of its 2,000 lines.
        const int lines = static_cast<int>(SendMessageW(control("List1"), LB_GETCOUNT, 0, 0));
        const int announced =
            logEvents.of(EVENT_OBJECT_SELECTION) + logEvents.of(EVENT_OBJECT_SELECTIONADD) +
            logEvents.of(EVENT_OBJECT_FOCUS) + logEvents.of(EVENT_OBJECT_NAMECHANGE) +
            logEvents.of(EVENT_OBJECT_VALUECHANGE);
        check(lines > 2000 && logEvents.total() < lines / 4 && announced <= 10 * (seconds + 1.0),
              "the run log does not announce each line: a few events a second at most",
              std::to_string(lines) + " lines in " + std::to_string(seconds) +
                  " s; events:" + logEvents.shown());
        for (int n = 1; n <= 20; ++n) {
            SendMessageW(control("ch" + std::to_string(n)), BM_SETCHECK, 1, 0);
        }
    }

    // The order Tab follows: the layout's focus order, a panel's controls in its place, the
    // controls that are shown and take the focus.
    std::vector<std::string> expectedTabOrder() const {
        std::vector<std::string> order;
        const auto& layout = ControlsLayout();
        const auto visit = [&](auto& self, std::string_view parent) -> void {
            std::vector<const ControlLayout*> children;
            for (const ControlLayout& item : layout) {
                if (item.parentName == parent) {
                    children.push_back(&item);
                }
            }
            std::stable_sort(children.begin(), children.end(), [](const auto* a, const auto* b) {
                return a->desc.tabIndex < b->desc.tabIndex;
            });
            for (const ControlLayout* item : children) {
                if (!shown(item->desc.name)) {
                    continue;
                }
                if (isPanel(item->desc.kind)) {
                    self(self, item->desc.name);
                } else if (takesFocus(item->desc.kind)) {
                    order.push_back(item->desc.name);
                }
            }
        };
        visit(visit, "");
        return order;
    }

    void keyboard() const {
        click("ButtonPlus4"); // the configuration panel alone
        tabRound("the configuration panel");
        click("ButtonPlus2"); // the cleaning panel alone
        tabRound("the cleaning panel");
        pressing();
    }

    void tabRound(const std::string& panel) const {
        const std::vector<std::string> expected = expectedTabOrder();
        // From wherever the focus is, round to it again.
        std::vector<std::string> visited{focused()};
        std::map<std::string, Screenshot> unfocused;
        for (const char* name : {"ButtonPlus5", "ButtonPlus6"}) {
            unfocused[name] = screenshotOf(control(name));
        }
        std::string focusShown;
        for (std::size_t step = 0; step < expected.size() + 3; ++step) {
            // Tab always moves the focus here: a busy machine may take longer than a key's
            // pause to handle it, so the focus is awaited (3 s at most).
            const std::string before = visited.back();
            key(VK_TAB);
            std::string now = focused();
            for (int waited = 0; now == before && waited < 3000; waited += 50) {
                pause(50);
                now = focused();
            }
            visited.push_back(now);
            if (unfocused.count(visited.back()) != 0) {
                RedrawWindow(control(visited.back()), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW);
                pause(100);
                if (screenshotOf(control(visited.back())).pixels ==
                    unfocused[visited.back()].pixels) {
                    focusShown += " " + visited.back();
                }
            }
            if (visited.back() == visited.front()) {
                break;
            }
        }
        // The round, from the start of the focus order.
        visited.pop_back();
        const auto first = std::find(visited.begin(), visited.end(), expected.front());
        if (first != visited.end()) {
            std::rotate(visited.begin(), first, visited.end());
        }
        const std::vector<std::string>& wanted = expected;
        std::string got;
        std::string want;
        for (const auto& name : visited) {
            got += name + " ";
        }
        for (const auto& name : wanted) {
            want += name + " ";
        }
        check(visited == wanted,
              "Tab leads through the controls shown on " + panel +
                  ", the title buttons left to right, the panel's in reading order",
              "got:  " + got + "\n    want: " + want);
        check(focusShown.empty(), "a button with the focus shows the focus rectangle",
              "unchanged on screen:" + focusShown);
    }

    void pressing() const {
        const std::vector<std::string> wanted = expectedTabOrder();

        // Enter on a panel button, Space on another, a reader's press on the third.
        const auto focusOn = [&](std::string_view name) {
            for (std::size_t step = 0; step < wanted.size() && focused() != name; ++step) {
                key(VK_TAB);
            }
            return focused() == name;
        };
        const bool enter = focusOn("ButtonPlus3");
        key(VK_RETURN);
        // The panels change one after the other: wait for the last to go.
        const auto only = [&](std::string_view frame, std::string_view gone) {
            return waitUntil([&] { return shown(frame) && !shown(gone); }, 5);
        };
        check(enter && only("FramePlus2", "FramePlus1"),
              "Enter presses the focused button (ButtonPlus3 shows the cache lists)",
              "focus on " + focused());
        const bool space = focusOn("ButtonPlus4");
        key(VK_SPACE);
        check(space && only("FramePlus3", "FramePlus2"),
              "Space presses the focused button (ButtonPlus4 shows the configuration)",
              "focus on " + focused());
        const Accessible panelButton(control("ButtonPlus2"));
        const bool pressed = panelButton.press();
        check(pressed && only("FramePlus1", "FramePlus3"),
              "a reader's default action presses a button (ButtonPlus2 shows the cleaning panel)");
    }

    // With the high-contrast scheme on: the window's own drawing in its colours only.
    void contrast() const {
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pause(300);
        const Screenshot shot = screenshotOf(window_);
        shot.writePng(output_ + L"\\window-high-contrast.png");
        const std::set<std::uint32_t> allowed = {asRgb(HcWindow),
                                                 asRgb(HcText),
                                                 asRgb(HcHighlight),
                                                 asRgb(HcHighlightText),
                                                 asRgb(GetSysColor(COLOR_BTNFACE)),
                                                 asRgb(GetSysColor(COLOR_BTNTEXT)),
                                                 0xFF00FFU}; // the backdrop in the cut corners
        // The own drawing: the window's background, the frame, the title buttons.
        std::string wrong;
        const auto expect = [&](const char* what, POINT at, COLORREF colour) {
            if (shot.at(at.x, at.y) != asRgb(colour)) {
                wrong += std::string(" ") + what + " (" + std::to_string(at.x) + "," +
                         std::to_string(at.y) + ")=" + hexColour(shot.at(at.x, at.y));
            }
        };
        RECT frame{};
        GetWindowRect(control("FramePlus1"), &frame);
        RECT box{};
        GetWindowRect(window_, &box);
        OffsetRect(&frame, -box.left, -box.top);
        expect("background", {shot.width / 2, 8}, HcWindow);
        expect("frame border", {frame.left, (frame.top + frame.bottom) / 2}, HcText);
        expect("inside the frame", {frame.left + 3, (frame.top + frame.bottom) / 2}, HcWindow);
        RECT close{};
        GetWindowRect(control("TopButtons_XP1"), &close);
        OffsetRect(&close, -box.left, -box.top);
        expect("close button face", {close.left + 3, close.top + 3}, GetSysColor(COLOR_BTNFACE));
        // Nothing of the fixed palette (the title band's blue, the theme's) in the window's
        // own surfaces: the background, the frames and the title buttons.
        // The pictures keep their colours: they are left out.
        std::vector<RECT> pictures;
        for (const ControlLayout& item : ControlsLayout()) {
            if (!item.desc.picture.empty()) {
                RECT at{};
                GetWindowRect(control(item.desc.name), &at);
                OffsetRect(&at, -box.left, -box.top);
                pictures.push_back(at);
            }
        }
        int palette = 0;
        for (int y = 0; y < shot.height; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                const POINT p{x, y};
                const bool inPicture = std::any_of(pictures.begin(), pictures.end(),
                                                   [&](const RECT& r) { return PtInRect(&r, p); });
                const std::uint32_t colour = shot.at(x, y);
                if (!inPicture && (colour == 0x4278D2U || colour == 0x719EE3U ||
                                   colour == 0x316AC5U || colour == 0x66B0F7U)) {
                    ++palette;
                }
            }
        }
        check(wrong.empty() && palette == 0,
              "high contrast: the window, its frames and its title buttons in the system colours",
              wrong + " fixed palette pixels: " + std::to_string(palette));

        // The bar while a run goes.
        for (int n = 1; n <= 20; ++n) {
            SendMessageW(control("ch" + std::to_string(n)), BM_SETCHECK, n == 6 ? 1 : 0, 0);
        }
        seedTemp(20, 100);
        PostMessageW(control("Command1"), BM_CLICK, 0, 0);
        std::set<std::uint32_t> barColours;
        bool sampled = false;
        if (waitUntil([&] { return shown("ProgressBar1"); }, Patience)) {
            pause(200);
            const Screenshot bar = screenshotOf(control("ProgressBar1"));
            if (shown("ProgressBar1")) {
                bar.writePng(output_ + L"\\bar-high-contrast.png");
                barColours.insert(bar.pixels.begin(), bar.pixels.end());
                sampled = true;
            }
        }
        waitUntil([&] { return !shown("List1"); }, 300);
        std::string odd;
        for (const std::uint32_t colour : barColours) {
            if (allowed.count(colour) == 0) {
                odd += ' ';
                odd += hexColour(colour);
            }
        }
        check(sampled && odd.empty() && barColours.count(asRgb(HcHighlight)) == 1 &&
                  barColours.count(asRgb(HcText)) == 1,
              "high contrast: the bar in the window, text and highlight colours, its fill "
              "distinguishable",
              std::string(sampled ? "" : "the bar was not seen; ") + "other colours:" + odd);
    }

    bool close() const {
        PostMessageW(control("TopButtons_XP1"), BM_CLICK, 0, 0);
        return waitUntil([this] { return !IsWindow(window_); }, 10);
    }

private:
    const Program& program_;
    HWND window_;
    std::wstring output_;
    std::map<std::string, HWND> controls_;
};

// The scheme of a high-contrast theme, and the theme's flag: for this session of the system,
// which the program started next reads.
void setHighContrast() {
    const int elements[] = {COLOR_WINDOW,        COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                            COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,    COLOR_BTNTEXT};
    const COLORREF colours[] = {HcWindow, HcText, HcHighlight, HcHighlightText, HcWindow, HcText};
    SetSysColors(6, elements, colours);
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    contrast.dwFlags = HCF_HIGHCONTRASTON;
    SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, SPIF_SENDCHANGE);
    // Wine keeps neither (its SPI_GETHIGHCONTRAST always says "off"): the suite has also
    // written the choice where Windows keeps it and the scheme's colours in the registry.
    wchar_t flags[16] = {};
    DWORD size = sizeof flags - sizeof(wchar_t);
    RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                 RRF_RT_REG_SZ, nullptr, flags, &size);
    check((std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0 &&
              GetSysColor(COLOR_WINDOW) == HcWindow && GetSysColor(COLOR_HIGHLIGHT) == HcHighlight,
          "the high-contrast theme is on: its flag, its window and highlight colours");
}

int run(const std::wstring& programPath, const std::wstring& output, const std::wstring& mode) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (mode == L"contrast") {
        setHighContrast();
    }
    Program program(programPath);
    HWND window = program.findWindow();
    if (!check(window != nullptr, "the program starts and its window is found")) {
        return testing::summary();
    }
    pause(500);
    const Driver driver(program, window, output);
    if (mode == L"contrast") {
        driver.contrast();
    } else {
        driver.rolesAndNames();
        driver.barDuringARun();
        driver.keyboard();
    }
    check(driver.close(), "the close button ends the program");
    CoUninitialize();
    return testing::summary();
}

} // namespace
} // namespace vp::gui

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    if (argc != 4 || (std::wstring(argv[3]) != L"access" && std::wstring(argv[3]) != L"contrast")) {
        std::fprintf(stderr, "usage: vp-access-driver PROGRAM OUTPUT_FOLDER access|contrast\n");
        return 100;
    }
    return vp::gui::run(argv[1], argv[2], argv[3]);
}
