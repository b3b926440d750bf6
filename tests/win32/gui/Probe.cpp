// Window probing across processes for the end-to-end driver.
#include "Probe.h"

#include "platform/win32/Win32NarrowText.h"

namespace vp::gui {

using win32::narrowUtf8;

std::string textOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return narrowUtf8(text);
}

std::string classOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return narrowUtf8(name);
}

bool hasStyle(HWND window, LONG_PTR style) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style;
}

void pause(int milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount64() < deadline);
}

bool waitUntil(const std::function<bool()>& done, double seconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    do {
        if (done()) {
            return true;
        }
        pause(20);
    } while (GetTickCount64() < deadline);
    return false;
}

HWND waitFor(const std::function<HWND()>& found, double seconds) {
    HWND window = nullptr;
    waitUntil([&] { return (window = found()) != nullptr; }, seconds);
    return window;
}

namespace {
BOOL CALLBACK collect(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}
} // namespace

std::vector<HWND> threadWindows(DWORD thread) {
    std::vector<HWND> found;
    EnumThreadWindows(thread, collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND threadWindow(DWORD thread, const std::string& windowClass, const std::string& title) {
    for (HWND window : threadWindows(thread)) {
        if (classOf(window) == windowClass && IsWindowVisible(window) &&
            (title.empty() || textOf(window) == title)) {
            return window;
        }
    }
    return nullptr;
}

HWND descendant(HWND parent, int id) {
    for (HWND window : descendants(parent)) {
        if (GetDlgCtrlID(window) == id) {
            return window;
        }
    }
    return nullptr;
}

std::vector<std::string> listLines(HWND list) {
    std::vector<std::string> lines;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
        const auto copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                         reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
        lines.push_back(narrowUtf8(text));
    }
    return lines;
}

} // namespace vp::gui
