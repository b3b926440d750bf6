// A 32-bit pixel buffer: the pixels of the simulated platform's windows and bitmaps.
#pragma once

#include "platform/Graphics.h"

#include <vector>

namespace vp::sim {

class SimRaster {
public:
    SimRaster() = default;
    // Every pixel starts as `fill`.
    SimRaster(int width, int height, Color fill);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // 0x00BBGGRR. Throws std::out_of_range outside the buffer.
    Color pixel(int x, int y) const;
    // Both clip to the buffer.
    void setPixel(int x, int y, Color color);
    void fill(const PixelRect& rect, Color color);
    // The rectangle clipped to the buffer; empty (all zero) when nothing is left.
    PixelRect clip(const PixelRect& rect) const;

    // Rows from the top.
    const std::vector<Color>& pixels() const { return pixels_; }
    bool operator==(const SimRaster&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

} // namespace vp::sim
