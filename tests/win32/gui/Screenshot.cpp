// Screen capture, and PNG files through the system's own encoder (Windows Imaging Component),
// which compresses them.
#include "Screenshot.h"

#include <wincodec.h>

#include <cstdio>
#include <vector>

namespace vp::gui {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface> class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    Interface** out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

} // namespace

Screenshot screenshotOf(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    Screenshot shot{area.right - area.left, area.bottom - area.top, {}};
    shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, shot.width, -shot.height, 1, 32, BI_RGB}; // top-down
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(shot.height), shot.pixels.data(), &info,
              DIB_RGB_COLORS);
    for (auto& pixel : shot.pixels) {
        pixel &= 0xFFFFFFU;
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

std::uint32_t Screenshot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0xFFFFFFFFU;
    }
    return pixels[static_cast<std::size_t>(y) * width + x];
}

bool Screenshot::writePng(const std::wstring& path) const {
    // Rows of 8-bit blue, green, red, as the encoder takes them.
    const UINT stride = static_cast<UINT>(width) * 3;
    std::vector<BYTE> rows;
    rows.reserve(static_cast<std::size_t>(stride) * height);
    for (const std::uint32_t p : pixels) {
        rows.insert(rows.end(),
                    {static_cast<BYTE>(p), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p >> 16)});
    }
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool written = false;
    {
        Com<IWICImagingFactory> factory;
        Com<IWICStream> stream;
        Com<IWICBitmapEncoder> encoder;
        Com<IWICBitmapFrameEncode> frame;
        Com<IPropertyBag2> options;
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        written =
            SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWICImagingFactory,
                                       reinterpret_cast<void**>(factory.out()))) &&
            SUCCEEDED(factory->CreateStream(stream.out())) &&
            SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) &&
            SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(frame.out(), options.out())) &&
            SUCCEEDED(frame->Initialize(options.get())) &&
            SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
            SUCCEEDED(frame->SetPixelFormat(&format)) &&
            IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
            SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride,
                                         static_cast<UINT>(rows.size()), rows.data())) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    if (SUCCEEDED(initialised)) {
        CoUninitialize();
    }
    return written;
}

std::string hexColour(std::uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "%06x", rgb & 0xFFFFFFU);
    return text;
}

} // namespace vp::gui
