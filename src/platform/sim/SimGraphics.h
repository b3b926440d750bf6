// The simulated graphics service: device contexts over SimRaster pixel buffers that give, pixel
// for pixel, what the GDI operations of Graphics.h give, with one built-in bitmap font for text.
#pragma once

#include "platform/Graphics.h"
#include "platform/sim/SimRaster.h"

#include <array>
#include <optional>

namespace vp::sim {

// The system colours: the classic Windows scheme unless a test changes one.
struct SimSysColors {
    SimSysColors();
    Color get(int index) const;
    std::array<Color, 31> colors{};
};

class SimBrush final : public Brush {
public:
    enum class Kind { Solid, Hatch, Pattern };
    static SimBrush solid(Color color);
    static SimBrush hatch(int hatch, Color color);
    static SimBrush pattern(SimRaster tile);

    // What the brush paints at (x, y) of a context whose background is `bkColor` (`opaque`
    // or not); nullopt leaves the pixel as it is.
    std::optional<Color> colorAt(int x, int y, bool opaque, Color bkColor) const;

private:
    Kind kind_ = Kind::Solid;
    Color color_ = 0;
    int hatch_ = 0;
    SimRaster tile_;
};

class SimPen final : public Pen {
public:
    explicit SimPen(Color penColor) : color(penColor) {}
    Color color;
};

class SimFontObject final : public Font {
public:
    explicit SimFontObject(FontSpec fontSpec) : desc(std::move(fontSpec)) {}
    FontSpec desc;
};

class SimBitmap final : public Bitmap {
public:
    explicit SimBitmap(SimRaster pixels) : raster(std::move(pixels)) {}
    int width() const override { return raster.width(); }
    int height() const override { return raster.height(); }
    SimRaster raster;
};

// A device context drawing into its own pixels (a window's, sized by resize) or, as a memory
// context, into the bitmap selected into it.
class SimDeviceContext final : public MemoryContext {
public:
    SimDeviceContext(int width, int height, const SimSysColors& sysColors);
    SimDeviceContext(const SimDeviceContext&) = delete;
    SimDeviceContext& operator=(const SimDeviceContext&) = delete;

    void fillRect(const PixelRect& rect, const Brush& brush) override;
    void frameRect(const PixelRect& rect, const Brush& brush) override;
    void line(int x1, int y1, int x2, int y2, const Pen& pen) override;
    void setPixel(int x, int y, Color color) override { target_->setPixel(x, y, color); }
    void drawEdge(const PixelRect& rect, unsigned edge, unsigned sides) override;
    void patBlt(int x, int y, int width, int height, const Brush& brush,
                std::uint32_t rop) override;
    void setBkMode(int mode) override { bkMode_ = mode; }
    void setBkColor(Color color) override { bkColor_ = color; }
    void setTextColor(Color color) override { textColor_ = color; }
    int drawText(std::string_view utf8, PixelRect& rect, unsigned format,
                 const Font& font) override;
    void bitBlt(int x, int y, int width, int height, DeviceContext& source, int xSrc,
                int ySrc) override;
    bool selectBitmap(Bitmap& bitmap) override;
    void restoreBitmap() override { target_ = &own_; }

    // The pixels drawn into now (the selected bitmap's, or the context's own).
    const SimRaster& raster() const { return *target_; }
    // Resizes the context's own pixels to white ones (a window that changed size).
    void resize(int width, int height);
    // Block copies received (BitBlt into this context).
    int copiesReceived() const { return copies_; }

private:
    void paint(const PixelRect& rect, const SimBrush& brush);
    void hline(int x1, int x2, int y, Color color); // x1 to x2 - 1
    void vline(int x, int y1, int y2, Color color); // y1 to y2 - 1

    const SimSysColors& sysColors_;
    SimRaster own_;
    SimRaster* target_ = &own_;
    int bkMode_ = gdi::Opaque;
    Color bkColor_ = 0xFFFFFF;
    Color textColor_ = 0;
    int copies_ = 0;
};

class SimGraphics final : public Graphics {
public:
    std::unique_ptr<DeviceContext> createDisplayContext() override;
    std::unique_ptr<MemoryContext> createCompatibleContext(DeviceContext& like) override;
    std::unique_ptr<Bitmap> createCompatibleBitmap(DeviceContext& like, int width,
                                                   int height) override;
    std::unique_ptr<Bitmap> createBitmap(int width, int height,
                                         std::span<const Color> pixels) override;
    std::unique_ptr<Brush> createSolidBrush(Color color) override;
    std::unique_ptr<Brush> createHatchBrush(int hatch, Color color) override;
    std::unique_ptr<Brush> createPatternBrush(const Bitmap& bitmap) override;
    std::unique_ptr<Pen> createSolidPen(Color color) override;
    // The built-in font has one size at every resolution.
    std::unique_ptr<Font> createFont(const FontSpec& desc, int dpi) override;
    Color getSysColor(int index) const override { return sysColors.get(index); }
    bool highContrast() const override { return highContrastOn; }

    // --- For tests ---
    SimSysColors sysColors;
    bool highContrastOn = false;
    // Failures to inject: no display, no memory context, no bitmap.
    bool failDisplayContext = false;
    bool failMemoryContext = false;
    bool failBitmap = false;
    // Compatible bitmaps made so far (the off-screen surfaces).
    int bitmapsMade = 0;
};

// The classic scheme, shared by contexts that belong to no SimGraphics (windows' own).
const SimSysColors& ClassicSysColors();

} // namespace vp::sim
