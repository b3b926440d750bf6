// vexoma.exe: the console program on the Win32 services, with the run's window held in memory
// (no window is ever shown). See app/console/ConsoleProgram.h.
#include "app/console/ConsoleProgram.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "platform/win32/Win32KnownFolders.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32Platform.h"

#include "RunningMark.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// How text reaches one of the standard streams. A real console takes UTF-16 as it is, whatever
// its code page. A pipe or a file gets what Windows' own tools write there: CR LF line ends
// and the console's output code page (the OEM one without a console), so that `type`, `more`,
// `findstr` and Windows PowerShell, which decode a program's output with that code page, read
// every letter it can hold; or, with --utf8, UTF-8 (a file then starts with a byte-order mark,
// which Notepad needs to recognise it).
class StandardStream {
public:
    explicit StandardStream(DWORD which) : handle_(GetStdHandle(which)) {
        DWORD mode = 0;
        console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE &&
                   GetConsoleMode(handle_, &mode) != 0;
    }

    void preferUtf8() { utf8_ = true; }

    void write(std::string_view text) {
        if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE || text.empty()) {
            return;
        }
        const std::wstring wide = vp::win32::widen(text);
        DWORD written = 0;
        if (console_) {
            WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
            return;
        }
        std::wstring lines;
        lines.reserve(wide.size() + wide.size() / 16);
        for (const wchar_t c : wide) {
            if (c == L'\n') {
                lines += L'\r';
            }
            lines += c;
        }
        std::string bytes;
        if (utf8_) {
            if (!started_ && GetFileType(handle_) == FILE_TYPE_DISK && atStart()) {
                bytes = "\xEF\xBB\xBF";
            }
            bytes += encode(lines, CP_UTF8, 0);
        } else {
            const UINT page = GetConsoleOutputCP() != 0 ? GetConsoleOutputCP() : GetOEMCP();
            // No best-fit look-alikes: what the code page cannot hold shows as '?'.
            bytes = encode(lines, page, page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS);
        }
        started_ = true;
        WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }

private:
    static std::string encode(const std::wstring& text, UINT page, DWORD flags) {
        const int length = static_cast<int>(text.size());
        const int needed =
            WideCharToMultiByte(page, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
        if (needed > 0) {
            WideCharToMultiByte(page, flags, text.data(), length, out.data(), needed, nullptr,
                                nullptr);
        }
        return out;
    }

    bool atStart() const {
        LARGE_INTEGER zero{};
        LARGE_INTEGER position{};
        return SetFilePointerEx(handle_, zero, &position, FILE_CURRENT) != 0 &&
               position.QuadPart == 0;
    }

    HANDLE handle_;
    bool console_ = false;
    bool utf8_ = false;
    bool started_ = false;
};

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

std::string nowUtc() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}

// Scheduled tasks and deployment tools often run programs as SYSTEM, whose profile is the
// system's own.
bool runsAsSystem() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    const bool known = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) != 0;
    CloseHandle(token);
    return known &&
           IsWellKnownSid(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, WinLocalSystemSid);
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

// A rules file, whole; nullopt when it cannot be opened or read. Larger than 64 MB it is not
// a rules file (the community's is about 2 MB).
std::optional<std::string> readWholeFile(std::string_view path) {
    const std::wstring wide = vp::win32::widen(path);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    std::optional<std::string> bytes;
    if (GetFileSizeEx(file, &size) != 0 && size.QuadPart <= (64LL << 20)) {
        std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        if (content.empty() || (ReadFile(file, content.data(), static_cast<DWORD>(content.size()),
                                         &read, nullptr) != 0 &&
                                read == content.size())) {
            bytes = std::move(content);
        }
    }
    CloseHandle(file);
    return bytes;
}

// The kernel's own version: GetVersionEx answers what the program's manifest declares.
std::optional<vp::rules::OsVersion> windowsVersion() {
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto call = ntdll != nullptr
                          ? reinterpret_cast<RtlGetVersionCall>(
                                reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                          : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (call == nullptr || call(&info) != 0) {
        return std::nullopt;
    }
    return vp::rules::OsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
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
    StandardStream out(STD_OUTPUT_HANDLE);
    StandardStream err(STD_ERROR_HANDLE);
    if (doubleClicked) {
        out.write(vp::console::DoubleClickText(programPath()));
        waitForAKey();
        return vp::console::ExitStatus::Done;
    }

    vp::win32::Win32Platform real;
    vp::sim::SimWindowing windowing;
    vp::sim::SimGraphics graphics;
    const vp::Platform platform{real.registry,      real.files,      real.environment, real.shell,
                                real.internetCache, real.urlHistory, real.memory,      windowing,
                                graphics,           real.narrowText, real.processes};
    vp::console::ConsoleHost host{[&](std::string_view text) { out.write(text); },
                                  [&](std::string_view text) { err.write(text); }, fullPath};
    host.nowUtc = nowUtc;
    host.systemAccount = runsAsSystem();
    vp::win32::Win32KnownFolders knownFolders;
    host.knownFolders = &knownFolders;
    host.readFile = readWholeFile;
    host.windowsVersion = windowsVersion();
    {
        const std::string program = programPath();
        const std::size_t cut = program.rfind('\\');
        if (cut != std::string::npos) {
            host.defaultRulesFile = program.substr(0, cut + 1) + "winapp2.ini";
        }
    }
    host.preferUtf8 = [&] {
        out.preferUtf8();
        err.preferUtf8();
    };
    return vp::console::RunConsole(arguments, platform, host);
}
