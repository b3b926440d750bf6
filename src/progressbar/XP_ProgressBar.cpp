#include "progressbar/XP_ProgressBar.h"

#include "platform/Windowing.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vp {
namespace {

// Round half to even (the default floating-point rounding mode).
std::int32_t roundHalfEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

} // namespace

XP_ProgressBar::XP_ProgressBar(ControlSite& site, Graphics& graphics)
    : site_(site), graphics_(graphics) {}

std::int32_t XP_ProgressBar::Value() const {
    if (Max_ == 0) {
        return 0;
    }
    const double divisor = Min_ > 0 ? Min_ : 1;
    return roundHalfEven((lPercent / 100.0 * Max_) / divisor);
}

void XP_ProgressBar::setValue(std::int32_t cValue) {
    const std::int64_t scaled = std::int64_t{cValue} * 100;
    if (scaled > std::numeric_limits<std::int32_t>::max() ||
        scaled < std::numeric_limits<std::int32_t>::min()) {
        throw std::overflow_error("Value * 100 does not fit 32 bits");
    }
    if (Max_ == 0) {
        throw std::domain_error("Value set while Max is 0");
    }
    lPercent = roundHalfEven(static_cast<double>(scaled) / Max_ + Min_);
    DrawProgressBar();
}

void XP_ProgressBar::setVisible(bool visible) { site_.setVisible(visible); }

bool XP_ProgressBar::visible() const { return site_.visible(); }

void XP_ProgressBar::DrawProgressBar() {
    if (lPercent > 100) {
        lPercent = 100;
    }
    (void)graphics_;
}

} // namespace vp
