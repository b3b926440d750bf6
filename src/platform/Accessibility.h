// What screen readers are told of each control: its role and its name. The platforms answer
// readers with these (on Windows through MSAA); the logic only describes.
#pragma once

#include "platform/Windowing.h"

#include <string>
#include <string_view>

namespace vp {

// MSAA's roles (ROLE_SYSTEM_*), with their values.
enum class AccessibleRole : int {
    Client = 0x0A,
    Grouping = 0x14,
    List = 0x21,
    Graphic = 0x28,
    StaticText = 0x29,
    PushButton = 0x2B,
    CheckButton = 0x2C,
    ComboBox = 0x2E,
    ProgressBar = 0x30,
};

AccessibleRole AccessibleRoleOf(ControlKind kind);

// The control's accessible name: the layout's, else its tooltip, else its caption as it is
// now (`caption`), without the blanks and colon a frame's caption ends with.
std::string AccessibleNameOf(const ControlSpec& desc, std::string_view caption);

// A reader's "press" of the control: the buttons' default action.
inline constexpr std::string_view PressAction = "Appuyer";

} // namespace vp
