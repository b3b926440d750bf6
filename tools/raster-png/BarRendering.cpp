#include "raster-png/BarRendering.h"

#include "platform/PropertyBag.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "progressbar/XP_ProgressBar.h"
#include "raster-png/SamplePicture.h"

#include <memory>

namespace vp::tools {

sim::SimRaster SamplePicture() {
    const auto pixels = SamplePicturePixels();
    sim::SimRaster picture(SamplePictureSize, SamplePictureSize, 0);
    std::size_t at = 0;
    for (int y = 0; y < SamplePictureSize; ++y) {
        for (int x = 0; x < SamplePictureSize; ++x) {
            picture.setPixel(x, y, pixels[at++]);
        }
    }
    return picture;
}

sim::SimRaster RenderBar(const BarLook& look, PixelRect* rcText) {
    sim::SimGraphics graphics;
    graphics.highContrastOn = look.highContrast;
    ControlSpec desc;
    desc.name = "ProgressBar1";
    desc.kind = ControlKind::ProgressBar;
    desc.rect = {0, 0, look.width * 15, look.height * 15};
    sim::SimControlSite site(desc, look.dpi);
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
    if (rcText != nullptr) {
        *rcText = bar.rcText();
    }
    return site.screen();
}

} // namespace vp::tools
