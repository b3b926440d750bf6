// Finding and reading another process's windows with plain window messages, for the
// end-to-end driver. Every wait polls with a deadline, so a stuck program fails the test
// instead of hanging it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vp::gui {

std::wstring widen(const std::string& utf8);
std::string utf8(const std::wstring& wide);

// The window text through WM_GETTEXT, which crosses processes.
std::string textOf(HWND window);
std::string classOf(HWND window);
bool hasStyle(HWND window, LONG_PTR style);

// Waits `milliseconds` while answering the messages sent to the driver's own windows: the
// program blocks on a driver that does not (activation, broadcasts).
void pause(int milliseconds);

// Polls `found` every 20 ms until it returns a window or `seconds` pass (then nullptr).
HWND waitFor(const std::function<HWND()>& found, double seconds);
bool waitUntil(const std::function<bool()>& done, double seconds);

// Every top-level window of a thread; every descendant of a window, at every depth.
std::vector<HWND> threadWindows(DWORD thread);
std::vector<HWND> descendants(HWND parent);

// A top-level window of the given thread whose class is `windowClass` and, when `title` is
// not empty, whose text is `title`.
HWND threadWindow(DWORD thread, const std::string& windowClass, const std::string& title);

// The descendant of `parent` with the given control id (searched at every depth).
HWND descendant(HWND parent, int id);

// The lines of a list box, read with SendMessageW(LB_GETTEXT) and converted from UTF-16.
std::vector<std::string> listLines(HWND list);

// Position relative to the parent's client area, and size, in pixels.
RECT placeInParent(HWND window);

} // namespace vp::gui
