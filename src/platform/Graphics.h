// The 2-D drawing the progress bar needs: the part of a Windows device context it uses.
//
// Conventions every implementation keeps:
// - Coordinates are pixels of the context, x to the right, y downwards, from its top-left.
// - A rectangle (left, top, right, bottom) covers left <= x < right and top <= y < bottom. A
//   rectangle whose right is not above its left, or whose bottom is not above its top, covers
//   nothing.
// - Lines are solid and one pixel wide, and leave out their end point: the line from a to b
//   colours a but not b; a line whose two points are equal colours nothing.
// - Colours are 0x00BBGGRR (red in the low byte), GDI's COLORREF.
// - Whatever falls outside the context's pixels is clipped away without complaint.
// - Hatches and pattern brushes are tiled from the context's (0, 0).
// - Brushes, pens, fonts and bitmaps belong to whoever made them. A verb that needs one selects
//   it for its own duration and puts back what was selected before, so no object is ever left
//   selected in a context when it is destroyed.
// - Nothing reports an error: an object that cannot be made comes back empty (nullptr), and a
//   verb that cannot draw leaves its pixels alone.
#pragma once

#include "platform/Windowing.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace vp {

using Color = std::uint32_t;

// GDI's constants, with GDI's values, named apart from the macros of <windows.h>.
namespace gdi {
// DrawEdge edge kinds (BDR_*, EDGE_*) and sides (BF_RECT).
constexpr unsigned RaisedOuter = 0x1;
constexpr unsigned SunkenOuter = 0x2;
constexpr unsigned RaisedInner = 0x4;
constexpr unsigned SunkenInner = 0x8;
constexpr unsigned Etched = SunkenOuter | RaisedInner; // 6
constexpr unsigned Bump = RaisedOuter | SunkenInner;   // 9
constexpr unsigned AllSides = 0xF;
// DrawText formats (DT_*).
constexpr unsigned SingleLine = 0x20;
constexpr unsigned CalcRect = 0x400;
// Background modes of SetBkMode.
constexpr int Transparent = 1;
constexpr int Opaque = 2;
// Raster operations.
constexpr std::uint32_t PatCopy = 0xF00021;
// Hatch indexes of CreateHatchBrush (HS_*).
constexpr int HatchHorizontal = 0;
constexpr int HatchVertical = 1;
constexpr int HatchForwardDiagonal = 2;
constexpr int HatchBackwardDiagonal = 3;
constexpr int HatchCross = 4;
constexpr int HatchDiagonalCross = 5;
// System colour indexes of GetSysColor (COLOR_*).
constexpr int ColorWindow = 5;
constexpr int ColorWindowText = 8;
constexpr int ColorHighlight = 13;
constexpr int ColorHighlightText = 14;
constexpr int Color3DFace = 15;
constexpr int Color3DShadow = 16;
constexpr int Color3DHilight = 20;
constexpr int Color3DDarkShadow = 21;
constexpr int Color3DLight = 22;
} // namespace gdi

class Brush {
public:
    virtual ~Brush() = default;
};

class Pen {
public:
    virtual ~Pen() = default;
};

class Font {
public:
    virtual ~Font() = default;
};

// A bitmap: the pixels behind a memory context, or a picture made into a pattern brush.
class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

// A drawing target.
class DeviceContext {
public:
    virtual ~DeviceContext() = default;

