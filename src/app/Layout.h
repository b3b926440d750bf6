// The main window's layout: the window itself and every control, parents before children,
// in twips relative to the parent.
#pragma once

#include "platform/Windowing.h"

#include <string_view>
#include <vector>

namespace vp {

struct ControlLayout {
    ControlSpec desc;            // parent left null: see parentName
    std::string_view parentName; // empty: the window itself
};

WindowSpec MainWindowLayout();

// Every control in creation order (a parent always comes before its children).
const std::vector<ControlLayout>& ControlsLayout();

inline constexpr int TwipsPerPixel = 15;

} // namespace vp
