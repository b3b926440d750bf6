// The progress bar's repaint: background, the default grey-framed bar (chunked, continuous,
// marquee; horizontal or vertical), the percentage text, and the copy to the site.
#include "progressbar/XP_ProgressBar.h"

#include "progressbar/Colors.h"
#include "progressbar/Rounding.h"

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
    // The site's size in pixels is the client rectangle of the control's window.
    rcClient_ = PixelRect{0, 0, site_.scaleWidth(), site_.scaleHeight()};
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
}

void XP_ProgressBar::LayoutBar() {
    lChunk_ = Scrolling_ == scrolling::Chunked ? 6 : 0;
    lGap_ = 2;
    const std::int32_t step = lGap_ + lChunk_;
    rcClient_.left = 3; // DrawBarFrame moves it back
    rcProgress_ = rcClient_;
    dFraction_ = lPercent_ / 98.0;
    if (dFraction_ < 0) {
        dFraction_ = 0;
    }
    if (Orientation_ == 0) {
        // The fill snaps to the chunk grid counted from x = 3.
        const std::int32_t x = RoundHalfEven((W() - 3) * dFraction_ + 3);
        rcProgress_.right = x - (x - 3) % step;
        if (rcProgress_.right < 3) {
            rcProgress_.right = 3;
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
        if (rcProgress_.right <= 14) {
            rcProgress_.right = 12;
        }
        const std::int32_t r =
            rcProgress_.right + 4 > W() ? rcProgress_.right - 4 : rcProgress_.right;
        if (Scrolling_ == scrolling::Marquee) {
            for (std::int32_t i = 0; i < 3; ++i) {
                const std::int32_t bx = RoundHalfEven(rcProgress_.right + (lGap_ + 10) * i -
                                                      (100 - lPercent_) / 100.0 * 45);
                gradient(LightenColor(colour_, 220 - 40 * i), LightenColor(colour_, 200 - 40 * i),
                         bx, 3, 9, H() - 2, true);
            }
            return;
        }
        gradient(light, colour_, 4, 3, r, 6, false);
        FillColorRect({4, 8, r, H() - 8}, colour_, *hdc_);
        gradient(colour_, light, 4, H() - 10, r, 6, false);
        return;
    }
    const std::int32_t top = rcProgress_.top;
    if (Scrolling_ == scrolling::Marquee) {
        for (std::int32_t i = 0; i < 3; ++i) {
            gradient(LightenColor(colour_, 220 - 40 * i), LightenColor(colour_, 200 - 40 * i),
                     W() - 2, top + (lGap_ + 10) * i, 2, 9, false);
        }
        return;
    }
    gradient(light, colour_, 4, top, 4, H(), true);
    FillColorRect({9, top, W() - 8, H()}, colour_, *hdc_);
    gradient(colour_, light, W() - 8, top, 4, H(), true);
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
            rcGap_.left = x + 1;
            rcGap_.right = x + 1 + lGap_;
            hdc_->fillRect(rcGap_, *white);
        }
    } else {
        for (std::int32_t y = rcProgress_.bottom; y >= rcProgress_.top + lChunk_; y -= step) {
            rcGap_.top = y - 2;
            rcGap_.bottom = y - 2 + lGap_;
            hdc_->fillRect(rcGap_, *white);
        }
    }
}

void XP_ProgressBar::DrawBarFrame() {
    rcClient_.left -= 3;
    const std::int32_t w = W();
    const std::int32_t h = H();
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
    if (!textFont_ || textFontSpec_ != Font_) {
        textFont_ = graphics_.createFont(Font_);
        textFontSpec_ = Font_;
    }
    return textFont_.get();
}

void XP_ProgressBar::DrawCaption() {
    const bool twoTone = Scrolling_ == scrolling::Dark || Scrolling_ == scrolling::Glossy;
    const std::string text =
        Scrolling_ == scrolling::Marquee ? "Searching.." : std::to_string(lPercent_) + " %";
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
