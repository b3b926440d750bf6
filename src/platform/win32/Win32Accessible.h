// The program's controls as screen readers see them, through MSAA: each control's client
// object is the system's own for its window, with the role and name of platform/Accessibility.h,
// the value the control reports (the progress bar's "45 %") and, for the buttons, a default
// action that presses them.
#pragma once

#include <windows.h>

namespace vp::win32 {

// WM_GETOBJECT sent to one of the program's controls: the client object, or 0 for any other
// object id (the system answers those itself).
LRESULT answerGetObject(HWND window, WPARAM flags, LPARAM objectId);

} // namespace vp::win32
