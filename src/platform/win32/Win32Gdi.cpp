// GDI helpers of the native window: no window procedure and no control here.
#include "platform/win32/Win32Gdi.h"

#include "platform/win32/Win32NarrowText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cwchar>

namespace vp::win32 {

HINSTANCE instance() {
    return GetModuleHandleW(nullptr);
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int toPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

COLORREF colourOf(std::uint32_t colour) {
    if ((colour & 0x80000000U) != 0) { // a system colour code
        return GetSysColor(static_cast<int>(colour & 0xFFU));
    }
    return colour & 0xFFFFFFU;
}

HFONT makeFont(const FontSpec& desc, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(desc.points * dpi / 72.0));
    font.lfWeight = desc.bold ? std::max(desc.weight, 700) : desc.weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = widen(desc.face);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

namespace {

std::wstring resourceName(std::string_view picture) {
    std::wstring name;
    for (const char c : picture) {
        name += c == '-' ? L'_' : static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

SIZE pictureSize(HBITMAP picture) {
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

} // namespace

HBITMAP loadPicture(std::string_view picture) {
    if (picture.empty()) {
        return nullptr;
    }
    const std::wstring name = resourceName(picture);
    return static_cast<HBITMAP>(
        LoadImageW(instance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void drawPicture(HDC dc, HBITMAP picture, const RECT& box, bool stretch) {
    if (picture == nullptr) {
        return;
    }
    const SIZE size = pictureSize(picture);
    ScopedMemoryDC memory(dc);
    ScopedSelectObject select(memory.get(), picture);
    if (stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, memory.get(),
                   0, 0, size.cx, size.cy, SRCCOPY);
    } else {
        BitBlt(dc, box.left + (box.right - box.left - size.cx) / 2,
               box.top + (box.bottom - box.top - size.cy) / 2, size.cx, size.cy, memory.get(), 0, 0,
               SRCCOPY);
    }
}

void fillGradient(HDC dc, const RECT& box, COLORREF top, COLORREF bottom) {
    const int height = std::max(1, static_cast<int>(box.bottom - box.top));
    for (int row = 0; row < height; ++row) {
        const auto blend = [&](int shift) {
            const int a = static_cast<int>((top >> shift) & 0xFF);
            const int b = static_cast<int>((bottom >> shift) & 0xFF);
            return static_cast<COLORREF>(a + (b - a) * row / height) << shift;
        };
        const RECT line{box.left, box.top + row, box.right, box.top + row + 1};
        ScopedGdiObject brush(CreateSolidBrush(blend(0) | blend(8) | blend(16)));
        FillRect(dc, &line, static_cast<HBRUSH>(brush.get()));
    }
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

} // namespace vp::win32
