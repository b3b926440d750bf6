// The program's own progress bar control: a percentage shown as a bar in one of ten drawing
// styles, optionally with the percentage as centred text. It lives in a site (its container),
// draws every repaint into an off-screen surface and copies that to the site in one block.
#pragma once

#include "platform/Graphics.h"
#include "platform/PropertyBag.h"
#include "platform/Windowing.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vp {

// Values of Scrolling: the drawing styles.
namespace scrolling {
constexpr std::int32_t Chunked = 0;    // grey rounded frame, 6-pixel chunks, 2-pixel gaps
constexpr std::int32_t Continuous = 1; // the same, filled continuously (also every unlisted value)
constexpr std::int32_t Marquee = 2;    // the same frame, three blocks placed by the percentage
constexpr std::int32_t Flat = 3;
constexpr std::int32_t Etched = 4;
constexpr std::int32_t Track = 5;
constexpr std::int32_t Dark = 6;
constexpr std::int32_t Hatched = 7;
constexpr std::int32_t Picture = 8;
constexpr std::int32_t Glossy = 9;
// The styles are 0 to Count - 1; tools and tests go through them all with it.
constexpr std::int32_t Count = Glossy + 1;
} // namespace scrolling

class XP_ProgressBar final : public HostedControl {
public:
    // The control does nothing until the site hosts it (ControlSite::host).
    XP_ProgressBar(ControlSite& site, Graphics& graphics);
    // Leaves the site (Terminate) and frees the surface.
    ~XP_ProgressBar() override;
    XP_ProgressBar(const XP_ProgressBar&) = delete;
    XP_ProgressBar& operator=(const XP_ProgressBar&) = delete;

    // --- Properties ---
    // Setters marked "signals" tell the site (propertyChanged with the property's name);
    // "repaints" means DrawProgressBar runs before the setter returns. No setter checks ranges.
    // An arithmetic error (std::overflow_error, std::domain_error for a division by zero)
    // reaches the caller and leaves the property as it was.

    // Hatch index of the Hatched style (HS_*); write-only. Signals.
    void setBrushStyle(std::int32_t Style);
    // The base colour, always plain RGB: a system-colour code is translated when assigned.
    // Repaints; does not signal.
    vp::Color Color() const { return colour_; }
    void setColor(vp::Color lColor);
    // Font of the percentage text; shows at the next repaint. Neither repaints nor signals.
    const FontSpec& Font() const { return Font_; }
    void setFont(FontSpec fnt) { Font_ = std::move(fnt); }
    // The window whose site is painted.
    std::uintptr_t hwnd() const { return hwnd_; }
    void setHwnd(std::uintptr_t chWnd) { hwnd_ = chWnd; }
    // The drawing context: the off-screen surface, or the site's own context when no surface
    // can be made. The setter ignores its argument: it makes sure a surface of at least the
    // site's size exists and takes it.
    DeviceContext& hdc() const { return *hdc_; }
    void setHdc(DeviceContext* cHdc = nullptr);
    // Picture tiled by the Picture style; nullptr for none. Signals; repaints.
    const std::shared_ptr<const Bitmap>& Image() const { return Image_; }
    void setImage(std::shared_ptr<const Bitmap> handle);
    // Limits of Value. Signal; do not repaint, nor rescale the stored percentage.
    std::int32_t Min() const { return Min_; }
    void setMin(std::int32_t cMin);
    std::int32_t Max() const { return Max_; }
    void setMax(std::int32_t cMax);
    // 0 horizontal, anything else vertical (styles 0 to 2 only). Signals; repaints.
    std::int32_t Orientation() const { return Orientation_; }
    void setOrientation(std::int32_t cOrientation);
    // The drawing style (namespace scrolling). Signals; repaints.
    std::int32_t Scrolling() const { return Scrolling_; }
    void setScrolling(std::int32_t lScrolling);
    // Draw the percentage as text. Signals; repaints.
    bool ShowText() const { return ShowText_; }
    void setShowText(bool bShowText);
    // The stored percentage is (v - Min) * 100 / (Max - Min), rounded half to even; reading
    // maps it back. (v - Min) * 100 must fit 32 bits (else std::overflow_error), Max must
    // differ from Min (else std::domain_error). Repaints; does not signal. Reading gives Min
    // when Max equals Min.
    std::int32_t Value() const;
    void setValue(std::int32_t cValue);

    // The site's visibility (shown and hidden by the main window).
    void setVisible(bool visible) { site_.setVisible(visible); }
    bool visible() const { return site_.visible(); }

