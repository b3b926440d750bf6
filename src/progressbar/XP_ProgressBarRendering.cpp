// The progress bar's repaint: background, the default grey-framed bar (chunked, continuous,
// marquee; horizontal or vertical), the percentage text, and the copy to the site.
#include "progressbar/XP_ProgressBar.h"

#include "progressbar/Colors.h"
#include "progressbar/Rounding.h"

#include <utility>

namespace vp {
namespace {

// The grey frame's corner pixels. The right-hand corners are not mirror images of the left.
struct CornerPixel {
    bool fromRight;  // x counts from W instead of 0
    int x;           // 0, 1, 2 from the left; or 1, 2, 3 meaning W - 1, W - 2, W - 3
    bool fromBottom; // likewise for y and H
    int y;
    Color color;
};

constexpr CornerPixel CornerPixels[] = {
    {false, 0, false, 0, 0xFFFFFF}, {false, 0, false, 1, 0xA6ABAC}, {false, 0, false, 2, 0x7D7E7F},
    {false, 1, false, 0, 0xA7ABAC}, {false, 1, false, 1, 0x777777}, {false, 2, false, 0, 0x7D7E7F},
    {false, 2, false, 2, 0xBEBEBE}, {false, 0, true, 1, 0xFFFFFF},  {false, 1, true, 1, 0xA6ABAC},
    {false, 2, true, 1, 0x7D7E7F},  {false, 0, true, 3, 0x7D7E7F},  {false, 0, true, 2, 0xA7ABAC},
    {false, 1, true, 2, 0x777777},  {true, 1, false, 0, 0xFFFFFF},  {true, 1, false, 1, 0xBEBEBE},
    {true, 1, false, 2, 0x7D7E7F},  {true, 2, false, 2, 0xBEBEBE},  {true, 2, false, 1, 0x686868},
    {true, 1, true, 1, 0xFFFFFF},   {true, 1, true, 2, 0xBEBEBE},   {true, 1, true, 3, 0x7D7E7F},
    {true, 2, true, 2, 0x777777},   {true, 2, true, 1, 0xBEBEBE},   {true, 3, true, 1, 0x7D7E7F},
};

} // namespace

void XP_ProgressBar::DrawProgressBar() {
    if (lPercent_ > 100) {
        lPercent_ = 100;
    }
    dpi_ = site_.dpi() > 0 ? site_.dpi() : 96;
    // The site's size in pixels is the client rectangle of the control's window.
    rcClient_ = PixelRect{0, 0, site_.scaleWidth(), site_.scaleHeight()};
    if (graphics_.highContrast()) {
        DrawHighContrast();
        if (bSurface_) {
            pDraw(site_.hDC(), 0, 0, site_.scaleWidth(), site_.scaleHeight(), 0, 0);
        }
        site_.valueShown(ValueText());
        return;
    }
    FillColorRect(rcClient_, Scrolling_ == scrolling::Dark ? 0x000000 : 0xFFFFFF, *hdc_);
    switch (Scrolling_) {
    case scrolling::Glossy:
        DrawStyleGlossy();
        break;
    case scrolling::Flat:
        DrawStyleFlat();
        break;
    case scrolling::Etched:
        DrawStyleEtched();
        break;
    case scrolling::Track:
        DrawStyleTrack();
        break;
    case scrolling::Dark:
        DrawStyleDark();
        break;
    case scrolling::Hatched:
        DrawStyleHatched();
        break;
    case scrolling::Picture:
        DrawStylePicture();
        break;
    default:
        LayoutBar();
        FillBar();
        if (Scrolling_ == scrolling::Chunked) {
            DrawChunkGaps();
        }
        DrawBarFrame();
        break;
    }
    DrawCaption();
    if (bSurface_) {
        pDraw(site_.hDC(), 0, 0, site_.scaleWidth(), site_.scaleHeight(), 0, 0);
    }
    site_.valueShown(ValueText());
}

std::string XP_ProgressBar::ValueText() const {
    return std::to_string(lPercent_) + " %";
}

void XP_ProgressBar::LayoutBar() {
    lChunk_ = Scrolling_ == scrolling::Chunked ? S(6) : 0;
    lGap_ = S(2);
    const std::int32_t step = lGap_ + lChunk_;
    const std::int32_t inset = S(3);
    rcClient_.left = inset; // DrawBarFrame moves it back
    rcProgress_ = rcClient_;
    dFraction_ = lPercent_ / 98.0;
    if (dFraction_ < 0) {
        dFraction_ = 0;
    }
    if (Orientation_ == 0) {
        // The fill snaps to the chunk grid counted from x = 3.
        const std::int32_t x = RoundHalfEven((W() - inset) * dFraction_ + inset);
        rcProgress_.right = x - (x - inset) % step;
        if (rcProgress_.right < inset) {
            rcProgress_.right = inset;
        }
    } else {
        // Vertical bars grow upwards: the grid counts from the bottom.
        dFraction_ = 1 - dFraction_;
        const std::int32_t y = RoundHalfEven(H() * dFraction_);
        rcProgress_.top = y - (y - H()) % step;
        if (rcProgress_.top > H()) {
            rcProgress_.top = H();
        }
    }
}

void XP_ProgressBar::FillBar() {
    const vp::Color light = LightenColor(colour_, 150);
    if (Orientation_ == 0) {
        // Even at 0 % a stub of the fill shows.
        if (rcProgress_.right <= S(14)) {
            rcProgress_.right = S(12);
        }
        const std::int32_t r =
            rcProgress_.right + S(4) > W() ? rcProgress_.right - S(4) : rcProgress_.right;
        if (Scrolling_ == scrolling::Marquee) {
            for (std::int32_t i = 0; i < 3; ++i) {
                const std::int32_t bx = RoundHalfEven(rcProgress_.right + (lGap_ + S(10)) * i -
                                                      (100 - lPercent_) / 100.0 * S(45));
                gradient(LightenColor(colour_, 220 - 40 * i), LightenColor(colour_, 200 - 40 * i),
                         bx, S(3), S(9), H() - S(2), true);
            }
            return;
        }
        gradient(light, colour_, S(4), S(3), r, S(6), false);
        FillColorRect({S(4), S(8), r, H() - S(8)}, colour_, *hdc_);
        gradient(colour_, light, S(4), H() - S(10), r, S(6), false);
        return;
    }
    const std::int32_t top = rcProgress_.top;
    if (Scrolling_ == scrolling::Marquee) {
        for (std::int32_t i = 0; i < 3; ++i) {
            gradient(LightenColor(colour_, 220 - 40 * i), LightenColor(colour_, 200 - 40 * i),
                     W() - S(2), top + (lGap_ + S(10)) * i, S(2), S(9), false);
        }
        return;
    }
    gradient(light, colour_, S(4), top, S(4), H(), true);
    FillColorRect({S(9), top, W() - S(8), H()}, colour_, *hdc_);
    gradient(colour_, light, W() - S(8), top, S(4), H(), true);
}

void XP_ProgressBar::DrawChunkGaps() {
    const auto white = graphics_.createSolidBrush(0xFFFFFF);
    if (!white) {
        return;
    }
    rcGap_ = rcClient_;
    const std::int32_t step = lGap_ + lChunk_;
    if (Orientation_ == 0) {
        for (std::int32_t x = rcProgress_.left + lChunk_; x <= rcProgress_.right; x += step) {
            rcGap_.left = x + S(1);
            rcGap_.right = x + S(1) + lGap_;
            hdc_->fillRect(rcGap_, *white);
        }
    } else {
        for (std::int32_t y = rcProgress_.bottom; y >= rcProgress_.top + lChunk_; y -= step) {
            rcGap_.top = y - S(2);
            rcGap_.bottom = y - S(2) + lGap_;
            hdc_->fillRect(rcGap_, *white);
        }
    }
}

void XP_ProgressBar::DrawBarFrame() {
    rcClient_.left -= S(3);
    const std::int32_t w = W();
    const std::int32_t h = H();
    if (scaled()) {
        // The same lines and corner pixels, each a band or a block of the design's pixel.
        const auto band = [this](PixelRect rect, vp::Color color) {
            FillColorRect(rect, color, *hdc_);
        };
        band({S(2), S(1), w - S(2), S(2)}, 0xBEBEBE);
        band({S(2), h - S(2), w - S(2), h - S(1)}, 0xEFEFEF);
        band({S(1), S(2), S(2), h - S(2)}, 0xBEBEBE);
        band({S(2), S(2), S(3), h - S(2)}, 0xEFEFEF);
        band({S(2), S(2), w - S(2), S(3)}, 0xEFEFEF);
        band({w - S(2), S(2), w - S(1), h - S(2)}, 0xEFEFEF);
        FrameScaled(rcClient_, 0x686868);
        for (const CornerPixel& corner : CornerPixels) {
            const auto span = [this](bool fromEnd, int end, int at) {
                return fromEnd ? std::pair{end - S(at), end - S(at - 1)}
                               : std::pair{S(at), S(at + 1)};
            };
            const auto [left, right] = span(corner.fromRight, w, corner.x);
            const auto [top, bottom] = span(corner.fromBottom, h, corner.y);
            band({left, top, right, bottom}, translate(corner.color));
        }
        return;
    }
    DrawLine(2, 1, w - 2, 1, *hdc_, 0xBEBEBE);
    DrawLine(2, h - 2, w - 2, h - 2, *hdc_, 0xEFEFEF);
    DrawLine(1, 2, 1, h - 2, *hdc_, 0xBEBEBE);
    DrawLine(2, 2, 2, h - 2, *hdc_, 0xEFEFEF);
    DrawLine(2, 2, w - 2, 2, *hdc_, 0xEFEFEF);
    DrawLine(w - 2, 2, w - 2, h - 2, *hdc_, 0xEFEFEF);
    FrameColorRect(rcClient_, 0x686868, *hdc_);
    for (const CornerPixel& corner : CornerPixels) {
        hdc_->setPixel(corner.fromRight ? w - corner.x : corner.x,
                       corner.fromBottom ? h - corner.y : corner.y, translate(corner.color));
    }
}

const vp::Font* XP_ProgressBar::textFont() {
    if (!textFont_ || textFontSpec_ != Font_ || textFontDpi_ != dpi_) {
        textFont_ = graphics_.createFont(Font_, dpi_);
        textFontSpec_ = Font_;
        textFontDpi_ = dpi_;
    }
    return textFont_.get();
}

void XP_ProgressBar::DrawCaption() {
    const bool twoTone = Scrolling_ == scrolling::Dark || Scrolling_ == scrolling::Glossy;
    const std::string text = Scrolling_ == scrolling::Marquee ? "Searching.." : ValueText();
    if (!ShowText_) {
        return;
    }
    const vp::Font* font = textFont();
    if (font == nullptr) {
        return;
    }
    hdc_->setBkMode(gdi::Transparent);
    hdc_->setTextColor(Scrolling_ == scrolling::Dark ? 0xC0C0C0 : 0x000000);
    CenterCaption(text);
    const double px = lPercent_ / 100.0 * W();
    // Once the fill has passed the text, only its light copy shows.
    if (!(twoTone && px > rcText_.right)) {
        hdc_->drawText(text, rcText_, gdi::SingleLine, *font);
    }
    if (twoTone) {
        DrawCaptionOverlay(text, px);
    }
}

void XP_ProgressBar::CenterCaption(const std::string& text) {
    PixelRect measured{};
    hdc_->drawText(text, measured, gdi::CalcRect, *textFont());
    const std::int32_t w = measured.right - measured.left;
    const std::int32_t h = measured.bottom - measured.top;
    rcText_.left = RoundHalfEven(W() / 2.0 - w / 2.0);
    rcText_.top = RoundHalfEven(H() / 2.0 - h / 2.0);
    rcText_.right = rcText_.left + w;
    rcText_.bottom = rcText_.top + h;
}

void XP_ProgressBar::DrawCaptionOverlay(const std::string& text, double px) {
    hdc_->setBkMode(gdi::Transparent);
    if (px < rcText_.left) {
        return;
    }
    hdc_->setTextColor(Scrolling_ == scrolling::Dark ? LightenColor(colour_, 80) : 0xFFFFFF);
    CenterCaption(text);
    // Clipped at the fill's end: only the part over the fill takes the light colour.
    rcText_.right = RoundHalfEven(px);
    hdc_->drawText(text, rcText_, gdi::SingleLine, *textFont());
}

} // namespace vp
