// Whether every caption on screen fits its control. A font the machine lacks is replaced by a
// wider one, which cuts captions without any other sign.
#pragma once

#include <windows.h>

#include <string>

namespace vp::gui {

// Shows each panel in turn (the cleaning panel again at the end) and returns one line per
// control on screen whose caption is cut, empty when all fit. The controls are found under
// `window` by their ids, `firstId` on in layout order.
//
// A control in a font of the layout is measured with that font: the caption's text extent
// against the room its control gives it. A control in the system's GUI font is judged on the
// screen instead, since that font cannot be read from another process (WM_GETFONT answers 0
// across processes under Wine, and the stock font may be realised differently in the driver):
// there, the caption's last dark pixel must stop short of the control's right edge.
// With `keepShotsIn`, each panel's screenshot is kept there (panel-ButtonPlusN.png).
std::string cutCaptions(HWND window, int firstId, const std::wstring& keepShotsIn = {});

} // namespace vp::gui
