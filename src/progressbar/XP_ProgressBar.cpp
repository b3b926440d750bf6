// The progress bar's properties, its life in the site and its saved properties.
#include "progressbar/XP_ProgressBar.h"

#include "progressbar/Colors.h"
#include "progressbar/Rounding.h"

#include <limits>
#include <stdexcept>

namespace vp {
namespace {

constexpr Color HighlightCode = 0x80000000U | gdi::ColorHighlight; // 0x8000000D

// The font a new control starts with.
FontSpec DefaultFont() {
    return FontSpec{"MS Sans Serif", 8.25, false, 400};
}

// Entries are taken as the type the reader expects, as a Variant would convert them.
std::int32_t AsLong(const PropertyValue& value, std::string_view name) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number;
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? -1 : 0;
    }
    if (std::holds_alternative<std::monostate>(value)) {
        return 0;
    }
    throw std::invalid_argument("type mismatch: entry " + std::string(name) + " is not a number");
}

bool AsBoolean(const PropertyValue& value, std::string_view name) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    return AsLong(value, name) != 0;
}

std::shared_ptr<const Bitmap> AsPicture(const PropertyValue& value, std::string_view name) {
    if (const auto* picture = std::get_if<std::shared_ptr<const Bitmap>>(&value)) {
        return *picture;
    }
    if (std::holds_alternative<std::monostate>(value)) {
        return nullptr;
    }
    throw std::invalid_argument("type mismatch: entry " + std::string(name) + " is not a picture");
}

} // namespace

XP_ProgressBar::XP_ProgressBar(ControlSite& site, Graphics& graphics)
    : site_(site), graphics_(graphics), hdc_(&site.hDC()), Font_(DefaultFont()) {}

XP_ProgressBar::~XP_ProgressBar() {
    site_.unhost(*this);
    ReleaseSurface();
}

template <class T> void XP_ProgressBar::assignAndRepaint(T& member, T value) {
    T previous = std::move(member);
    member = std::move(value);
    try {
        DrawProgressBar();
    } catch (...) {
        member = std::move(previous);
        throw;
    }
}

void XP_ProgressBar::setBrushStyle(std::int32_t Style) {
    BrushStyle_ = Style;
    site_.propertyChanged("BrushStyle");
}

void XP_ProgressBar::setColor(vp::Color lColor) {
    assignAndRepaint(colour_, translate(lColor));
}

void XP_ProgressBar::setHdc(DeviceContext* /*cHdc*/) {
    if (DeviceContext* surface = EnsureSurface(site_.scaleWidth(), site_.scaleHeight())) {
        hdc_ = surface;
        bSurface_ = true;
    } else {
        hdc_ = &site_.hDC();
    }
}

void XP_ProgressBar::setImage(std::shared_ptr<const Bitmap> handle) {
    site_.propertyChanged("Image");
    assignAndRepaint(Image_, std::move(handle));
}

void XP_ProgressBar::setMin(std::int32_t cMin) {
    Min_ = cMin;
    site_.propertyChanged("Min");
}

void XP_ProgressBar::setMax(std::int32_t cMax) {
    Max_ = cMax;
    site_.propertyChanged("Max");
}

void XP_ProgressBar::setOrientation(std::int32_t cOrientation) {
    site_.propertyChanged("Orientation");
    assignAndRepaint(Orientation_, cOrientation);
}

void XP_ProgressBar::setScrolling(std::int32_t lScrolling) {
    site_.propertyChanged("Scrolling");
    assignAndRepaint(Scrolling_, lScrolling);
}

void XP_ProgressBar::setShowText(bool bShowText) {
    site_.propertyChanged("ShowText");
    assignAndRepaint(ShowText_, bShowText);
}

std::int32_t XP_ProgressBar::Value() const {
    const double range = static_cast<double>(Max_) - Min_;
    return RoundHalfEven(lPercent_ / 100.0 * range + Min_);
}

void XP_ProgressBar::setValue(std::int32_t cValue) {
    // Measured from Min, so that reading gives back what was set; with Min 0 this is
    // round(v * 100 / Max).
    const std::int64_t offset = static_cast<std::int64_t>(cValue) - Min_;
    if (offset < std::numeric_limits<std::int32_t>::min() ||
        offset > std::numeric_limits<std::int32_t>::max()) {
        throw std::overflow_error("overflow: Value - Min does not fit 32 bits");
    }
    const std::int32_t hundredfold = CheckedMultiply(offset, 100);
    const std::int64_t range = static_cast<std::int64_t>(Max_) - Min_;
    if (range == 0) {
        throw std::domain_error("division by zero: Value set while Max equals Min");
    }
    assignAndRepaint(lPercent_,
                     RoundHalfEven(static_cast<double>(hundredfold) / static_cast<double>(range)));
}

void XP_ProgressBar::Initialize() {
    Font_ = DefaultFont();
    setHdc(&site_.hDC());
    setHwnd(site_.hWnd());
    Max_ = 100;
    Min_ = 0;
    lPercent_ = 0;
    Orientation_ = 0;
    Scrolling_ = 0;
    colour_ = translate(HighlightCode);
    DrawProgressBar();
}

void XP_ProgressBar::ReadProperties(const PropertyBag& bag) {
    // The saved font comes back too: it is written with the others, and a control that lost
    // it on every load would not keep the look it was given.
    if (const auto saved = bag.ReadProperty("Font", std::monostate{});
        const auto* font = std::get_if<FontSpec>(&saved)) {
        Font_ = *font;
    }
    BrushStyle_ = AsLong(bag.ReadProperty("BrushStyle", 4), "BrushStyle");
    setColor(static_cast<vp::Color>(
        AsLong(bag.ReadProperty("Color", static_cast<std::int32_t>(HighlightCode)), "Color")));
    Image_ = AsPicture(bag.ReadProperty("Image", std::monostate{}), "Image");
    setMax(AsLong(bag.ReadProperty("Max", 100), "Max"));
    setMin(AsLong(bag.ReadProperty("Min", 0), "Min"));
    setOrientation(AsLong(bag.ReadProperty("Orientation", 0), "Orientation"));
    setScrolling(AsLong(bag.ReadProperty("Scrolling", 0), "Scrolling"));
    setShowText(AsBoolean(bag.ReadProperty("ShowText", false), "ShowText"));
    // "Value" holds the stored percentage itself, so it is restored as such: passed through the
    // Value setter it would come back rescaled whenever Max is not 100 or Min not 0.
    assignAndRepaint(lPercent_, AsLong(bag.ReadProperty("Value", 0), "Value"));
}

void XP_ProgressBar::WriteProperties(PropertyBag& bag) {
    bag.WriteProperty("Font", Font_, std::monostate{});
    bag.WriteProperty("BrushStyle", BrushStyle_, 4);
    bag.WriteProperty("Color", static_cast<std::int32_t>(colour_),
                      static_cast<std::int32_t>(HighlightCode));
    bag.WriteProperty("Image", Image_ ? PropertyValue(Image_) : PropertyValue(std::monostate{}),
                      std::monostate{});
    bag.WriteProperty("Max", Max_, 100);
    bag.WriteProperty("Min", Min_, 0);
    bag.WriteProperty("Orientation", Orientation_, 0);
    bag.WriteProperty("Scrolling", Scrolling_, 0);
    bag.WriteProperty("ShowText", ShowText_, false);
    bag.WriteProperty("Value", lPercent_, 0);
}

} // namespace vp
