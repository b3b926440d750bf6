// The native window on user32, gdi32, comctl32 and comdlg32. No cleaning logic here: the
// window draws, reports clicks and presses to the handlers Form1 gave it, and answers the
// standard control messages.
#include "platform/win32/Win32Windowing.h"

#include "platform/ControlHosting.h"
#include "platform/win32/Win32Graphics.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cwchar>
#include <string>
#include <type_traits>
#include <vector>

namespace vp::win32 {
namespace {

constexpr wchar_t MainClass[] = L"VexomaPelloraWindow";
constexpr wchar_t PanelClass[] = L"VexomaPelloraPanel";
constexpr wchar_t SiteClass[] = L"VexomaPelloraSite";

// Child window ids follow the order in which the controls are created, from this one on.
constexpr int FirstControlId = 1000;

// The theme of the buttons and frames, as COLORREF (0x00BBGGRR, like the layout's colours).
constexpr COLORREF ThemeColour = 0xE39E71;
constexpr COLORREF ThemeDark = 0xC56A31;
constexpr COLORREF ThemeLight = 0xFBEEE4;
constexpr COLORREF White = 0xFFFFFF;

constexpr int WaitPointer = 11;

HINSTANCE instance() {
    return GetModuleHandleW(nullptr);
}

template <typename Handle> Handle handleOf(std::uintptr_t value) {
    return reinterpret_cast<Handle>(value);
}

// --- One small owner per GDI handle kind ---

class ScopedGdiObject {
public:
    explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {}
    ~ScopedGdiObject() {
        if (object_ != nullptr) {
            DeleteObject(object_);
        }
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    HGDIOBJ get() const { return object_; }

private:
    HGDIOBJ object_;
};

class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { SelectObject(dc_, previous_); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemoryDC() { DeleteDC(dc_); }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// --- Units, colours, fonts, pictures ---

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// Twips to pixels at the screen's resolution, to the nearest pixel.
int toPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

COLORREF colourOf(std::uint32_t colour) {
    if ((colour & 0x80000000U) != 0) { // a system colour code
        return GetSysColor(static_cast<int>(colour & 0xFFU));
    }
    return colour & 0xFFFFFFU;
}

HFONT makeFont(const FontSpec& desc, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(desc.points * dpi / 72.0));
    font.lfWeight = desc.bold ? std::max(desc.weight, 700) : desc.weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = widen(desc.face);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

std::wstring resourceName(std::string_view picture) {
    std::wstring name;
    for (const char c : picture) {
        name += c == '-' ? L'_' : static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

HBITMAP loadPicture(std::string_view picture) {
    if (picture.empty()) {
        return nullptr;
    }
    const std::wstring name = resourceName(picture);
    return static_cast<HBITMAP>(
        LoadImageW(instance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

SIZE pictureSize(HBITMAP picture) {
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// Draws the picture into `box`: stretched when `stretch`, else centred at its own size.
void drawPicture(HDC dc, HBITMAP picture, const RECT& box, bool stretch) {
    if (picture == nullptr) {
        return;
    }
    const SIZE size = pictureSize(picture);
    ScopedMemoryDC memory(dc);
    ScopedSelectObject select(memory.get(), picture);
    if (stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, memory.get(),
                   0, 0, size.cx, size.cy, SRCCOPY);
    } else {
        BitBlt(dc, box.left + (box.right - box.left - size.cx) / 2,
               box.top + (box.bottom - box.top - size.cy) / 2, size.cx, size.cy, memory.get(), 0, 0,
               SRCCOPY);
    }
}

// A top-to-bottom blend from `top` to `bottom`, one line per row.
void fillGradient(HDC dc, const RECT& box, COLORREF top, COLORREF bottom) {
    const int height = std::max(1, static_cast<int>(box.bottom - box.top));
    for (int row = 0; row < height; ++row) {
        const auto blend = [&](int shift) {
            const int a = static_cast<int>((top >> shift) & 0xFF);
            const int b = static_cast<int>((bottom >> shift) & 0xFF);
            return static_cast<COLORREF>(a + (b - a) * row / height) << shift;
        };
        const RECT line{box.left, box.top + row, box.right, box.top + row + 1};
        ScopedGdiObject brush(CreateSolidBrush(blend(0) | blend(8) | blend(16)));
        FillRect(dc, &line, static_cast<HBRUSH>(brush.get()));
    }
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// --- Controls ---

class Win32Control : public virtual Control {
public:
    Win32Control(const ControlSpec& desc, HWND window, HFONT font)
        : spec_(desc), window_(window), font_(font), picture_(loadPicture(desc.picture)),
          background_(CreateSolidBrush(colourOf(desc.backColor))) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SendMessageW(
            window_, WM_SETFONT,
            reinterpret_cast<WPARAM>(font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT)),
            FALSE);
    }
    ~Win32Control() override {
        if (IsWindow(window_)) {
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        }
        for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(picture_),
                               static_cast<HGDIOBJ>(background_)}) {
            if (object != nullptr) {
                DeleteObject(object);
            }
        }
    }
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    static Win32Control* of(HWND window) {
        return reinterpret_cast<Win32Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }

    const std::string& name() const override { return spec_.name; }
    void setVisible(bool visible) override {
        // A control shown inside a panel comes in front of its siblings, as the run log
        // covers the picture and the description while a run is under way. Panels themselves
        // keep their place, which is also the window's focus order.
        if (visible && spec_.parent != nullptr) {
            SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    }
    bool visible() const override {
        return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    void setCaption(std::string_view text) override {
        SetWindowTextW(window_, widen(text).c_str());
        InvalidateRect(window_, nullptr, TRUE);
    }
    std::string caption() const override { return narrowUtf8(windowText(window_)); }
    void onClick(std::function<void()> handler) override { onClick_ = std::move(handler); }

    // BN_CLICKED from the control.
    virtual void clicked() {
        if (onClick_) {
            onClick_();
        }
    }
    // WM_DRAWITEM for owner-drawn controls.
    virtual void draw(const DRAWITEMSTRUCT& /*item*/) {}
    // WM_CTLCOLOR* for the control: its colours on `dc`, and the brush of its background.
    HBRUSH colours(HDC dc) const {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, colourOf(spec_.backColor));
        return background_;
    }

    HWND window() const { return window_; }
    HFONT font() const { return font_; }

protected:
    ControlSpec spec_;
    HWND window_;
    HFONT font_;
    HBITMAP picture_;
    HBRUSH background_;
    std::function<void()> onClick_;
};

// The themed push buttons: a caption or a picture on a soft blend, framed in the theme colour.
class Win32ThemedButton final : public Win32Control {
public:
    using Win32Control::Win32Control;

    void draw(const DRAWITEMSTRUCT& item) override {
        HDC dc = item.hDC;
        const RECT box = item.rcItem;
        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        const bool titleButton = spec_.backColor != White;
        if (titleButton) {
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
            ScopedGdiObject pen(CreatePen(PS_SOLID, 1, ThemeColour));
            ScopedSelectObject selectPen(dc, pen.get());
            ScopedSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
            RoundRect(dc, box.left, box.top, box.right, box.bottom, 5, 5);
        }
        if (picture_ != nullptr) {
            return;
        }
        const std::wstring text = windowText(window_);
        ScopedSelectObject selectFont(dc, font_ != nullptr ? static_cast<HGDIOBJ>(font_)
                                                           : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, titleButton ? White : ThemeDark);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if ((item.itemState & ODS_FOCUS) != 0 && !titleButton) {
            InflateRect(&inner, -3, -3);
            DrawFocusRect(dc, &inner);
        }
    }
};

// Image1: a picture stretched over the control.
class Win32Picture final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void draw(const DRAWITEMSTRUCT& item) override {
        FillRect(item.hDC, &item.rcItem, background_);
        drawPicture(item.hDC, picture_, item.rcItem, true);
    }
};

// A frame (caption and theme border) or a plain panel; either holds child controls.
class Win32Panel final : public Win32Control {
public:
    using Win32Control::Win32Control;

    void paint(HDC dc) const {
        RECT box{};
        GetClientRect(window_, &box);
        FillRect(dc, &box, background_);
        if (spec_.kind != ControlKind::Frame) {
            return;
        }
        ScopedSelectObject selectFont(dc, font_ != nullptr ? static_cast<HGDIOBJ>(font_)
                                                           : GetStockObject(DEFAULT_GUI_FONT));
        const std::wstring text = windowText(window_);
        SIZE textSize{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &textSize);
        const int line = textSize.cy / 2;
        {
            ScopedGdiObject pen(CreatePen(PS_SOLID, 1, ThemeColour));
            ScopedSelectObject selectPen(dc, pen.get());
            ScopedSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
            RoundRect(dc, box.left, box.top + line, box.right, box.bottom, 9, 9);
        }
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, colourOf(spec_.backColor));
        SetTextColor(dc, ThemeDark);
        TextOutW(dc, 8, 0, text.c_str(), static_cast<int>(text.size()));
    }
};

class Win32CheckBox final : public Win32Control, public CheckBox {
public:
    using Win32Control::Win32Control;
    int value() const override {
        return static_cast<int>(SendMessageW(window_, BM_GETCHECK, 0, 0));
    }
    void setValue(int value) override {
        SendMessageW(window_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
    // A click turns a checked box off and anything else on, as a user expects; only the
    // program sets the grayed state.
    void clicked() override {
        setValue(value() == 1 ? 0 : 1);
        Win32Control::clicked();
    }
};

class Win32ListBox final : public Win32Control, public ListBox {
public:
    using Win32Control::Win32Control;
    void clear() override { SendMessageW(window_, LB_RESETCONTENT, 0, 0); }
    void addItem(std::string_view text) override {
        const std::wstring wide = widen(text);
        SendMessageW(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    void insertItem(int index, std::string_view text) override {
        const std::wstring wide = widen(text);
        SendMessageW(window_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(wide.c_str()));
    }
    void removeItem(int index) override {
        SendMessageW(window_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
    int listCount() const override {
        return static_cast<int>(SendMessageW(window_, LB_GETCOUNT, 0, 0));
    }
    std::string list(int index) const override {
        if (index < 0 || index >= listCount()) {
            return {};
        }
        const auto length = SendMessageW(window_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length <= 0) {
            return {};
        }
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const auto copied = SendMessageW(window_, LB_GETTEXT, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        return narrowUtf8(text);
    }
    int listIndex() const override {
        const auto index = SendMessageW(window_, LB_GETCURSEL, 0, 0);
        return index == LB_ERR ? -1 : static_cast<int>(index);
    }
    void setListIndex(int index) override {
        SendMessageW(window_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
};

// The category selector: a closed list whose caption is the chosen entry ("" for none).
class Win32DropDownList final : public Win32Control {
public:
    Win32DropDownList(const ControlSpec& desc, HWND window, HFONT font)
        : Win32Control(desc, window, font) {
        for (const std::string& choice : desc.choices) {
            const std::wstring wide = widen(choice);
            SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        }
        setCaption(desc.caption);
    }
    // Exact and case-sensitive: the combo box's own search ignores case.
    void setCaption(std::string_view text) override {
        const auto found = std::find(spec_.choices.begin(), spec_.choices.end(), text);
        const auto index = found == spec_.choices.end() ? -1 : found - spec_.choices.begin();
        SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    std::string caption() const override {
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
};

// The progress bar's site: a window with a device context of its own (CS_OWNDC), so the bar
// can draw on it whenever its value changes, and asks it to paint and resize itself.
class Win32ControlSite final : public Win32Control, public ControlSite {
public:
    Win32ControlSite(const ControlSpec& desc, HWND window, HFONT font)
        : Win32Control(desc, window, font), dc_(BorrowDeviceContext(GetDC(window))) {}
    std::uintptr_t hWnd() const override { return reinterpret_cast<std::uintptr_t>(window_); }
    DeviceContext& hDC() override { return *dc_; }
    int scaleWidth() const override { return clientSize().cx; }
    int scaleHeight() const override { return clientSize().cy; }
    void propertyChanged(std::string_view /*property*/) override {}
    PropertyBag& properties() override { return hosting_.properties(); }
    void host(HostedControl& control) override { hosting_.host(control); }
    void unhost(HostedControl& control) override { hosting_.unhost(control); }

    // WM_PAINT and WM_SIZE of the site's window.
    void paint() const { hosting_.paint(); }
    void resized() const { hosting_.resized(); }

private:
    SIZE clientSize() const {
        RECT box{};
        GetClientRect(window_, &box);
        return {box.right - box.left, box.bottom - box.top};
    }
    std::unique_ptr<DeviceContext> dc_; // over the window's own HDC, which the window keeps
    ControlHosting hosting_;
};

// --- Messages shared by the window and its panels ---

// Clicks, owner drawing and control colours arrive at the parent; both the main window and
// the panels route them to the control that sent them.
bool routeFromChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND: {
        Win32Control* control =
            lParam != 0 ? Win32Control::of(reinterpret_cast<HWND>(lParam)) : nullptr;
        if (control != nullptr && HIWORD(wParam) == BN_CLICKED) {
            control->clicked();
            result = 0;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (Win32Control* control = Win32Control::of(item->hwndItem)) {
            control->draw(*item);
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (Win32Control* control = Win32Control::of(reinterpret_cast<HWND>(lParam))) {
            result = reinterpret_cast<LRESULT>(control->colours(reinterpret_cast<HDC>(wParam)));
            return true;
        }
        return false;
    default:
        return false;
    }
}

LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (routeFromChild(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE; // WM_PAINT covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (auto* panel = dynamic_cast<Win32Panel*>(Win32Control::of(window))) {
            panel->paint(dc);
        }
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK siteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* site = dynamic_cast<Win32ControlSite*>(Win32Control::of(window));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint); // the own DC, clipped to what needs painting
        if (site != nullptr) {
            site->paint();
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SIZE:
        if (site != nullptr) {
            site->resized();
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void registerClasses() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);

        WNDCLASSEXW main{};
        main.cbSize = sizeof main;
        main.lpfnWndProc = mainProc;
        main.hInstance = instance();
        main.hIcon = LoadIconW(instance(), L"APPICON");
        main.hIconSm =
            static_cast<HICON>(LoadImageW(instance(), L"APPICON", IMAGE_ICON, 16, 16, 0));
        main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        main.lpszClassName = MainClass;
        RegisterClassExW(&main);

        WNDCLASSEXW panel = main;
        panel.lpfnWndProc = panelProc;
        panel.hIcon = panel.hIconSm = nullptr;
        panel.lpszClassName = PanelClass;
        RegisterClassExW(&panel);

        WNDCLASSEXW site = panel;
        site.style = CS_OWNDC;
        site.lpfnWndProc = siteProc;
        site.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        site.lpszClassName = SiteClass;
        RegisterClassExW(&site);
        return true;
    }();
    (void)registered;
}

// --- The main window ---

class Win32MainWindow final : public MainWindow {
public:
    explicit Win32MainWindow(const WindowSpec& desc)
        : dpi_(screenDpi()), background_(loadPicture(desc.picture)),
          backColour_(colourOf(desc.backColor)) {
        registerClasses();
        const int width = toPixels(desc.clientWidthTwips, dpi_);
        const int height = toPixels(desc.clientHeightTwips, dpi_);
        // No title bar and no border, but a task-bar button that minimises and restores.
        const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
        const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
        const int outerWidth = frame.right - frame.left;
        const int outerHeight = frame.bottom - frame.top;
        const int x = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
        window_ = CreateWindowExW(exStyle, MainClass, widen(desc.caption).c_str(), style, x, y,
                                  outerWidth, outerHeight, nullptr, nullptr, instance(), this);
        tooltip_ =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance(), nullptr);
    }

    ~Win32MainWindow() override {
        if (IsWindow(window_)) {
            DestroyWindow(window_);
        }
        controls_.clear();
        if (background_ != nullptr) {
            DeleteObject(background_);
        }
    }
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    std::uintptr_t hWnd() const override { return reinterpret_cast<std::uintptr_t>(window_); }
    void setCaption(std::string_view text) override {
        SetWindowTextW(window_, widen(text).c_str());
    }
    std::string caption() const override { return narrowUtf8(windowText(window_)); }

    void setMousePointer(int pointer) override {
        pointer_ = pointer;
        SetCursor(LoadCursorW(nullptr, pointer_ == WaitPointer ? IDC_WAIT : IDC_ARROW));
    }
    int mousePointer() const override { return pointer_; }

    void doEvents() override {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam)); // for the main loop
                return;
            }
            if (!IsDialogMessageW(window_, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }

    PixelRect clientRect() const override {
        RECT box{};
        GetClientRect(window_, &box);
        return {box.left, box.top, box.right, box.bottom};
    }
    void setRoundRectRegion(PixelRect bounds, int ellipseWidth, int ellipseHeight) override {
        HRGN region = CreateRoundRectRgn(bounds.left, bounds.top, bounds.right, bounds.bottom,
                                         ellipseWidth, ellipseHeight);
        if (SetWindowRgn(window_, region, TRUE) == 0) {
            DeleteObject(region); // the window took no ownership
        }
    }
    void beginDrag() override {
        ReleaseCapture();
        SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    void minimize() override { ShowWindow(window_, SW_MINIMIZE); }
    void close() override { DestroyWindow(window_); }

    int messageBox(std::string_view text, int style, std::string_view title) override {
        return MessageBoxW(IsWindow(window_) ? window_ : nullptr, widen(text).c_str(),
                           widen(title).c_str(), static_cast<UINT>(style));
    }

    std::optional<std::string> showSaveDialog(std::string_view filter) override {
        std::wstring filters = widen(filter);
        std::replace(filters.begin(), filters.end(), L'|', L'\0');
        filters.push_back(L'\0');
        std::wstring file(32768, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = window_;
        dialog.lpstrFilter = filters.c_str();
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
        if (!GetSaveFileNameW(&dialog)) {
            return std::nullopt; // cancelled, or the dialog could not open
        }
        file.resize(std::wcslen(file.c_str()));
        return narrowUtf8(file);
    }

    void onMouseDown(std::function<void(int, int, int, int)> handler) override {
        onMouseDown_ = std::move(handler);
    }

    Control& createControl(const ControlSpec& desc) override { return make<Win32Control>(desc); }
    CheckBox& createCheckBox(const ControlSpec& desc) override { return make<Win32CheckBox>(desc); }
    ListBox& createListBox(const ControlSpec& desc) override { return make<Win32ListBox>(desc); }
    ControlSite& createControlSite(const ControlSpec& desc) override {
        return make<Win32ControlSite>(desc);
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
        LRESULT result = 0;
        if (routeFromChild(message, wParam, lParam, result)) {
            return result;
        }
        switch (message) {
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT box{};
            GetClientRect(window_, &box);
            ScopedGdiObject brush(CreateSolidBrush(backColour_));
            FillRect(dc, &box, static_cast<HBRUSH>(brush.get()));
            drawPicture(dc, background_, box, true);
            return TRUE;
        }
        case WM_SETCURSOR:
            if (pointer_ == WaitPointer) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            return mouseDown(1, wParam, lParam);
        case WM_RBUTTONDOWN:
            return mouseDown(2, wParam, lParam);
        case WM_MBUTTONDOWN:
            return mouseDown(4, wParam, lParam);
        case WM_DESTROY:
            PostQuitMessage(0); // the only window: the program ends with it
            return 0;
        default:
            break;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    }

    void attach(HWND window) { window_ = window; }

private:
    LRESULT mouseDown(int button, WPARAM keys, LPARAM position) {
        if (onMouseDown_) {
            const int shift = ((keys & MK_SHIFT) != 0 ? 1 : 0) |
                              ((keys & MK_CONTROL) != 0 ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0);
            const int x = MulDiv(static_cast<short>(LOWORD(position)), 1440, dpi_);
            const int y = MulDiv(static_cast<short>(HIWORD(position)), 1440, dpi_);
            onMouseDown_(button, shift, x, y);
        }
        return 0;
    }

    struct Native {
        const wchar_t* windowClass;
        DWORD style;
        DWORD exStyle;
    };

    static Native nativeOf(const ControlSpec& desc) {
        switch (desc.kind) {
        case ControlKind::ExternalButton:
        case ControlKind::PictureButton:
            return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0};
        case ControlKind::CommandButton:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_3STATE | WS_TABSTOP, 0};
        case ControlKind::Frame:
        case ControlKind::PictureBox:
            return {PanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::Picture:
            return {L"STATIC", SS_OWNERDRAW, 0};
        case ControlKind::ListBox:
        case ControlKind::DirListBox:
        case ControlKind::FileListBox:
            return {L"LISTBOX",
                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::ProgressBar:
            return {SiteClass, 0, 0};
        case ControlKind::DropDownList:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        }
        return {L"STATIC", 0, 0};
    }

    template <typename Made> Made& make(const ControlSpec& desc) {
        const Native native = nativeOf(desc);
        HWND parent = window_;
        if (desc.parent != nullptr) {
            parent = dynamic_cast<Win32Control&>(*desc.parent).window();
        }
        int height = toPixels(desc.rect.height, dpi_);
        if (desc.kind == ControlKind::DropDownList) {
            height *= static_cast<int>(desc.choices.size()) + 2; // room for the open list
        }
        const int id = FirstControlId + static_cast<int>(controls_.size());
        const DWORD style =
            WS_CHILD | WS_CLIPSIBLINGS | native.style | (desc.visible ? WS_VISIBLE : 0);
        const bool hasText = desc.kind != ControlKind::DropDownList;
        HWND child = CreateWindowExW(
            native.exStyle, native.windowClass, hasText ? widen(desc.caption).c_str() : L"", style,
            toPixels(desc.rect.left, dpi_), toPixels(desc.rect.top, dpi_),
            toPixels(desc.rect.width, dpi_), height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
        HFONT font = desc.font ? makeFont(*desc.font, dpi_) : nullptr;
        std::unique_ptr<Win32Control> control;
        switch (desc.kind) {
        case ControlKind::ExternalButton:
        case ControlKind::PictureButton:
            control = std::make_unique<Win32ThemedButton>(desc, child, font);
            break;
        case ControlKind::Frame:
        case ControlKind::PictureBox:
            control = std::make_unique<Win32Panel>(desc, child, font);
            break;
        case ControlKind::Picture:
            control = std::make_unique<Win32Picture>(desc, child, font);
            break;
        case ControlKind::DropDownList:
            control = std::make_unique<Win32DropDownList>(desc, child, font);
            break;
        default:
            if constexpr (std::is_same_v<Made, Win32Control>) {
                control = std::make_unique<Win32Control>(desc, child, font);
            } else {
                control = std::make_unique<Made>(desc, child, font);
            }
            break;
        }
        if constexpr (std::is_same_v<Made, Win32CheckBox>) {
            static_cast<Win32CheckBox&>(*control).setValue(desc.value);
        }
        addTooltip(child, parent, desc.tooltip);
        controls_.push_back(std::move(control));
        return dynamic_cast<Made&>(*controls_.back());
    }

    void addTooltip(HWND child, HWND parent, const std::string& text) {
        if (text.empty() || tooltip_ == nullptr) {
            return;
        }
        tooltipTexts_.push_back(widen(text));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(child);
        tool.lpszText = tooltipTexts_.back().data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    int dpi_;
    HBITMAP background_;
    COLORREF backColour_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    int pointer_ = 0;
    std::function<void(int, int, int, int)> onMouseDown_;
    std::vector<std::unique_ptr<Win32Control>> controls_;
    std::vector<std::wstring> tooltipTexts_; // a list never moves its strings' characters
};

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Win32MainWindow*>(created->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->attach(window);
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return self->handle(message, wParam, lParam);
}

} // namespace

std::unique_ptr<MainWindow> Win32Windowing::createMainWindow(const WindowSpec& desc) {
    return std::make_unique<Win32MainWindow>(desc);
}

} // namespace vp::win32
