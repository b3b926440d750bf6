// One progress bar on its own simulated site, 281 by 17 pixels like ProgressBar1 unless a test
// resizes it; the site's screen holds what the user sees.
#pragma once

#include "platform/PropertyBag.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "progressbar/Colors.h"
#include "progressbar/XP_ProgressBar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace vp::test {

// "0xBBGGRR", as colours are written throughout.
inline std::string Hex(Color color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", color);
    return text;
}

// Every pixel of the rectangle from (x0, y0) to (x1, y1), both included, has `color`; else the
// first that does not, with its position.
inline ::testing::AssertionResult AreaOf(const sim::SimRaster& r, int x0, int y0, int x1, int y1,
                                         Color color) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (r.pixel(x, y) != color) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << Hex(r.pixel(x, y)) << ", not "
                       << Hex(color) << " (x " << x0 << " to " << x1 << ", y " << y0 << " to " << y1
                       << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class BarFixture : public ::testing::Test {
protected:
    static constexpr Color BC = 0xC56A31;

    sim::SimGraphics graphics;
    sim::SimControlSite site{[] {
        ControlSpec desc;
        desc.name = "ProgressBar1";
        desc.kind = ControlKind::ProgressBar;
        desc.rect = {0, 0, 281 * 15, 17 * 15};
        return desc;
    }()};
    std::unique_ptr<XP_ProgressBar> bar;

    // Hosts a new control with the given saved properties.
    void host(PropertyBag saved = {}) {
        bar.reset();
        site.properties() = std::move(saved);
        bar = std::make_unique<XP_ProgressBar>(site, graphics);
        site.host(*bar);
    }
    // ProgressBar1's blue in the given style, without text, at `percent`.
    void show(std::int32_t scrolling, std::int32_t percent, std::int32_t orientation = 0) {
        PropertyBag saved;
        saved.WriteProperty("Color", static_cast<std::int32_t>(BC), 0);
        saved.WriteProperty("Scrolling", scrolling, 0x7FFFFFFF); // always kept
        saved.WriteProperty("Orientation", orientation, 0);
        saved.WriteProperty("BrushStyle", 0, 4);
        host(std::move(saved));
        bar->setValue(percent);
    }

    Color at(int x, int y) const { return site.screen().pixel(x, y); }
    ::testing::AssertionResult AreaIs(int x0, int y0, int x1, int y1, Color color) const {
        return AreaOf(site.screen(), x0, y0, x1, y1, color);
    }
    ::testing::AssertionResult PixelIs(int x, int y, Color color) const {
        return AreaIs(x, y, x, y, color);
    }
};

} // namespace vp::test
