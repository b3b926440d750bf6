// The simulated graphics service: GDI's drawing rules on plain pixel buffers. No operating-system
// header here.
#include "platform/sim/SimGraphics.h"

#include "platform/Utf8.h"
#include "platform/sim/SimFont.h"

#include <algorithm>
#include <cstdlib>

namespace vp::sim {
namespace {

// 0xRRGGBB as written in colour tables, turned into 0x00BBGGRR.
constexpr Color rgb(std::uint32_t rrggbb) {
    return ((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF);
}

// Rows of the six hatches, most significant bit left, repeated every 8 pixels from (0, 0).
constexpr std::uint8_t HatchRows[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
};

int wrap(int value, int period) {
    return ((value % period) + period) % period;
}

} // namespace

SimSysColors::SimSysColors() {
    colors = {rgb(0xD4D0C8), rgb(0x3A6EA5), rgb(0x0A246A), rgb(0x808080), rgb(0xD4D0C8),
              rgb(0xFFFFFF), rgb(0x000000), rgb(0x000000), rgb(0x000000), rgb(0xFFFFFF),
              rgb(0xD4D0C8), rgb(0xD4D0C8), rgb(0x808080), rgb(0x0A246A), rgb(0xFFFFFF),
              rgb(0xD4D0C8), rgb(0x808080), rgb(0x808080), rgb(0x000000), rgb(0xD4D0C8),
              rgb(0xFFFFFF), rgb(0x404040), rgb(0xD4D0C8), rgb(0x000000), rgb(0xFFFFE1),
              rgb(0xB5B5B5), rgb(0x000080), rgb(0xA6CAF0), rgb(0xC0C0C0), rgb(0x316AC5),
              rgb(0xD4D0C8)};
}

Color SimSysColors::get(int index) const {
    if (index < 0 || index >= static_cast<int>(colors.size())) {
        return 0;
    }
    return colors[static_cast<std::size_t>(index)];
}

const SimSysColors& ClassicSysColors() {
    static const SimSysColors classic;
    return classic;
}

SimBrush SimBrush::solid(Color color) {
    SimBrush brush;
    brush.color_ = color;
    return brush;
}

SimBrush SimBrush::hatch(int hatch, Color color) {
    SimBrush brush;
    brush.kind_ = Kind::Hatch;
    brush.hatch_ = hatch;
    brush.color_ = color;
    return brush;
}

SimBrush SimBrush::pattern(SimRaster tile) {
    SimBrush brush;
    brush.kind_ = Kind::Pattern;
    brush.tile_ = std::move(tile);
    return brush;
}

std::optional<Color> SimBrush::colorAt(int x, int y, bool opaque, Color bkColor) const {
    switch (kind_) {
    case Kind::Solid:
        return color_;
    case Kind::Hatch: {
        const std::uint8_t row = HatchRows[hatch_][wrap(y, 8)];
        if ((row & (0x80 >> wrap(x, 8))) != 0) {
            return color_;
        }
        return opaque ? std::optional<Color>(bkColor) : std::nullopt;
    }
    case Kind::Pattern:
        if (tile_.width() == 0 || tile_.height() == 0) {
            return std::nullopt;
        }
        return tile_.pixel(wrap(x, tile_.width()), wrap(y, tile_.height()));
    }
    return std::nullopt;
}

SimDeviceContext::SimDeviceContext(int width, int height, const SimSysColors& sysColors)
    : sysColors_(sysColors), own_(width, height, 0xFFFFFF) {}

void SimDeviceContext::resize(int width, int height) {
    own_ = SimRaster(width, height, 0xFFFFFF);
}

void SimDeviceContext::paint(const PixelRect& rect, const SimBrush& brush) {
    const PixelRect area = target_->clip(rect);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (const auto color = brush.colorAt(x, y, bkMode_ == gdi::Opaque, bkColor_)) {
                target_->setPixel(x, y, *color);
            }
        }
    }
}

void SimDeviceContext::fillRect(const PixelRect& rect, const Brush& brush) {
    paint(rect, static_cast<const SimBrush&>(brush));
}

void SimDeviceContext::frameRect(const PixelRect& rect, const Brush& brush) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    const auto& simBrush = static_cast<const SimBrush&>(brush);
    paint({rect.left, rect.top, rect.right, rect.top + 1}, simBrush);
    paint({rect.left, rect.bottom - 1, rect.right, rect.bottom}, simBrush);
    paint({rect.left, rect.top, rect.left + 1, rect.bottom}, simBrush);
    paint({rect.right - 1, rect.top, rect.right, rect.bottom}, simBrush);
}

