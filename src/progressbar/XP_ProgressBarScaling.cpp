// The progress bar at other resolutions than 96 dpi and in a high-contrast theme: the design's
// lengths scaled, its frames and edges as bands, and the plain look in the system's colours.
#include "progressbar/XP_ProgressBar.h"

#include "progressbar/Rounding.h"

#include <algorithm>

namespace vp {

std::int32_t XP_ProgressBar::S(std::int32_t design) const {
    if (!scaled()) {
        return design;
    }
    return RoundHalfEven(static_cast<double>(design) * dpi_ / 96.0);
}

void XP_ProgressBar::FrameScaled(const PixelRect& rect, vp::Color color) {
    if (!scaled()) {
        FrameColorRect(rect, color, *hdc_);
        return;
    }
    const std::int32_t k = S(1);
    if (rect.right - rect.left <= 0 || rect.bottom - rect.top <= 0) {
        return;
    }
    // Like FrameRect, the colour is taken as it is.
    if (const auto brush = graphics_.createSolidBrush(color)) {
        hdc_->fillRect({rect.left, rect.top, rect.right, rect.top + k}, *brush);
        hdc_->fillRect({rect.left, rect.bottom - k, rect.right, rect.bottom}, *brush);
        hdc_->fillRect({rect.left, rect.top + k, rect.left + k, rect.bottom - k}, *brush);
        hdc_->fillRect({rect.right - k, rect.top + k, rect.right, rect.bottom - k}, *brush);
    }
}

void XP_ProgressBar::EdgeScaled(const PixelRect& rect, unsigned edge) {
    if (!scaled()) {
        hdc_->drawEdge(rect, edge, gdi::AllSides);
        return;
    }
    // DrawEdge's rings in the system's 3-D colours: the outer ring first, then the inner one,
    // each with its top and left sides in one colour and its bottom and right in the other.
    struct Ring {
        unsigned raised;
        unsigned sunken;
        int raisedTopLeft;
        int raisedBottomRight;
        int sunkenTopLeft;
        int sunkenBottomRight;
    };
    const Ring rings[] = {
        {gdi::RaisedOuter, gdi::SunkenOuter, gdi::Color3DLight, gdi::Color3DDarkShadow,
         gdi::Color3DShadow, gdi::Color3DHilight},
        {gdi::RaisedInner, gdi::SunkenInner, gdi::Color3DHilight, gdi::Color3DShadow,
         gdi::Color3DDarkShadow, gdi::Color3DLight},
    };
    for (int ring = 0; ring < 2; ++ring) {
        const Ring& r = rings[ring];
        const bool raised = (edge & r.raised) != 0;
        if (!raised && (edge & r.sunken) == 0) {
            continue;
        }
        const PixelRect out{rect.left + S(ring), rect.top + S(ring), rect.right - S(ring),
                            rect.bottom - S(ring)};
        const std::int32_t k = S(ring + 1) - S(ring);
        const vp::Color topLeft = graphics_.getSysColor(raised ? r.raisedTopLeft : r.sunkenTopLeft);
        const vp::Color bottomRight =
            graphics_.getSysColor(raised ? r.raisedBottomRight : r.sunkenBottomRight);
        FillColorRect({out.left, out.top, out.right - k, out.top + k}, topLeft, *hdc_);
        FillColorRect({out.left, out.top, out.left + k, out.bottom - k}, topLeft, *hdc_);
        FillColorRect({out.left, out.bottom - k, out.right, out.bottom}, bottomRight, *hdc_);
        FillColorRect({out.right - k, out.top, out.right, out.bottom}, bottomRight, *hdc_);
    }
}

void XP_ProgressBar::DrawHighContrast() {
    const vp::Color window = graphics_.getSysColor(gdi::ColorWindow);
    const vp::Color windowText = graphics_.getSysColor(gdi::ColorWindowText);
    const vp::Color highlight = graphics_.getSysColor(gdi::ColorHighlight);
    const vp::Color highlightText = graphics_.getSysColor(gdi::ColorHighlightText);
    FillColorRect(rcClient_, window, *hdc_);
    FrameScaled(rcClient_, windowText);

    // The fill in the highlight colour, which the theme keeps apart from the window's.
    const std::int32_t inset = S(2);
    const PixelRect inner{inset, inset, W() - inset, H() - inset};
    const bool vertical =
        Orientation_ != 0 && Scrolling_ >= scrolling::Chunked && Scrolling_ <= scrolling::Marquee;
    const double fraction = std::clamp(lPercent_, 0, 100) / 100.0;
    rcProgress_ = inner;
    if (vertical) {
        rcProgress_.top = inner.bottom - RoundHalfEven(fraction * (inner.bottom - inner.top));
    } else {
        rcProgress_.right = inner.left + RoundHalfEven(fraction * (inner.right - inner.left));
    }
    FillColorRect(rcProgress_, highlight, *hdc_);
    if (Scrolling_ == scrolling::Chunked) {
        const std::int32_t chunk = S(6);
        const std::int32_t gap = S(2);
        if (vertical) {
            for (std::int32_t y = inner.bottom - chunk; y > rcProgress_.top; y -= chunk + gap) {
                FillColorRect({inner.left, std::max(y - gap, rcProgress_.top), inner.right, y},
                              window, *hdc_);
            }
        } else {
            for (std::int32_t x = inner.left + chunk; x < rcProgress_.right; x += chunk + gap) {
                FillColorRect({x, inner.top, std::min(x + gap, rcProgress_.right), inner.bottom},
                              window, *hdc_);
            }
        }
    }

    if (!ShowText_) {
        return;
    }
    const vp::Font* font = textFont();
    if (font == nullptr) {
        return;
    }
    const std::string text = Scrolling_ == scrolling::Marquee ? "Searching.." : ValueText();
    hdc_->setBkMode(gdi::Transparent);
    CenterCaption(text);
    const PixelRect whole = rcText_;
    if (vertical) {
        const bool overFill = rcProgress_.top <= (whole.top + whole.bottom) / 2;
        hdc_->setTextColor(overFill ? highlightText : windowText);
        hdc_->drawText(text, rcText_, gdi::SingleLine, *font);
        rcText_ = whole;
        return;
    }
    // The text over the window in its text colour, the part over the fill in the highlight's.
    hdc_->setTextColor(windowText);
    hdc_->drawText(text, rcText_, gdi::SingleLine, *font);
    rcText_ = whole;
    if (rcProgress_.right > whole.left) {
        PixelRect overFill = whole;
        overFill.right = std::min(rcProgress_.right, whole.right);
        hdc_->setTextColor(highlightText);
        hdc_->drawText(text, overFill, gdi::SingleLine, *font);
    }
}

} // namespace vp
