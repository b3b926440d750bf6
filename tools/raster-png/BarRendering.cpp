#include "raster-png/BarRendering.h"

#include "platform/PropertyBag.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "progressbar/XP_ProgressBar.h"

#include <memory>

namespace vp::tools {

sim::SimRaster SamplePicture() {
    sim::SimRaster picture(8, 8, 0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool dark = (x < 4) == (y < 4);
            const bool rim = x == 0 || y == 0;
            picture.setPixel(x, y, rim ? 0xFFF0E0 : (dark ? 0xA05020 : 0xF0C060));
        }
    }
    return picture;
}

sim::SimRaster RenderBar(const BarLook& look) {
    sim::SimGraphics graphics;
    ControlSpec spec;
    spec.name = "ProgressBar1";
    spec.kind = ControlKind::ProgressBar;
    spec.rect = {0, 0, look.width * 15, look.height * 15};
    sim::SimControlSite site(spec);
    PropertyBag& saved = site.properties();
    saved.WriteProperty("BrushStyle", look.brushStyle, 4);
    saved.WriteProperty("Color", static_cast<std::int32_t>(look.color), 0);
    saved.WriteProperty("Orientation", look.orientation, 0);
    saved.WriteProperty("Scrolling", look.scrolling, 0);
    saved.WriteProperty("ShowText", look.showText, false);

    XP_ProgressBar bar(site, graphics);
    site.host(bar);
    if (look.picture && look.scrolling == scrolling::Picture) {
        const sim::SimRaster tile = SamplePicture();
        bar.setImage(graphics.createBitmap(tile.width(), tile.height(), tile.pixels()));
    }
    bar.setValue(look.percent);
    return site.screen();
}

} // namespace vp::tools
