// The simulated pixel buffer. Plain memory; no drawing policy here.
#include "platform/sim/SimRaster.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vp::sim {

SimRaster::SimRaster(int width, int height, Color fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Color SimRaster::pixel(int x, int y) const {
    if (!contains(x, y)) {
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") outside " + std::to_string(width_) + " x " +
                                std::to_string(height_));
    }
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void SimRaster::setPixel(int x, int y, Color color) {
    if (contains(x, y)) {
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = color;
    }
}

PixelRect SimRaster::clip(const PixelRect& rect) const {
    const PixelRect clipped{std::max(rect.left, 0), std::max(rect.top, 0),
                            std::min(rect.right, width_), std::min(rect.bottom, height_)};
    if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) {
        return {};
    }
    return clipped;
}

void SimRaster::fill(const PixelRect& rect, Color color) {
    const PixelRect area = clip(rect);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            setPixel(x, y, color);
        }
    }
}

} // namespace vp::sim
