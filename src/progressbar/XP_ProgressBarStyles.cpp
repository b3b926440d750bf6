// The progress bar's further styles (Scrolling 3 to 9): each an edge or frame and a fill from
// the left whose extent follows the percentage. None of them looks at Orientation.
#include "progressbar/XP_ProgressBar.h"

#include "progressbar/Colors.h"
#include "progressbar/Rounding.h"

namespace vp {

void XP_ProgressBar::DrawStyleFlat() {
    FrameScaled(rcClient_, LightenColor(colour_, 100));
    rcProgress_ = {S(1), S(1), RoundHalfEven(lPercent_ / 100.0 * W()), H() - S(1)};
    FillColorRect(rcProgress_, LightenColor(colour_, 180), *hdc_);
}

void XP_ProgressBar::DrawStyleEtched() {
    EdgeScaled(rcClient_, gdi::Etched);
    const std::int32_t n = RoundHalfEven(lPercent_ / 100.0 * (W() - S(4)));
    gradient(LightenColor(colour_, 140), LightenColor(colour_, 200), S(2), S(2), n, H() - S(3),
             true);
}

void XP_ProgressBar::DrawStyleTrack() {
    FrameScaled(rcClient_, LightenColor(colour_, 10));
    // Scaled by 101, not 100: the full bar stops short of the right edge.
    const std::int32_t p = RoundHalfEven(lPercent_ / 101.0 * W());
    rcProgress_.right = p;
    gradient(colour_, LightenColor(colour_, 100), S(2), S(2), W() - S(2), H() - S(5), false);
    gradient(LightenColor(colour_, 250), colour_, S(3), S(3), p, H() - S(6), false);
    if (scaled()) {
        FillColorRect({p, S(2), p + S(1), H() - S(2)}, LightenColor(colour_, 25), *hdc_);
    } else {
        DrawLine(p, 2, p, H() - 2, *hdc_, LightenColor(colour_, 25));
    }
}

void XP_ProgressBar::DrawStyleDark() {
    FrameScaled(rcClient_, blend(colour_, 0, 200));
    const vp::Color dim = LightenColor(blend(colour_, 0, 100), 10);
    const std::int32_t n = RoundHalfEven(lPercent_ / 100.0 * (W() - S(5)));
    gradient(0x000000, dim, S(2), S(2), n, H() - S(2), true);
}

void XP_ProgressBar::DrawStyleHatched() {
    EdgeScaled(rcClient_, gdi::Bump);
    rcProgress_ = {S(2), S(2), RoundHalfEven(lPercent_ / 101.0 * W()), H() - S(2)};
    // A style outside the six hatches makes no brush and the fill is left out; that includes
    // values beyond 16 bits, which must not turn every repaint into an error.
    const auto brush = graphics_.createHatchBrush(BrushStyle_, translate(colour_));
    if (!brush) {
        return;
    }
    // The gaps between the hatch lines are painted, whatever the text left as background mode.
    hdc_->setBkMode(gdi::Opaque);
    hdc_->setBkColor(LightenColor(colour_, 140));
    hdc_->fillRect(rcProgress_, *brush);
}

void XP_ProgressBar::DrawStylePicture() {
    EdgeScaled(rcClient_, gdi::SunkenOuter);
    if (!Image_) {
        return;
    }
    const auto brush = graphics_.createPatternBrush(*Image_);
    const std::int32_t p = RoundHalfEven(lPercent_ / 101.0 * W());
    rcProgress_.right = p;
    if (brush) {
        // The width is p itself: the tiles reach x = p + 1. The picture keeps its own size at
        // every resolution.
        hdc_->patBlt(S(2), S(2), p, H() - S(4), *brush, gdi::PatCopy);
    }
}

void XP_ProgressBar::DrawStyleGlossy() {
    const std::int32_t P = RoundHalfEven(lPercent_ / 100.0 * (W() - S(4)));
    rcProgress_.right = P;
    const std::int32_t h = RoundHalfEven((H() - S(3)) / 2.0);
    gradient(0xFFFFFF, 0xC0C0C0, S(2), S(2), W() - S(3), h, false);
    gradient(blend(0xC0C0C0, 0, 255), 0xC0C0C0, S(2), h, W() - S(3), h, false);
    gradient(LightenColor(colour_, 150), blend(colour_, 0, 180), S(2), S(2), P, h, false);
    gradient(blend(colour_, 0, 190), colour_, S(2), h, P, h, false);
    rcClient_.left = S(3);
    DrawBarFrame();
}

} // namespace vp
