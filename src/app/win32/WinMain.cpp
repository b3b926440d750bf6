// The program's entry point on Windows: assembles the Win32 platform, creates and loads the
// main window, shows it and runs the event loop until the window is closed.
#include "app/Form1.h"
#include "platform/win32/Win32Platform.h"

#include "RunningMark.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int show) {
    const vp::win32::RunningMark running; // seen by the installer and the uninstaller
    vp::win32::Win32Platform win32;
    vp::Platform platform = win32.bundle();
    vp::Form1 form(platform);
    form.Form_Load();

    HWND window = reinterpret_cast<HWND>(form.window().hWnd());
    ShowWindow(window, show);
    UpdateWindow(window);
    // The first control in the focus order (Command4) takes the keyboard focus, unseen.
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
        SetFocus(first);
    }

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
