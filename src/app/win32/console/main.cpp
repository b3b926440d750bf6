// vexoma.exe: the console program on the Win32 services, with the run's window held in memory
// (no window is ever shown). See app/console/ConsoleProgram.h.
#include "app/console/ConsoleProgram.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32Platform.h"

#include "RunningMark.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// A real console shows every letter when given UTF-16, whatever its code page; a pipe or a
// file gets UTF-8.
void write(DWORD which, std::string_view text) {
    HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) {
        return;
    }
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = vp::win32::widen(text);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string fullPath(std::string_view path) {
    const std::wstring wide = vp::win32::widen(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return std::string(path);
    }
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    full.resize(length);
    return vp::win32::narrowUtf8(full);
}

std::string programPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return vp::win32::narrowUtf8(path);
        }
        path.resize(path.size() * 2);
    }
}

// Started from Explorer, the program is the only process on a console that closes as soon as
// it ends; from a command prompt the console also holds the shell. Input or output taken
// from elsewhere (a pipe, a file) means a script, which never waits.
bool aloneOnItsConsole() {
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) ||
        !GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
        return false;
    }
    DWORD processes[2] = {};
    return GetConsoleProcessList(processes, 2) == 1;
}

void waitForAKey() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    FlushConsoleInputBuffer(input);
    INPUT_RECORD record{};
    DWORD read = 0;
    while (ReadConsoleInputW(input, &record, 1, &read) && read == 1) {
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) {
            return;
        }
    }
}

} // namespace

int main() {

    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(vp::win32::narrowUtf8(wide[i]));
    }
    LocalFree(wide);

    // A double click from Explorer: the usage, instead of "nothing to do" in a window that
    // closes at once. With arguments (a shortcut's, a scheduled task's) the program never
    // waits: nobody may be there to press a key.
    const bool doubleClicked = arguments.empty() && aloneOnItsConsole();
    // Seen by the installer and the uninstaller; taken once the console has been counted, so
    // that whoever waits for it to appear may attach to this console without being counted.
    const vp::win32::RunningMark running;
    if (doubleClicked) {
        write(STD_OUTPUT_HANDLE, vp::console::DoubleClickText(programPath()));
        waitForAKey();
        return vp::console::ExitStatus::Done;
    }

    vp::win32::Win32Platform real;
    vp::sim::SimWindowing windowing;
    vp::sim::SimGraphics graphics;
    const vp::Platform platform{real.registry,      real.files,      real.environment, real.shell,
                                real.internetCache, real.urlHistory, real.memory,      windowing,
                                graphics,           real.narrowText};
    const vp::console::ConsoleStreams streams{
        [](std::string_view text) { write(STD_OUTPUT_HANDLE, text); },
        [](std::string_view text) { write(STD_ERROR_HANDLE, text); }, fullPath};
    return vp::console::RunConsole(arguments, platform, streams);
}
