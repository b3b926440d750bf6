// The Win32 graphics service on gdi32 and user32. No simulation and no program logic here.
#include "platform/win32/Win32Graphics.h"

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <cmath>

namespace vp::win32 {
namespace {

// One GDI object, deleted with its wrapper.
template <class Base, class Handle> class Win32GdiObject final : public Base {
public:
    explicit Win32GdiObject(Handle object) : handle(object) {}
    ~Win32GdiObject() override { DeleteObject(handle); }
    Win32GdiObject(const Win32GdiObject&) = delete;
    Win32GdiObject& operator=(const Win32GdiObject&) = delete;
    const Handle handle;
};
using Win32Brush = Win32GdiObject<Brush, HBRUSH>;
using Win32Pen = Win32GdiObject<Pen, HPEN>;
using Win32Font = Win32GdiObject<Font, HFONT>;

class Win32Bitmap final : public Bitmap {
public:
    Win32Bitmap(HBITMAP bitmap, int width, int height)
        : handle(bitmap), width_(width), height_(height) {}
    ~Win32Bitmap() override { DeleteObject(handle); }
    Win32Bitmap(const Win32Bitmap&) = delete;
    Win32Bitmap& operator=(const Win32Bitmap&) = delete;
    int width() const override { return width_; }
    int height() const override { return height_; }
    const HBITMAP handle;

private:
    int width_;
    int height_;
};

// A device context over an HDC: one the wrapper made and deletes (display and memory
// contexts), or one it only borrows (a window's own, released by the window).
class Win32DeviceContext final : public MemoryContext {
public:
    enum class Ownership { Borrowed, Owned };
    Win32DeviceContext(HDC hdc, Ownership ownership) : hdc_(hdc), ownership_(ownership) {}
    ~Win32DeviceContext() override;
    Win32DeviceContext(const Win32DeviceContext&) = delete;
    Win32DeviceContext& operator=(const Win32DeviceContext&) = delete;

    void fillRect(const PixelRect& rect, const Brush& brush) override;
    void frameRect(const PixelRect& rect, const Brush& brush) override;
    void line(int x1, int y1, int x2, int y2, const Pen& pen) override;
    void setPixel(int x, int y, Color color) override;
    void drawEdge(const PixelRect& rect, unsigned edge, unsigned sides) override;
    void patBlt(int x, int y, int width, int height, const Brush& brush,
                std::uint32_t rop) override;
    void setBkMode(int mode) override;
    void setBkColor(Color color) override;
    void setTextColor(Color color) override;
    int drawText(std::string_view utf8, PixelRect& rect, unsigned format,
                 const Font& font) override;
    void bitBlt(int x, int y, int width, int height, DeviceContext& source, int xSrc,
                int ySrc) override;
    bool selectBitmap(Bitmap& bitmap) override;
    void restoreBitmap() override;

