// The base of every native control: a child window whose window text is its caption, with
// its font, picture and background brush, found again from its window handle.
#pragma once

#include "platform/Windowing.h"

#include <windows.h>

#include <functional>
#include <string>

namespace vp::win32 {

class Win32Control : public virtual Control {
public:
    // The control over its child window, laid out for a screen of `dpi` (its font and
    // picture made for it).
    Win32Control(const ControlSpec& desc, HWND window, int dpi);
    ~Win32Control() override;
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    // The control behind a child window of this program; nullptr for any other window.
    static Win32Control* of(HWND window);

    const std::string& name() const override { return spec_.name; }
    void setVisible(bool visible) override;
    bool visible() const override;
    void setCaption(std::string_view text) override;
    std::string caption() const override;
    void onClick(std::function<void()> handler) override { onClick_ = std::move(handler); }

    // BN_CLICKED from the control.
    virtual void clicked();
    // WM_DRAWITEM for owner-drawn controls.
    virtual void draw(const DRAWITEMSTRUCT& /*item*/) {}
    // WM_CTLCOLOR* for the control: its colours on `dc`, and the brush of its background.
    HBRUSH colours(HDC dc) const;
    // The value a screen reader is told, when the control has one of its own; empty: the
    // system's answer for its window.
    virtual std::string accessibleValue() const { return {}; }

    HWND window() const { return window_; }
    HFONT font() const { return font_; }
    const ControlSpec& design() const { return spec_; }

    // The control's place in its parent, in pixels at `dpi` (a drop-down list's with room for
    // its open list).
    static RECT placement(const ControlSpec& desc, int dpi);
    // Moves the control to a screen of another resolution: its place and size from the twips
    // of the layout, its font and its picture made again for `dpi`.
    void rescale(int dpi);
    int dpi() const { return dpi_; }
    // The user moves the focus with the keyboard (Tab, the arrows), rather than the mouse:
    // then every button shows the focus, as Windows shows its focus cues.
    static bool keyboardCues();

protected:
    // The control's font, or the default one at the control's resolution.
    HGDIOBJ fontOrDefault() const;
    // The control's background: its colour, or the window's in a high-contrast theme.
    COLORREF backColour() const;

    ControlSpec spec_;
    HWND window_;
    int dpi_;
    HFONT font_;
    HFONT defaultFont_ = nullptr; // the GUI font made for dpi_ when it is not the system's
    HBITMAP picture_;
    HBRUSH background_;
    std::function<void()> onClick_;

private:
    void makeFonts();
    // Screen readers' questions (WM_GETOBJECT), and Enter on the push buttons, which presses
    // them as Space does.
    static LRESULT CALLBACK filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
};

} // namespace vp::win32
