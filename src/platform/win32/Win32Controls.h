// The native controls drawn or answered by the program itself: the themed buttons, the
// stretched picture, the frames and plain panels, the check boxes and the category selector.
// The run log's list box and the progress bar's site have files of their own.
#pragma once

#include "platform/win32/Win32Control.h"

namespace vp::win32 {

// The themed push buttons: a caption or a picture on a soft blend, framed in the theme colour.
class Win32ThemedButton final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void draw(const DRAWITEMSTRUCT& item) override;
};

// Image1: a picture stretched over the control.
class Win32Picture final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void draw(const DRAWITEMSTRUCT& item) override;
};

// A frame (caption and theme border) or a plain panel; either holds child controls.
class Win32Panel final : public Win32Control {
public:
    using Win32Control::Win32Control;
    // WM_PAINT of the panel's window: covers every pixel.
    void paint(HDC dc) const;
};

class Win32CheckBox final : public Win32Control, public CheckBox {
public:
    Win32CheckBox(const ControlSpec& desc, HWND window, int dpi);
    int value() const override;
    void setValue(int value) override;
    // A click turns a checked box off and anything else on, as a user expects; only the
    // program sets the grayed state.
    void clicked() override;
};

// The category selector: a closed list whose caption is the chosen entry ("" for none).
class Win32DropDownList final : public Win32Control {
public:
    Win32DropDownList(const ControlSpec& desc, HWND window, int dpi);
    // Exact and case-sensitive: the combo box's own search ignores case.
    void setCaption(std::string_view text) override;
    std::string caption() const override;
};

} // namespace vp::win32
