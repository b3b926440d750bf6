// The progress bar's drawing primitives and its off-screen surface.
#include "progressbar/XP_ProgressBar.h"

#include "progressbar/Colors.h"
#include "progressbar/Rounding.h"

#include <cmath>

namespace vp {

vp::Color XP_ProgressBar::translate(vp::Color color) const {
    return TranslateColor(color, graphics_);
}

vp::Color XP_ProgressBar::blend(vp::Color first, vp::Color second, std::int32_t alpha) const {
    return BlendColors(first, second, alpha, graphics_);
}

void XP_ProgressBar::FillColorRect(const PixelRect& rect, vp::Color color, DeviceContext& dc) {
    if (const auto brush = graphics_.createSolidBrush(translate(color))) {
        dc.fillRect(rect, *brush);
    }
}

void XP_ProgressBar::FrameColorRect(const PixelRect& rect, vp::Color color, DeviceContext& dc) {
    if (const auto brush = graphics_.createSolidBrush(color)) {
        dc.frameRect(rect, *brush);
    }
}

void XP_ProgressBar::DrawLine(std::int32_t X, std::int32_t Y, std::int32_t Width,
                              std::int32_t Height, DeviceContext& cHdc, vp::Color Color) {
    if (const auto pen = graphics_.createSolidPen(translate(Color))) {
        cHdc.line(X, Y, Width, Height, *pen);
    }
}

void XP_ProgressBar::DrawGradient(vp::Color& lEndColor, vp::Color& lStartcolor, std::int32_t X,
                                  std::int32_t Y, std::int32_t X2, std::int32_t Y2,
                                  DeviceContext& hdc, bool bH) {
    lEndColor = translate(lEndColor);
    lStartcolor = translate(lStartcolor);
    const std::int32_t lines = bH ? X2 : Y2;
    const float endRed = static_cast<float>(RedOf(lEndColor));
    const float endGreen = static_cast<float>(GreenOf(lEndColor));
    const float endBlue = static_cast<float>(BlueOf(lEndColor));
    // A step is the channel difference over the line count, kept in single precision; with no
    // count to divide by, the steps stay 0 and line 0 alone is drawn.
    float stepRed = 0;
    float stepGreen = 0;
    float stepBlue = 0;
    if (lines != 0) {
        stepRed = static_cast<float>((static_cast<float>(RedOf(lStartcolor)) - endRed) /
                                     static_cast<double>(lines));
        stepGreen = static_cast<float>((static_cast<float>(GreenOf(lStartcolor)) - endGreen) /
                                       static_cast<double>(lines));
        stepBlue = static_cast<float>((static_cast<float>(BlueOf(lStartcolor)) - endBlue) /
                                      static_cast<double>(lines));
    }
    for (std::int32_t i = 0; i <= lines; ++i) {
        const auto channel = [i](float end, float step) {
            return static_cast<std::int32_t>(
                std::nearbyint(static_cast<double>(end) + static_cast<double>(step) * i));
        };
        const vp::Color color = JoinChannels(channel(endRed, stepRed), channel(endGreen, stepGreen),
                                             channel(endBlue, stepBlue));
        if (bH) {
            DrawLine(X + i, Y, X + i, Y2, hdc, color);
        } else {
            DrawLine(X, Y + i, X2, Y + i, hdc, color);
        }
    }
}

void XP_ProgressBar::gradient(vp::Color endColor, vp::Color startColor, std::int32_t X,
                              std::int32_t Y, std::int32_t X2, std::int32_t Y2, bool bH) {
    DrawGradient(endColor, startColor, X, Y, X2, Y2, *hdc_, bH);
}

void XP_ProgressBar::pDraw(DeviceContext& hdc, std::int32_t xSrc, std::int32_t ySrc,
                           std::int32_t WidthSrc, std::int32_t HeightSrc, std::int32_t xDst,
                           std::int32_t yDst) {
    if (!surface_.context) {
        return;
    }
    hdc.bitBlt(xDst, yDst, WidthSrc > 0 ? WidthSrc : surface_.width,
               HeightSrc > 0 ? HeightSrc : surface_.height, *surface_.context, xSrc, ySrc);
}

DeviceContext* XP_ProgressBar::EnsureSurface(std::int32_t width, std::int32_t height) {
    if (!surface_.context) {
        if (width > 0 && height > 0) {
            CreateSurface(width, height);
        }
    } else if (width > surface_.width || height > surface_.height) {
        CreateSurface(width, height);
    }
    return surface_.context.get();
}

void XP_ProgressBar::CreateSurface(std::int32_t width, std::int32_t height) {
    ReleaseSurface();
    const auto display = graphics_.createDisplayContext();
    if (!display) {
        return;
    }
    surface_.context = graphics_.createCompatibleContext(*display);
    if (surface_.context) {
        surface_.bitmap = graphics_.createCompatibleBitmap(*display, width, height);
    }
    if (surface_.bitmap) {
        surface_.bitmapSelected = surface_.context->selectBitmap(*surface_.bitmap);
    }
    if (surface_.bitmapSelected) {
        surface_.width = width;
        surface_.height = height;
    } else {
        ReleaseSurface();
    }
}

void XP_ProgressBar::ReleaseSurface() {
    if (surface_.context && surface_.bitmapSelected) {
        surface_.context->restoreBitmap();
    }
    // Whatever drew into the surface must not go on doing so.
    if (hdc_ == surface_.context.get()) {
        hdc_ = &site_.hDC();
    }
    surface_.bitmapSelected = false;
    surface_.bitmap.reset();
    surface_.context.reset();
    surface_.width = 0;
    surface_.height = 0;
}

} // namespace vp
