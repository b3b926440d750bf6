// The Win32 graphics service: the operations of Graphics.h on real GDI device contexts,
// bitmaps, brushes, pens and fonts. <windows.h> stays in the implementation.
#pragma once

#include "platform/Graphics.h"

namespace vp::win32 {

class Win32Graphics final : public Graphics {
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
    std::unique_ptr<Font> createFont(const FontSpec& desc, int dpi) override;
    Color getSysColor(int index) const override;
    bool highContrast() const override;
};

// A device context over a window's own HDC (given untyped, to keep <windows.h> out of this
// header). The window keeps the HDC and releases it after the context is gone.
std::unique_ptr<DeviceContext> BorrowDeviceContext(void* hdc);

} // namespace vp::win32
