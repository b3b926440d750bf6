// Finding and reading another process's windows with plain window messages, for the
// end-to-end driver. Every wait polls with a deadline, so a stuck program fails the test
// instead of hanging it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vp::gui {

// The window text through WM_GETTEXT, which crosses processes, in UTF-8.
std::string textOf(HWND window);
std::string classOf(HWND window);
bool hasStyle(HWND window, LONG_PTR style);

// Waits `milliseconds` while answering the messages sent to the driver's own windows: the
// program blocks on a driver that does not (activation, broadcasts).
void pause(int milliseconds);

// Polls every 20 ms until `done` holds or `seconds` pass; waitFor gives the window found, or
// nullptr.
bool waitUntil(const std::function<bool()>& done, double seconds);
HWND waitFor(const std::function<HWND()>& found, double seconds);

// Every top-level window of a thread; every descendant of a window, at every depth.
std::vector<HWND> threadWindows(DWORD thread);
std::vector<HWND> descendants(HWND parent);

// A shown top-level window of the thread whose class is `windowClass` and, when `title` is
// not empty, whose text is `title`.
HWND threadWindow(DWORD thread, const std::string& windowClass, const std::string& title);

// The descendant of `parent` with the given control id (searched at every depth).
HWND descendant(HWND parent, int id);

// The lines of a list box, read with SendMessageW(LB_GETTEXT): the narrow message returns
// UTF-16 across processes and can overrun its buffer.
std::vector<std::string> listLines(HWND list);

} // namespace vp::gui
