// What Windows itself reads of the released programs, for tests/wine/installer.sh: their
// version resources, manifests and icons through the system's own calls, whether the program
// runs (the named mutex it holds), and the console program started as a double click starts it.
//
//   vp-release-probe version FILE       "Key=value" lines: the version strings of the first
//                                       translation, the fixed version, the manifest's
//                                       execution level, the icon's images
//   vp-release-probe running            exit 0 and "running" while the program's mutex exists
//   vp-release-probe double-click EXE   starts EXE alone on a new console, as Explorer does,
//                                       waits for it to ask for a key, prints "pid=N" and the
//                                       console's text, and leaves it waiting
//   vp-release-probe press-key PID      presses a key on that program's console, waits for
//                                       its end and prints "exit=N"
//   vp-release-probe close              asks the program's window to close, as its × does
//   vp-release-probe run COMMAND_LINE   runs a command line as it is written (an uninstall
//                                       entry's), waits for it and exits with its status
#include "Checks.h"

#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using vp::testing::printLine;
using vp::win32::narrowUtf8;

constexpr wchar_t RunningMutexName[] = L"Local\\VexomaPelloraRunning"; // RunningMark.h
constexpr DWORD Patience = 20000;                                      // milliseconds

BOOL CALLBACK firstIconGroup(HMODULE owner, LPCWSTR, LPWSTR name, LONG_PTR images) {
    HRSRC group = FindResourceW(owner, name, RT_GROUP_ICON);
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(owner, group)));
    WORD count = 0;
    std::memcpy(&count, data + 4, sizeof count);
    auto& out = *reinterpret_cast<std::string*>(images);
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = data + 6 + 14 * i; // GRPICONDIRENTRY
        WORD bits = 0;
        std::memcpy(&bits, entry + 6, sizeof bits);
        if (!out.empty()) {
            out += ' ';
        }
        out += std::to_string(entry[0] == 0 ? 256 : entry[0]);
        out += 'x';
        out += std::to_string(bits);
    }
    return FALSE; // the first group only
}

void printVersion(const std::wstring& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, block.data())) {
        printLine("VersionResource=absent");
    } else {
        struct Translation {
            WORD language;
            WORD codePage;
        }* translations = nullptr;
        UINT length = 0;
        VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translations), &length);
        if (translations != nullptr && length >= sizeof(Translation)) {
            wchar_t prefix[64];
            wsprintfW(prefix, L"\\StringFileInfo\\%04x%04x\\", translations->language,
                      translations->codePage);
            for (const wchar_t* key : {L"CompanyName", L"FileDescription", L"FileVersion",
                                       L"InternalName", L"LegalCopyright", L"OriginalFilename",
                                       L"ProductName", L"ProductVersion", L"Comments"}) {
                wchar_t* value = nullptr;
                UINT characters = 0;
                if (VerQueryValueW(block.data(), (std::wstring(prefix) + key).c_str(),
                                   reinterpret_cast<void**>(&value), &characters) &&
                    value != nullptr) {
                    printLine(narrowUtf8(key) + "=" + narrowUtf8(value));
                }
            }
        }
        VS_FIXEDFILEINFO* fixed = nullptr;
        if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
            fixed != nullptr) {
            printLine("FixedFileVersion=" + std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                      std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                      std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                      std::to_string(LOWORD(fixed->dwFileVersionLS)));
        }
    }

    HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        printLine("Module=unreadable");
        return;
    }
    std::string level = "absent";
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST)) {
        const auto* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
        const std::string manifest(text, SizeofResource(module, found));
        const std::string::size_type at = manifest.find("level=\"");
        level = at == std::string::npos
                    ? "none"
                    : manifest.substr(at + 7, manifest.find('"', at + 7) - at - 7);
    }
    printLine("ManifestExecutionLevel=" + level);

    // The first icon group, as Explorer takes it: every image's size and depth.
    std::string images;
    EnumResourceNamesW(module, RT_GROUP_ICON, firstIconGroup, reinterpret_cast<LONG_PTR>(&images));
    printLine("Icon=" + (images.empty() ? std::string("absent") : images));
    FreeLibrary(module);
}

// Attaching to another program's console takes the standard handles with it: the report goes
// on to copies of this probe's own.
HANDLE ownOutput = nullptr;
HANDLE ownError = nullptr;

void detach() {
    SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    SetStdHandle(STD_ERROR_HANDLE, nullptr);
    FreeConsole();
    SetStdHandle(STD_OUTPUT_HANDLE, ownOutput);
    SetStdHandle(STD_ERROR_HANDLE, ownError);
}

bool attach(DWORD pid) {
    detach();
    // Wine closes the standard handles when it changes consoles: out of its reach meanwhile.
    SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    SetStdHandle(STD_ERROR_HANDLE, nullptr);
    const bool attached = AttachConsole(pid) != FALSE;
    SetStdHandle(STD_OUTPUT_HANDLE, ownOutput);
    SetStdHandle(STD_ERROR_HANDLE, ownError);
    return attached;
}

