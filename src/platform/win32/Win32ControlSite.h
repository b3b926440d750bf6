// The progress bar's site: a window with a device context of its own (CS_OWNDC), so the bar
// can draw on it whenever its value changes, and asks it to paint and resize itself.
#pragma once

#include "platform/ChangeThrottle.h"
#include "platform/ControlHosting.h"
#include "platform/Graphics.h"
#include "platform/win32/Win32Control.h"

#include <memory>
#include <string>

namespace vp::win32 {

class Win32ControlSite final : public Win32Control, public ControlSite {
public:
    Win32ControlSite(const ControlSpec& desc, HWND window, int dpi);
    std::uintptr_t hWnd() const override { return reinterpret_cast<std::uintptr_t>(window_); }
    DeviceContext& hDC() override { return *dc_; }
    int scaleWidth() const override { return clientSize().cx; }
    int scaleHeight() const override { return clientSize().cy; }
    void propertyChanged(std::string_view /*property*/) override {}
    PropertyBag& properties() override { return hosting_.properties(); }
    void host(HostedControl& control) override { hosting_.host(control); }
    void unhost(HostedControl& control) override { hosting_.unhost(control); }

    int dpi() const override { return Win32Control::dpi(); }
    // Readers hear the new value at most a few times a second; the last one always.
    void valueShown(std::string_view text) override;
    std::string accessibleValue() const override { return value_; }

    // WM_PAINT, WM_SIZE and WM_TIMER of the site's window.
    void paint() const { hosting_.paint(); }
    void resized() const { hosting_.resized(); }
    void timer();

    // Between two announcements of the value.
    static constexpr ULONGLONG AnnounceIntervalMs = 250;

private:
    SIZE clientSize() const;
    void announce() const;

    std::string value_;
    ChangeThrottle announcing_{AnnounceIntervalMs};

    std::unique_ptr<DeviceContext> dc_; // over the window's own HDC, which the window keeps
    ControlHosting hosting_;
};

} // namespace vp::win32
