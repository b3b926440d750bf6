// A stand-in for a browser holding its profile open, for the rules suite: copied into a
// browser-like install folder under the browser's executable name and started there, it opens
// one file of the profile as a browser does (reading and writing shared, deletion not), says
// "held", and keeps it until the release file appears or its time is up, so it never outlives
// the suite that started it. It touches nothing else.
//
// Usage: vp_fake_browser FILE RELEASE-FILE [SECONDS]   (default 120 s)
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: vp_fake_browser FILE RELEASE-FILE [SECONDS]\n", stderr);
        return 2;
    }
    const long seconds = argc > 3 ? std::wcstol(argv[3], nullptr, 10) : 120;
    const HANDLE file =
        CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("cannot open the file (error %lu)\n", GetLastError());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (GetTickCount64() < until && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES) {
        Sleep(50);
    }
    CloseHandle(file);
    return 0;
}