    // --- Methods ---
    // The whole repaint: background, bar, text, then the copy to the site, which is told the
    // value shown (ValueText). With a high-contrast theme on, every style takes one plain look
    // in the system's colours.
    void DrawProgressBar();
    // What the bar shows as its value: the percentage, "45 %".
    std::string ValueText() const;
    // A one-pixel line in TranslateColor(Color) from (X, Y) to the end point (Width, Height),
    // the end point left out.
    void DrawLine(std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height,
                  DeviceContext& cHdc, vp::Color Color);
    // Lines 0 to N (N = X2 if bH, else Y2) shading from lEndColor to lStartcolor: columns X + i
    // from row Y to Y2 when bH, else rows Y + i from column X to X2. Both colours are translated
    // in the caller's variables. Channel steps are single precision; N = 0 draws line 0 alone.
    void DrawGradient(vp::Color& lEndColor, vp::Color& lStartcolor, std::int32_t X, std::int32_t Y,
                      std::int32_t X2, std::int32_t Y2, DeviceContext& hdc, bool bH);
    // Copies the surface's block at (xSrc, ySrc) to (xDst, yDst) of hdc; a width or height
    // that is not above 0 means the surface's. Nothing without a surface.
    void pDraw(DeviceContext& hdc, std::int32_t xSrc = 0, std::int32_t ySrc = 0,
               std::int32_t WidthSrc = 0, std::int32_t HeightSrc = 0, std::int32_t xDst = 0,
               std::int32_t yDst = 0);

    // --- Notices from the site ---
    void Initialize() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) override;
    void Paint() override { DrawProgressBar(); }
    void Resize() override { setHdc(); }
    void Terminate() override { ReleaseSurface(); }

    // --- Working state, as the last repaint left it ---
    std::int32_t lPercent() const { return lPercent_; }
    const PixelRect& rcProgress() const { return rcProgress_; }
    const PixelRect& rcText() const { return rcText_; }
    bool bSurface() const { return bSurface_; }
    int surfaceWidth() const { return surface_.width; }
    int surfaceHeight() const { return surface_.height; }
    // The surface's context; nullptr when there is none.
    DeviceContext* EnsureSurface(std::int32_t width, std::int32_t height);

private:
    struct Surface {
        std::unique_ptr<MemoryContext> context;
        std::unique_ptr<Bitmap> bitmap;
        bool bitmapSelected = false;
        int width = 0;
        int height = 0;
    };

    template <class T> void assignAndRepaint(T& member, T value);

    // Colours and rectangles.
    vp::Color translate(vp::Color color) const;
    vp::Color blend(vp::Color first, vp::Color second, std::int32_t alpha) const;
    void FillColorRect(const PixelRect& rect, vp::Color color, DeviceContext& dc);
    void FrameColorRect(const PixelRect& rect, vp::Color color, DeviceContext& dc);
    void gradient(vp::Color endColor, vp::Color startColor, std::int32_t X, std::int32_t Y,
                  std::int32_t X2, std::int32_t Y2, bool bH);

    // The surface.
    void CreateSurface(std::int32_t width, std::int32_t height);
    void ReleaseSurface();

    // Styles 0 to 2.
    void LayoutBar();
    void FillBar();
    void DrawChunkGaps();
    void DrawBarFrame();
    // The text.
    void DrawCaption();
    void CenterCaption(const std::string& text);
    void DrawCaptionOverlay(const std::string& text, double px);
    const vp::Font* textFont(); // nullptr when the font cannot be made
    // Styles 3 to 9.
    void DrawStyleFlat();
    void DrawStyleEtched();
    void DrawStyleTrack();
    void DrawStyleDark();
    void DrawStyleHatched();
    void DrawStylePicture();
    void DrawStyleGlossy();

    // The high-contrast look of every style: the system's window, text and highlight colours.
    void DrawHighContrast();

    // The geometry is drawn for 96 dpi; S gives a length or an offset of that design at the
    // site's resolution (itself at 96 dpi). A one-pixel line of the design at offset d becomes
    // the band from S(d) to S(d + 1).
    std::int32_t S(std::int32_t design) const;
    bool scaled() const { return dpi_ != 96; }
    // A frame of the design's one-pixel width, as FrameColorRect draws it.
    void FrameScaled(const PixelRect& rect, vp::Color color);
    // DrawEdge with every side, its two rings as wide as the design's two pixels.
    void EdgeScaled(const PixelRect& rect, unsigned edge);

    int W() const { return rcClient_.right; }
    int H() const { return rcClient_.bottom; }

    ControlSite& site_;
    Graphics& graphics_;

    vp::Color colour_ = 0;
    DeviceContext* hdc_;
    std::uintptr_t hwnd_ = 0;
    std::int32_t Max_ = 100;
    std::int32_t Min_ = 0;
    std::int32_t lPercent_ = 0;
    bool ShowText_ = false;
    std::int32_t Scrolling_ = 0;
    std::int32_t Orientation_ = 0;
    std::int32_t BrushStyle_ = 0;
    std::shared_ptr<const Bitmap> Image_;
    bool bSurface_ = false;
    Surface surface_;
    std::unique_ptr<vp::Font> textFont_;
    FontSpec textFontSpec_;
    int textFontDpi_ = 0;
    int dpi_ = 96; // the site's, as the repaint under way found it
    FontSpec Font_;
    double dFraction_ = 0;
    PixelRect rcClient_;
    PixelRect rcProgress_;
    PixelRect rcGap_;
    PixelRect rcText_;
    std::int32_t lChunk_ = 0;
    std::int32_t lGap_ = 0;
};

} // namespace vp
