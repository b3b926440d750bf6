// The themed buttons, the picture, the panels, the check boxes and the category selector.
#include "platform/win32/Win32Controls.h"

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32NarrowText.h"

#include <algorithm>

namespace vp::win32 {

void Win32ThemedButton::draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT box = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool titleButton = spec_.backColor != White;
    const bool contrast = highContrast();
    COLORREF border = ThemeColour;
    COLORREF textColour = titleButton ? White : ThemeDark;
    if (contrast) {
        // The system's button colours, the highlight's while pressed.
        FillRect(dc, &box, GetSysColorBrush(pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        border = GetSysColor(COLOR_BTNTEXT);
        textColour = GetSysColor(pressed ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    } else if (titleButton) {
        const COLORREF back = colourOf(spec_.backColor);
        fillGradient(dc, box, pressed ? ThemeColour : White, pressed ? ThemeDark : back);
    } else {
        fillGradient(dc, box, pressed ? ThemeLight : White, pressed ? ThemeColour : ThemeLight);
    }
    RECT inner = box;
    if (pressed) {
        OffsetRect(&inner, 1, 1);
    }
    drawPicture(dc, picture_, inner, false); // the picture buttons' pictures fill them
    {
        ScopedGdiObject pen(CreatePen(PS_SOLID, 1, border));
        ScopedSelectObject selectPen(dc, pen.get());
        ScopedSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, box.left, box.top, box.right, box.bottom, 5, 5);
    }
    if (picture_ == nullptr) {
        const std::wstring text = windowText(window_);
        ScopedSelectObject selectFont(dc, fontOrDefault());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColour);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    // A caption button shows its focus; the title buttons and the pictures too once the
    // keyboard moves it.
    const bool cue = (!titleButton && picture_ == nullptr) || keyboardCues();
    if ((item.itemState & ODS_FOCUS) != 0 && cue) {
        const int margin = titleButton || picture_ != nullptr ? 2 : 3;
        InflateRect(&inner, -margin, -margin);
        if (contrast) {
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        }
        DrawFocusRect(dc, &inner);
    }
}

void Win32Picture::draw(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, highContrast() ? GetSysColorBrush(COLOR_WINDOW) : background_);
    drawPicture(item.hDC, picture_, item.rcItem, true);
}

void Win32Panel::paint(HDC dc) const {
    RECT box{};
    GetClientRect(window_, &box);
    const bool contrast = highContrast();
    FillRect(dc, &box, contrast ? GetSysColorBrush(COLOR_WINDOW) : background_);
    if (spec_.kind != ControlKind::Frame) {
        return;
    }
    ScopedSelectObject selectFont(dc, fontOrDefault());
    const std::wstring text = windowText(window_);
    SIZE textSize{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &textSize);
    const int line = textSize.cy / 2;
    {
        ScopedGdiObject pen(
            CreatePen(PS_SOLID, 1, contrast ? GetSysColor(COLOR_WINDOWTEXT) : ThemeColour));
        ScopedSelectObject selectPen(dc, pen.get());
        ScopedSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, box.left, box.top + line, box.right, box.bottom, scaledPixels(9, dpi_),
                  scaledPixels(9, dpi_));
    }
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, backColour());
    SetTextColor(dc, contrast ? GetSysColor(COLOR_WINDOWTEXT) : ThemeDark);
    TextOutW(dc, scaledPixels(8, dpi_), 0, text.c_str(), static_cast<int>(text.size()));
}

Win32CheckBox::Win32CheckBox(const ControlSpec& desc, HWND window, int dpi)
    : Win32Control(desc, window, dpi) {
    setValue(desc.value);
}

int Win32CheckBox::value() const {
    return static_cast<int>(SendMessageW(window_, BM_GETCHECK, 0, 0));
}

void Win32CheckBox::setValue(int value) {
    SendMessageW(window_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void Win32CheckBox::clicked() {
    setValue(value() == 1 ? 0 : 1);
    Win32Control::clicked();
}

Win32DropDownList::Win32DropDownList(const ControlSpec& desc, HWND window, int dpi)
    : Win32Control(desc, window, dpi) {
    for (const std::string& choice : desc.choices) {
        const std::wstring wide = widen(choice);
        SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    setCaption(desc.caption);
}

void Win32DropDownList::setCaption(std::string_view text) {
    const auto found = std::find(spec_.choices.begin(), spec_.choices.end(), text);
    const auto index = found == spec_.choices.end() ? -1 : found - spec_.choices.begin();
    SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32DropDownList::caption() const {
    const auto index = SendMessageW(window_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return {};
    }
    const auto length = SendMessageW(window_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    const auto copied = SendMessageW(window_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return narrowUtf8(text);
}

} // namespace vp::win32
