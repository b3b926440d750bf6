// Windows test driver (run under Wine by tests/wine/progressbar-crosscheck.sh): draws every
// progress bar style with the GDI graphics service on a site whose own context is a 32-bit DIB,
// and writes each drawing as a binary PPM with its text rectangle in a comment, for the
// cross-check against the simulated raster.
#include "platform/ControlHosting.h"
#include "platform/win32/Win32Graphics.h"
#include "progressbar/XP_ProgressBar.h"
#include "raster-png/SamplePicture.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using namespace vp;

// A site without a window: its own device context is a memory context on a white DIB.
class DibSite final : public ControlSite {
public:
    DibSite(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        hdc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(hdc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        previous_ = SelectObject(hdc_, bitmap_);
        for (int i = 0; i < width * height; ++i) {
            bits_[i] = 0xFFFFFF;
        }
        dc_ = win32::BorrowDeviceContext(hdc_);
    }
    ~DibSite() override {
        dc_.reset();
        SelectObject(hdc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(hdc_);
    }
    DibSite(const DibSite&) = delete;
    DibSite& operator=(const DibSite&) = delete;

    const std::string& name() const override { return name_; }
    void setVisible(bool) override {}
    bool visible() const override { return true; }
    void setCaption(std::string_view) override {}
    std::string caption() const override { return {}; }
    void onClick(std::function<void()>) override {}

    std::uintptr_t hWnd() const override { return 0; }
    DeviceContext& hDC() override { return *dc_; }
    int scaleWidth() const override { return width_; }
    int scaleHeight() const override { return height_; }
    void propertyChanged(std::string_view) override {}
    PropertyBag& properties() override { return hosting_.properties(); }
    void host(HostedControl& control) override { hosting_.host(control); }
    void unhost(HostedControl& control) override { hosting_.unhost(control); }

    bool writePpm(const std::string& path, const PixelRect& text) const {
        GdiFlush();
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) {
            return false;
        }
        std::fprintf(file, "P6\n# rcText %d %d %d %d\n%d %d\n255\n", text.left, text.top,
                     text.right, text.bottom, width_, height_);
        for (int i = 0; i < width_ * height_; ++i) {
            const std::uint32_t rgb = bits_[i]; // 0x00RRGGBB
            const unsigned char bytes[3] = {static_cast<unsigned char>(rgb >> 16),
                                            static_cast<unsigned char>(rgb >> 8),
                                            static_cast<unsigned char>(rgb)};
            std::fwrite(bytes, 1, 3, file);
        }
        return std::fclose(file) == 0;
    }

private:
    std::string name_ = "ProgressBar1";
    int width_;
    int height_;
    HDC hdc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    std::unique_ptr<DeviceContext> dc_;
    ControlHosting hosting_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vp-bar-render-driver OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    win32::Win32Graphics graphics;
    const auto tile = tools::SamplePicturePixels();
    int failures = 0;
    for (int showText = 0; showText <= 1; ++showText) {
        for (int style = 0; style < scrolling::Count; ++style) {
            for (const int percent : {0, 50, 100}) {
                DibSite site(281, 17);
                site.properties().WriteProperty("BrushStyle", 0, 4);
                site.properties().WriteProperty("Color", 0xC56A31, 0);
                site.properties().WriteProperty("Scrolling", style, 0);
                site.properties().WriteProperty("ShowText", showText == 1, false);
                XP_ProgressBar bar(site, graphics);
                site.host(bar);
                if (style == scrolling::Picture) {
                    bar.setImage(graphics.createBitmap(tools::SamplePictureSize,
                                                       tools::SamplePictureSize, tile));
                }
                bar.setValue(percent);
                const std::string path = dir + "/scrolling" + std::to_string(style) + "-" +
                                         std::to_string(percent) + (showText ? "-text" : "") +
                                         ".ppm";
                if (!site.writePpm(path, bar.rcText())) {
                    std::fprintf(stderr, "cannot write %s\n", path.c_str());
                    ++failures;
                }
            }
        }
    }
    std::printf("surface: %s\n", graphics.createDisplayContext() ? "display" : "none");
    return failures == 0 ? 0 : 1;
}