bool running() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, RunningMutexName);
    if (mutex == nullptr) {
        return false;
    }
    CloseHandle(mutex);
    return true;
}

// The text of the console this process is attached to, line by line, blanks trimmed; a row
// filled to its last column continues on the next (a line longer than the console is wide).
std::string consoleText() {
    HANDLE screen =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    std::string text;
    if (screen != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(screen, &info)) {
        std::wstring line(info.dwSize.X, L' ');
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            DWORD read = 0;
            ReadConsoleOutputCharacterW(screen, line.data(), info.dwSize.X, COORD{0, y}, &read);
            std::wstring trimmed = line.substr(0, read);
            const bool wrapped =
                read == static_cast<DWORD>(info.dwSize.X) && read > 0 && trimmed.back() != L' ';
            trimmed.erase(trimmed.find_last_not_of(L' ') + 1);
            text += narrowUtf8(trimmed) + (wrapped ? "" : "\n");
        }
    }
    if (screen != INVALID_HANDLE_VALUE) {
        CloseHandle(screen);
    }
    return text;
}

int doubleClick(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    // No standard handles to hand down (Wine would give the parent's to the child): the child
    // takes its new console's, as from Explorer.
    SetStdHandle(STD_INPUT_HANDLE, nullptr);
    SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    SetStdHandle(STD_ERROR_HANDLE, nullptr);
    const BOOL started =
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &process);
    SetStdHandle(STD_OUTPUT_HANDLE, ownOutput);
    SetStdHandle(STD_ERROR_HANDLE, ownError);
    if (!started) {
        printLine("error: the program does not start (" + std::to_string(GetLastError()) + ")");
        return 1;
    }
    detach();
    std::string text;
    for (DWORD waited = 0; waited < Patience; waited += 100) {
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) {
            DWORD status = 0;
            GetExitCodeProcess(process.hProcess, &status);
            printLine("error: the program ended at once, with status " + std::to_string(status));
            return 1;
        }
        // Attached before the program has counted the processes on its console, this probe
        // would be counted: the program takes its mark only once it has.
        if (running() && attach(process.dwProcessId)) {
            text = consoleText();
            detach();
            if (text.find("Appuyez sur une touche") != std::string::npos) {
                break;
            }
        }
    }
    printLine("pid=" + std::to_string(process.dwProcessId));
    printLine(text);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return text.find("Appuyez sur une touche") != std::string::npos ? 0 : 1;
}

int pressKey(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr || !attach(pid)) {
        printLine("error: no such program, or no console to attach to");
        return 1;
    }
    HANDLE input =
        CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    INPUT_RECORD keys[2]{};
    for (int i = 0; i < 2; ++i) {
        keys[i].EventType = KEY_EVENT;
        keys[i].Event.KeyEvent.bKeyDown = i == 0;
        keys[i].Event.KeyEvent.wRepeatCount = 1;
        keys[i].Event.KeyEvent.wVirtualKeyCode = VK_SPACE;
        keys[i].Event.KeyEvent.uChar.UnicodeChar = L' ';
    }
    DWORD written = 0;
    WriteConsoleInputW(input, keys, 2, &written);
    CloseHandle(input);
    detach();
    if (WaitForSingleObject(process, Patience) != WAIT_OBJECT_0) {
        printLine("error: the program still waits after the key");
        return 1;
    }
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
    printLine("exit=" + std::to_string(status));
    return 0;
}

int runCommandLine(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        printLine("error: the command does not start (" + std::to_string(GetLastError()) + ")");
        return 255;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Copies: freeing the console may close the handles it gave this process.
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_OUTPUT_HANDLE), GetCurrentProcess(),
                    &ownOutput, 0, FALSE, DUPLICATE_SAME_ACCESS);
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(),
                    &ownError, 0, FALSE, DUPLICATE_SAME_ACCESS);
    SetStdHandle(STD_OUTPUT_HANDLE, ownOutput);
    SetStdHandle(STD_ERROR_HANDLE, ownError);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"version" && argc == 3) {
        printVersion(argv[2]);
        return 0;
    }
    if (command == L"running" && argc == 2) {
        const bool is = running();
        printLine(is ? "running" : "not running");
        return is ? 0 : 1;
    }
    if (command == L"double-click" && argc == 3) {
        return doubleClick(argv[2]);
    }
    if (command == L"press-key" && argc == 3) {
        return pressKey(static_cast<DWORD>(_wtoi(argv[2])));
    }
    if (command == L"close" && argc == 2) {
        HWND window = FindWindowW(L"VexomaPelloraWindow", nullptr);
        return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == L"run" && argc == 3) {
        return runCommandLine(argv[2]);
    }
    printLine("usage: vp-release-probe version FILE | running | double-click EXE | press-key PID"
              " | close | run COMMAND_LINE");
    return 2;
}
