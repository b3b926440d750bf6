// A progress bar drawn alone on the simulated platform, as the user would see it: the source
// of the golden images and of the contact sheet.
#pragma once

#include "platform/Windowing.h"
#include "platform/sim/SimRaster.h"

#include <cstdint>

namespace vp::tools {

struct BarLook {
    std::int32_t scrolling = 1;
    std::int32_t percent = 0; // set through Value with Max 100
    std::int32_t orientation = 0;
    bool showText = true;
    int width = 281; // pixels, ProgressBar1's size
    int height = 17;
    std::uint32_t color = 0xC56A31; // ProgressBar1's blue
    std::int32_t brushStyle = 0;
    bool picture = true;       // the Picture style gets SamplePicture
    int dpi = 96;              // the site's resolution: the size above is scaled to it
    bool highContrast = false; // the system's high-contrast theme (its classic colours)
};

// The bar as its site shows it; `rcText`, if given, receives the text rectangle last drawn.
sim::SimRaster RenderBar(const BarLook& look, PixelRect* rcText = nullptr);

// SamplePicturePixels as a raster.
sim::SimRaster SamplePicture();

} // namespace vp::tools