    // FillRect: the rectangle takes the brush.
    virtual void fillRect(const PixelRect& rect, const Brush& brush) = 0;
    // FrameRect: a one-pixel frame just inside the rectangle (columns left and right - 1, rows
    // top and bottom - 1) in the brush.
    virtual void frameRect(const PixelRect& rect, const Brush& brush) = 0;
    // MoveToEx to (x1, y1), then LineTo (x2, y2) with the pen: the end point is left out.
    virtual void line(int x1, int y1, int x2, int y2, const Pen& pen) = 0;
    // SetPixelV.
    virtual void setPixel(int x, int y, Color color) = 0;
    // DrawEdge with edge kinds and sides of gdi::, in the system's 3-D colours.
    virtual void drawEdge(const PixelRect& rect, unsigned edge, unsigned sides) = 0;
    // PatBlt with the brush selected. Only PATCOPY is supported: the rectangle at (x, y), width
    // by height, takes the brush's pattern. A negative width or height counts leftwards or
    // upwards from x or y, as GDI does.
    virtual void patBlt(int x, int y, int width, int height, const Brush& brush,
                        std::uint32_t rop) = 0;
    // The background of hatch brushes and opaque text: SetBkMode (TRANSPARENT or OPAQUE) and
    // SetBkColor. A new context is OPAQUE on white.
    virtual void setBkMode(int mode) = 0;
    virtual void setBkColor(Color color) = 0;
    // SetTextColor; black in a new context.
    virtual void setTextColor(Color color) = 0;
    // DrawText of one line with the font selected. With DT_CALCRECT it only measures: rect's
    // right becomes left + width and its bottom top + height. Otherwise (DT_SINGLELINE) it draws
    // the text from rect's top-left corner, clipped to rect. Returns the text's height.
    virtual int drawText(std::string_view utf8, PixelRect& rect, unsigned format,
                         const Font& font) = 0;
    // BitBlt with SRCCOPY: the block of `source` at (xSrc, ySrc), width by height, lands at
    // (x, y) here.
    virtual void bitBlt(int x, int y, int width, int height, DeviceContext& source, int xSrc,
                        int ySrc) = 0;
};

// A memory context (CreateCompatibleDC): draws into the bitmap selected into it.
class MemoryContext : public DeviceContext {
public:
    // SelectObject of a bitmap; false if the bitmap does not suit this context. The bitmap must
    // outlive its selection.
    virtual bool selectBitmap(Bitmap& bitmap) = 0;
    // Puts back the bitmap the context was made with (the previous bitmap of SelectObject).
    virtual void restoreBitmap() = 0;
};

// What the progress bar makes its drawing tools and its off-screen surface with.
class Graphics {
public:
    virtual ~Graphics() = default;

    // CreateDCA("DISPLAY", "", "", nullptr): a context for the screen, to make compatible
    // contexts and bitmaps from. nullptr when there is no display.
    virtual std::unique_ptr<DeviceContext> createDisplayContext() = 0;
    // CreateCompatibleDC.
    virtual std::unique_ptr<MemoryContext> createCompatibleContext(DeviceContext& like) = 0;
    // CreateCompatibleBitmap: width by height in the pixel format of `like`; contents undefined.
    virtual std::unique_ptr<Bitmap> createCompatibleBitmap(DeviceContext& like, int width,
                                                           int height) = 0;
    // A picture: a bitmap holding the given pixels, row by row from the top.
    virtual std::unique_ptr<Bitmap> createBitmap(int width, int height,
                                                 std::span<const Color> pixels) = 0;

    virtual std::unique_ptr<Brush> createSolidBrush(Color color) = 0;
    // CreateHatchBrush with a hatch index gdi::Hatch*; nullptr for any other index. The lines take
    // `color`, the gaps the context's background (see setBkMode).
    virtual std::unique_ptr<Brush> createHatchBrush(int hatch, Color color) = 0;
    // CreatePatternBrush: the bitmap's pixels, tiled. The brush keeps its own copy.
    virtual std::unique_ptr<Brush> createPatternBrush(const Bitmap& bitmap) = 0;
    // CreatePen with the solid style and width 1.
    virtual std::unique_ptr<Pen> createSolidPen(Color color) = 0;
    // The font at `dpi` pixels per inch (the size is in points).
    virtual std::unique_ptr<Font> createFont(const FontSpec& desc, int dpi) = 0;

    // GetSysColor: the current RGB value of a system colour; 0 for an unknown index.
    virtual Color getSysColor(int index) const = 0;
    // SPI_GETHIGHCONTRAST: the user chose a high-contrast theme, so the program's own drawing
    // takes the system colours instead of its palette.
    virtual bool highContrast() const = 0;
};

} // namespace vp
