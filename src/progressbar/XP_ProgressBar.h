// The program's own progress bar control. It draws itself on the site (container) that hosts
// it; the main window moves it by setting Value and shows or hides its site.
#pragma once

#include <cstdint>

namespace vp {

class ControlSite;
class Graphics;

class XP_ProgressBar {
public:
    XP_ProgressBar(ControlSite& site, Graphics& graphics);

    // Value maps onto the stored percentage: lPercent = round(v * 100 / Max + Min).
    // Throws std::overflow_error when v * 100 does not fit 32 bits and std::domain_error when
    // Max is 0; nothing changes then.
    std::int32_t Value() const;
    void setValue(std::int32_t cValue);

    std::int32_t Max() const { return Max_; }
    void setMax(std::int32_t cMax) { Max_ = cMax; }

    // The site's visibility.
    void setVisible(bool visible);
    bool visible() const;

    void DrawProgressBar();

private:
    ControlSite& site_;
    Graphics& graphics_;
    std::int32_t Max_ = 100;
    std::int32_t Min_ = 0;
    std::int32_t lPercent = 0;
};

} // namespace vp