    HDC handle() const { return hdc_; }

private:
    HDC hdc_;
    Ownership ownership_;
    HGDIOBJ initialBitmap_ = nullptr; // held while one of ours is selected
};

static_assert(gdi::Etched == EDGE_ETCHED && gdi::Bump == EDGE_BUMP &&
              gdi::SunkenOuter == BDR_SUNKENOUTER && gdi::AllSides == BF_RECT);
static_assert(gdi::SingleLine == DT_SINGLELINE && gdi::CalcRect == DT_CALCRECT);
static_assert(gdi::Transparent == TRANSPARENT && gdi::Opaque == OPAQUE && gdi::PatCopy == PATCOPY);
static_assert(gdi::HatchHorizontal == HS_HORIZONTAL && gdi::HatchDiagonalCross == HS_DIAGCROSS);
static_assert(gdi::ColorHighlight == COLOR_HIGHLIGHT && gdi::Color3DLight == COLOR_3DLIGHT &&
              gdi::Color3DDarkShadow == COLOR_3DDKSHADOW);

RECT toRect(const PixelRect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

bool isEmpty(const PixelRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

HDC handleOf(DeviceContext& dc) {
    return static_cast<Win32DeviceContext&>(dc).handle();
}

} // namespace

std::unique_ptr<DeviceContext> BorrowDeviceContext(void* hdc) {
    return std::make_unique<Win32DeviceContext>(static_cast<HDC>(hdc),
                                                Win32DeviceContext::Ownership::Borrowed);
}

Win32DeviceContext::~Win32DeviceContext() {
    restoreBitmap();
    if (ownership_ == Ownership::Owned) {
        DeleteDC(hdc_);
    }
}

void Win32DeviceContext::fillRect(const PixelRect& rect, const Brush& brush) {
    if (isEmpty(rect)) {
        return; // GDI would paint an inverted rectangle turned the right way round
    }
    const RECT r = toRect(rect);
    FillRect(hdc_, &r, static_cast<const Win32Brush&>(brush).handle);
}

void Win32DeviceContext::frameRect(const PixelRect& rect, const Brush& brush) {
    if (isEmpty(rect)) {
        return;
    }
    const RECT r = toRect(rect);
    FrameRect(hdc_, &r, static_cast<const Win32Brush&>(brush).handle);
}

void Win32DeviceContext::line(int x1, int y1, int x2, int y2, const Pen& pen) {
    const ScopedSelectObject selected(hdc_, static_cast<const Win32Pen&>(pen).handle);
    MoveToEx(hdc_, x1, y1, nullptr);
    LineTo(hdc_, x2, y2);
}

void Win32DeviceContext::setPixel(int x, int y, Color color) {
    SetPixelV(hdc_, x, y, color);
}

void Win32DeviceContext::drawEdge(const PixelRect& rect, unsigned edge, unsigned sides) {
    RECT r = toRect(rect);
    DrawEdge(hdc_, &r, edge, sides);
}

void Win32DeviceContext::patBlt(int x, int y, int width, int height, const Brush& brush,
                                std::uint32_t rop) {
    const ScopedSelectObject selected(hdc_, static_cast<const Win32Brush&>(brush).handle);
    PatBlt(hdc_, x, y, width, height, rop);
}

void Win32DeviceContext::setBkMode(int mode) {
    SetBkMode(hdc_, mode);
}

void Win32DeviceContext::setBkColor(Color color) {
    SetBkColor(hdc_, color);
}

void Win32DeviceContext::setTextColor(Color color) {
    SetTextColor(hdc_, color);
}

int Win32DeviceContext::drawText(std::string_view utf8, PixelRect& rect, unsigned format,
                                 const Font& font) {
    const ScopedSelectObject selected(hdc_, static_cast<const Win32Font&>(font).handle);
    std::wstring text = widen(utf8);
    RECT r = toRect(rect);
    const int height = DrawTextW(hdc_, text.data(), static_cast<int>(text.size()), &r, format);
    rect = PixelRect{r.left, r.top, r.right, r.bottom};
    return height;
}

void Win32DeviceContext::bitBlt(int x, int y, int width, int height, DeviceContext& source,
                                int xSrc, int ySrc) {
    BitBlt(hdc_, x, y, width, height, handleOf(source), xSrc, ySrc, SRCCOPY);
}

bool Win32DeviceContext::selectBitmap(Bitmap& bitmap) {
    const HGDIOBJ previous = SelectObject(hdc_, static_cast<Win32Bitmap&>(bitmap).handle);
    if (previous == nullptr || previous == HGDI_ERROR) {
        return false;
    }
    if (initialBitmap_ == nullptr) {
        initialBitmap_ = previous;
    }
    return true;
}

void Win32DeviceContext::restoreBitmap() {
    if (initialBitmap_ != nullptr) {
        SelectObject(hdc_, initialBitmap_);
        initialBitmap_ = nullptr;
    }
}

std::unique_ptr<DeviceContext> Win32Graphics::createDisplayContext() {
    const HDC hdc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (hdc == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32DeviceContext>(hdc, Win32DeviceContext::Ownership::Owned);
}

std::unique_ptr<MemoryContext> Win32Graphics::createCompatibleContext(DeviceContext& like) {
    const HDC hdc = CreateCompatibleDC(handleOf(like));
    if (hdc == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32DeviceContext>(hdc, Win32DeviceContext::Ownership::Owned);
}

std::unique_ptr<Bitmap> Win32Graphics::createCompatibleBitmap(DeviceContext& like, int width,
                                                              int height) {
    if (width <= 0 || height <= 0) {
        return nullptr; // GDI would hand back a one-pixel monochrome bitmap
    }
    const HBITMAP bitmap = CreateCompatibleBitmap(handleOf(like), width, height);
    if (bitmap == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32Bitmap>(bitmap, width, height);
}

std::unique_ptr<Bitmap> Win32Graphics::createBitmap(int width, int height,
                                                    std::span<const Color> pixels) {
    if (width <= 0 || height <= 0 ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        return nullptr;
    }
    // DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
    auto* out = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
         ++i) {
        const Color c = pixels[i];
        out[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    GdiFlush();
    return std::make_unique<Win32Bitmap>(bitmap, width, height);
}

std::unique_ptr<Brush> Win32Graphics::createSolidBrush(Color color) {
    const HBRUSH brush = CreateSolidBrush(color);
    return brush == nullptr ? nullptr : std::make_unique<Win32Brush>(brush);
}

std::unique_ptr<Brush> Win32Graphics::createHatchBrush(int hatch, Color color) {
    if (hatch < gdi::HatchHorizontal || hatch > gdi::HatchDiagonalCross) {
        return nullptr;
    }
    const HBRUSH brush = CreateHatchBrush(hatch, color);
    return brush == nullptr ? nullptr : std::make_unique<Win32Brush>(brush);
}

std::unique_ptr<Brush> Win32Graphics::createPatternBrush(const Bitmap& bitmap) {
    const HBRUSH brush = CreatePatternBrush(static_cast<const Win32Bitmap&>(bitmap).handle);
    return brush == nullptr ? nullptr : std::make_unique<Win32Brush>(brush);
}

std::unique_ptr<Pen> Win32Graphics::createSolidPen(Color color) {
    const HPEN pen = CreatePen(PS_SOLID, 1, color);
    return pen == nullptr ? nullptr : std::make_unique<Win32Pen>(pen);
}

std::unique_ptr<Font> Win32Graphics::createFont(const FontSpec& desc, int dpi) {
    const int weight = desc.bold && desc.weight < FW_BOLD ? FW_BOLD : desc.weight;
    const std::wstring face = widen(desc.face);
    const HFONT font =
        CreateFontW(-static_cast<int>(std::lround(desc.points * dpi / 72.0)), 0, 0, 0, weight,
                    FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    return font == nullptr ? nullptr : std::make_unique<Win32Font>(font);
}

Color Win32Graphics::getSysColor(int index) const {
    return GetSysColor(index);
}

bool Win32Graphics::highContrast() const {
    return win32::highContrast();
}

} // namespace vp::win32
