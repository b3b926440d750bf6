// GDI helpers of the native window: no window procedure and no control here.
#include "platform/win32/Win32Gdi.h"

#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32WineLinks.h"

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

int dpiOfWindow(HWND window) {
    // Windows 10 (1607) and later; the build targets Windows 7, so it is looked up.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return screenDpi();
}

void declarePerMonitorDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (setContext != nullptr) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2. Refused when the manifest already said
        // so, which is as good.
        setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
    }
}

int toPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

int scaledPixels(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

bool highContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != 0 &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
        return true;
    }
    if (!wine::running()) {
        return false;
    }
    // Wine always answers "off" and keeps no theme flag of its own; the user's choice is read
    // where Windows stores it, the decimal flags of the high-contrast settings.
    wchar_t flags[16] = {};
    DWORD size = sizeof flags - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                     RRF_RT_REG_SZ, nullptr, flags, &size) != ERROR_SUCCESS) {
        return false;
    }
    return (std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
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

std::wstring pictureResource(std::string_view picture, int dpi) {
    std::wstring name = resourceName(picture);
    if (dpi <= 96) {
        return name;
    }
    return name + (dpi <= 120 ? L"_125" : dpi <= 144 ? L"_150" : L"_200");
}

HBITMAP loadPicture(std::string_view picture, int dpi) {
    if (picture.empty()) {
        return nullptr;
    }
    const std::wstring name = pictureResource(picture, dpi);
    return static_cast<HBITMAP>(
        LoadImageW(instance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void drawPicture(HDC dc, HBITMAP picture, const RECT& box, bool fromCorner) {
    if (picture == nullptr) {
        return;
    }
    const SIZE size = pictureSize(picture);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    ScopedMemoryDC memory(dc);
    ScopedSelectObject select(memory.get(), picture);
    if (fromCorner) {
        BitBlt(dc, box.left, box.top, std::min<int>(width, size.cx), std::min<int>(height, size.cy),
               memory.get(), 0, 0, SRCCOPY);
        return;
    }
    // Centred; a picture larger than the box shows its middle.
    const int x = (width - size.cx) / 2;
    const int y = (height - size.cy) / 2;
    BitBlt(dc, box.left + std::max(x, 0), box.top + std::max(y, 0), std::min<int>(width, size.cx),
           std::min<int>(height, size.cy), memory.get(), std::max(-x, 0), std::max(-y, 0), SRCCOPY);
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
