// vexoma.exe: the console program on the Win32 services, with the run's window held in memory
// (no window is ever shown). See app/console/ConsoleProgram.h.
#include "app/console/ConsoleProgram.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32Platform.h"

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

} // namespace

int main() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(vp::win32::narrowUtf8(wide[i]));
    }
    LocalFree(wide);

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