void SimDeviceContext::hline(int x1, int x2, int y, Color color) {
    line(x1, y, x2, y, SimPen(color));
}

void SimDeviceContext::vline(int x, int y1, int y2, Color color) {
    line(x, y1, x, y2, SimPen(color));
}

void SimDeviceContext::line(int x1, int y1, int x2, int y2, const Pen& pen) {
    const Color color = static_cast<const SimPen&>(pen).color;
    if (y1 == y2) {
        // From x1 towards x2, x2 left out, whichever way it runs.
        target_->fill(x1 <= x2 ? PixelRect{x1, y1, x2, y1 + 1}
                               : PixelRect{x2 + 1, y1, x1 + 1, y1 + 1},
                      color);
        return;
    }
    if (x1 == x2) {
        target_->fill(y1 <= y2 ? PixelRect{x1, y1, x1 + 1, y2}
                               : PixelRect{x1, y2 + 1, x1 + 1, y1 + 1},
                      color);
        return;
    }
    // Slanted lines (the program draws none): Bresenham from the start point, stopping before
    // the end point; GDI may break a tie the other way here and there.
    const long long dx = std::llabs(static_cast<long long>(x2) - x1);
    const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    long long error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        target_->setPixel(x, y, color);
        const long long doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += sx;
        }
        if (doubled <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void SimDeviceContext::drawEdge(const PixelRect& rect, unsigned edge, unsigned sides) {
    // Each border is a one-pixel ring: its top and left lines first, then its bottom and right
    // lines, which take the corners they share. The inner ring sits one pixel inside and stops
    // short of the outer ring's corners.
    constexpr unsigned Left = 1;
    constexpr unsigned Top = 2;
    constexpr unsigned Right = 4;
    constexpr unsigned Bottom = 8;
    int outerTopLeft = -1;
    int outerBottomRight = -1;
    int innerTopLeft = -1;
    int innerBottomRight = -1;
    if ((edge & gdi::RaisedOuter) != 0) {
        outerTopLeft = gdi::Color3DLight;
        outerBottomRight = gdi::Color3DDarkShadow;
    } else if ((edge & gdi::SunkenOuter) != 0) {
        outerTopLeft = gdi::Color3DShadow;
        outerBottomRight = gdi::Color3DHilight;
    }
    if ((edge & gdi::RaisedInner) != 0) {
        innerTopLeft = gdi::Color3DHilight;
        innerBottomRight = gdi::Color3DShadow;
    } else if ((edge & gdi::SunkenInner) != 0) {
        innerTopLeft = gdi::Color3DDarkShadow;
        innerBottomRight = gdi::Color3DLight;
    }
    const PixelRect& r = rect;
    if (outerTopLeft >= 0) {
        const Color c = sysColors_.get(outerTopLeft);
        if ((sides & Top) != 0) {
            hline(r.left, r.right, r.top, c);
        }
        if ((sides & Left) != 0) {
            vline(r.left, r.top, r.bottom, c);
        }
        const Color d = sysColors_.get(outerBottomRight);
        if ((sides & Bottom) != 0) {
            hline(r.left, r.right, r.bottom - 1, d);
        }
        if ((sides & Right) != 0) {
            vline(r.right - 1, r.top, r.bottom, d);
        }
    }
    if (innerTopLeft >= 0) {
        const int lt = (sides & (Left | Top)) == (Left | Top) ? 1 : 0;
        const int rt = (sides & (Right | Top)) == (Right | Top) ? 1 : 0;
        const int lb = (sides & (Left | Bottom)) == (Left | Bottom) ? 1 : 0;
        const int rb = (sides & (Right | Bottom)) == (Right | Bottom) ? 1 : 0;
        const Color c = sysColors_.get(innerTopLeft);
        if ((sides & Top) != 0) {
            hline(r.left + lt, r.right - rt, r.top + 1, c);
        }
        if ((sides & Left) != 0) {
            vline(r.left + 1, r.top + lt, r.bottom - lb, c);
        }
        const Color d = sysColors_.get(innerBottomRight);
        if ((sides & Bottom) != 0) {
            hline(r.left + lb, r.right - rb, r.bottom - 2, d);
        }
        if ((sides & Right) != 0) {
            vline(r.right - 2, r.top + rt, r.bottom - rb, d);
        }
    }
}

void SimDeviceContext::patBlt(int x, int y, int width, int height, const Brush& brush,
                              std::uint32_t rop) {
    if (rop != gdi::PatCopy) {
        return;
    }
    PixelRect rect{x, y, x + width, y + height};
    if (rect.right < rect.left) {
        std::swap(rect.left, rect.right);
    }
    if (rect.bottom < rect.top) {
        std::swap(rect.top, rect.bottom);
    }
    paint(rect, static_cast<const SimBrush&>(brush));
}

int SimDeviceContext::drawText(std::string_view utf8, PixelRect& rect, unsigned format,
                               const Font& /*font*/) {
    std::u32string text;
    for (std::size_t pos = 0; pos < utf8.size();) {
        text.push_back(utf8::decode(utf8, pos));
    }
    const int width = static_cast<int>(text.size()) * SimFontCellWidth;
    if ((format & gdi::CalcRect) != 0) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + SimFontCellHeight;
        return SimFontCellHeight;
    }
    const PixelRect clip = target_->clip(rect);
    if (bkMode_ == gdi::Opaque) {
        target_->fill(target_->clip({std::max(rect.left, clip.left), clip.top,
                                     std::min(rect.left + width, clip.right),
                                     std::min(rect.top + SimFontCellHeight, clip.bottom)}),
                      bkColor_);
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint8_t* glyph = SimFontGlyph(text[i]);
        const int left = rect.left + static_cast<int>(i) * SimFontCellWidth;
        for (int row = 0; row < SimFontCellHeight; ++row) {
            for (int column = 0; column < SimFontCellWidth; ++column) {
                const int x = left + column;
                const int y = rect.top + row;
                if ((glyph[row] & (0x80 >> column)) != 0 && x >= clip.left && x < clip.right &&
                    y >= clip.top && y < clip.bottom) {
                    target_->setPixel(x, y, textColor_);
                }
            }
        }
    }
    return SimFontCellHeight;
}

void SimDeviceContext::bitBlt(int x, int y, int width, int height, DeviceContext& source, int xSrc,
                              int ySrc) {
    ++copies_;
    const SimRaster from = static_cast<SimDeviceContext&>(source).raster();
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (from.contains(xSrc + column, ySrc + row)) {
                target_->setPixel(x + column, y + row, from.pixel(xSrc + column, ySrc + row));
            }
        }
    }
}

bool SimDeviceContext::selectBitmap(Bitmap& bitmap) {
    target_ = &static_cast<SimBitmap&>(bitmap).raster;
    return true;
}

std::unique_ptr<DeviceContext> SimGraphics::createDisplayContext() {
    if (failDisplayContext) {
        return nullptr;
    }
    return std::make_unique<SimDeviceContext>(0, 0, sysColors);
}

std::unique_ptr<MemoryContext> SimGraphics::createCompatibleContext(DeviceContext& /*like*/) {
    if (failMemoryContext) {
        return nullptr;
    }
    // A new memory context holds a one-pixel bitmap, as GDI's do.
    return std::make_unique<SimDeviceContext>(1, 1, sysColors);
}

std::unique_ptr<Bitmap> SimGraphics::createCompatibleBitmap(DeviceContext& /*like*/, int width,
                                                            int height) {
    if (failBitmap || width <= 0 || height <= 0) {
        return nullptr;
    }
    ++bitmapsMade;
    return std::make_unique<SimBitmap>(SimRaster(width, height, 0));
}

std::unique_ptr<Bitmap> SimGraphics::createBitmap(int width, int height,
                                                  std::span<const Color> pixels) {
    if (width <= 0 || height <= 0 ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return nullptr;
    }
    SimRaster raster(width, height, 0);
    std::size_t at = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            raster.setPixel(x, y, pixels[at++]);
        }
    }
    return std::make_unique<SimBitmap>(std::move(raster));
}

std::unique_ptr<Brush> SimGraphics::createSolidBrush(Color color) {
    return std::make_unique<SimBrush>(SimBrush::solid(color));
}

std::unique_ptr<Brush> SimGraphics::createHatchBrush(int hatch, Color color) {
    if (hatch < gdi::HatchHorizontal || hatch > gdi::HatchDiagonalCross) {
        return nullptr;
    }
    return std::make_unique<SimBrush>(SimBrush::hatch(hatch, color));
}

std::unique_ptr<Brush> SimGraphics::createPatternBrush(const Bitmap& bitmap) {
    return std::make_unique<SimBrush>(
        SimBrush::pattern(static_cast<const SimBitmap&>(bitmap).raster));
}

std::unique_ptr<Pen> SimGraphics::createSolidPen(Color color) {
    return std::make_unique<SimPen>(color);
}

std::unique_ptr<Font> SimGraphics::createFont(const FontSpec& desc, int /*dpi*/) {
    return std::make_unique<SimFontObject>(desc);
}

} // namespace vp::sim
