// The native main window on user32, comctl32 and comdlg32: it creates the controls, routes
// their clicks, and runs the modal dialogs. No cleaning logic here: the window draws, reports
// clicks and presses to the handlers Form1 gave it, and answers the standard messages.
#include "platform/win32/Win32Windowing.h"

#include "platform/win32/Win32ControlSite.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32ListBox.h"
#include "platform/win32/Win32LivePainting.h"
#include "platform/win32/Win32MessageFilter.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32WindowClasses.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <type_traits>
#include <vector>

namespace vp::win32 {
namespace {

// Child window ids follow the order in which the controls are created, from this one on.
constexpr int FirstControlId = 1000;

constexpr int WaitPointer = 11;

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Win32MainWindow final : public MainWindow {
public:
    explicit Win32MainWindow(const WindowSpec& desc)
        : // Screen readers' calls on the accessible objects come through COM, into this
          // thread's apartment.
          com_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))), spec_(desc),
          dpi_((declarePerMonitorDpiAware(), screenDpi())),
          background_(loadPicture(desc.picture, dpi_)), backColour_(colourOf(desc.backColor)) {
        registerWindowClasses(mainProc);
        const SIZE outer = outerSize();
        const int x = (GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2;
        window_ = CreateWindowExW(ExStyle, MainClass, widen(desc.caption).c_str(), Style, x, y,
                                  outer.cx, outer.cy, nullptr, nullptr, instance(), this);
        // The monitor the window opened on may have another resolution than the system's.
        if (const int dpi = dpiOfWindow(window_); dpi != dpi_) {
            dpi_ = dpi;
            reloadBackground();
            const SIZE resized = outerSize();
            SetWindowPos(window_, nullptr, x - (resized.cx - outer.cx) / 2,
                         y - (resized.cy - outer.cy) / 2, resized.cx, resized.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        MessageFilter::install(window_);
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
        if (com_) {
            CoUninitialize();
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
        LivePainting::settleAll();
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
        const PixelRect client = clientRect();
        const bool wholeClient = bounds.left == client.left && bounds.top == client.top &&
                                 bounds.right == client.right && bounds.bottom == client.bottom;
        region_ = Region{true, bounds, ellipseWidth, ellipseHeight, dpi_, wholeClient};
        applyRegion();
    }
    void beginDrag() override {
        ReleaseCapture();
        SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    void minimize() override { ShowWindow(window_, SW_MINIMIZE); }
    void close() override { DestroyWindow(window_); }

    int messageBox(std::string_view text, int style, std::string_view title) override {
        LivePainting::settleAll(); // its modal loop answers every reader
        return MessageBoxW(IsWindow(window_) ? window_ : nullptr, widen(text).c_str(),
                           widen(title).c_str(), static_cast<UINT>(style));
    }

    std::optional<std::string> showSaveDialog(std::string_view filter) override {
        LivePainting::settleAll(); // its modal loop answers every reader
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
        if (routeFromChild(window_, message, wParam, lParam, result)) {
            return result;
        }
        switch (message) {
        case WM_CLOSE:
        case WM_SYSCOMMAND:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // Sent from another program while a handler runs: they wait for its end.
            if (LivePainting::deferIfHeld(window_, message, wParam, lParam)) {
                return 0;
            }
            break;
        default:
            break;
        }
        switch (message) {
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT box{};
            GetClientRect(window_, &box);
            if (highContrast()) {
                // The theme's window colour, without the art's fixed colours.
                FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
                return TRUE;
            }
            ScopedGdiObject brush(CreateSolidBrush(backColour_));
            FillRect(dc, &box, static_cast<HBRUSH>(brush.get()));
            drawPicture(dc, background_, box, true);
            return TRUE;
        }
        case WM_DPICHANGED:
            rescale(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED:
            // A high-contrast theme turned on or off: everything drawn again in its colours.
            RedrawWindow(window_, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            break;
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
    // No title bar and no border, but a task-bar button that minimises and restores.
    static constexpr DWORD Style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr DWORD ExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

    // The round corners as the program asked for them, at the resolution it asked at.
    struct Region {
        bool set = false;
        PixelRect bounds;
        int ellipseWidth = 0;
        int ellipseHeight = 0;
        int dpi = 96;
        bool wholeClient = false;
    };

    // The window's size with its client area of the layout's twips at the current resolution.
    SIZE outerSize() const {
        RECT frame{0, 0, toPixels(spec_.clientWidthTwips, dpi_),
                   toPixels(spec_.clientHeightTwips, dpi_)};
        AdjustWindowRectEx(&frame, Style, FALSE, ExStyle);
        return {frame.right - frame.left, frame.bottom - frame.top};
    }

    void reloadBackground() {
        if (background_ != nullptr) {
            DeleteObject(background_);
        }
        background_ = loadPicture(spec_.picture, dpi_);
    }

    // The corner ellipse is in pixels at 96 dpi; bounds that were the client area stay it.
    void applyRegion() {
        if (!region_.set) {
            return;
        }
        PixelRect bounds = clientRect();
        if (!region_.wholeClient) {
            const int from = region_.dpi;
            bounds = {MulDiv(region_.bounds.left, dpi_, from),
                      MulDiv(region_.bounds.top, dpi_, from),
                      MulDiv(region_.bounds.right, dpi_, from),
                      MulDiv(region_.bounds.bottom, dpi_, from)};
        }
        HRGN region = CreateRoundRectRgn(bounds.left, bounds.top, bounds.right, bounds.bottom,
                                         scaledPixels(region_.ellipseWidth, dpi_),
                                         scaledPixels(region_.ellipseHeight, dpi_));
        if (SetWindowRgn(window_, region, TRUE) == 0) {
            DeleteObject(region); // the window took no ownership
        }
    }

    // WM_DPICHANGED: the window moved to a monitor of another resolution. Where the system
    // suggests it goes, at the size the layout's twips give there, with every control laid
    // out, its fonts and its pictures made again.
    void rescale(int dpi, const RECT& suggested) {
        if (dpi <= 0) {
            return;
        }
        dpi_ = dpi;
        reloadBackground();
        const SIZE outer = outerSize();
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        for (const auto& control : controls_) {
            control->rescale(dpi);
        }
        applyRegion();
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }

    LRESULT mouseDown(int button, WPARAM keys, LPARAM position) {
        if (onMouseDown_) {
            const int shift = ((keys & MK_SHIFT) != 0 ? 1 : 0) |
                              ((keys & MK_CONTROL) != 0 ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0);
            const int x = MulDiv(static_cast<short>(LOWORD(position)), 1440, dpi_);
            const int y = MulDiv(static_cast<short>(HIWORD(position)), 1440, dpi_);
            onMouseDown_(button, shift, x, y);
            LivePainting::settleAll();
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
        const RECT at = Win32Control::placement(desc, dpi_);
        const int id = FirstControlId + static_cast<int>(controls_.size());
        const DWORD style =
            WS_CHILD | WS_CLIPSIBLINGS | native.style | (desc.visible ? WS_VISIBLE : 0);
        const bool hasText = desc.kind != ControlKind::DropDownList;
        HWND child = CreateWindowExW(
            native.exStyle, native.windowClass, hasText ? widen(desc.caption).c_str() : L"", style,
            at.left, at.top, at.right - at.left, at.bottom - at.top, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
        MessageFilter::install(child);
        std::unique_ptr<Win32Control> control;
        switch (desc.kind) {
        case ControlKind::ExternalButton:
        case ControlKind::PictureButton:
            control = std::make_unique<Win32ThemedButton>(desc, child, dpi_);
            break;
        case ControlKind::Frame:
        case ControlKind::PictureBox:
            control = std::make_unique<Win32Panel>(desc, child, dpi_);
            break;
        case ControlKind::Picture:
            control = std::make_unique<Win32Picture>(desc, child, dpi_);
            break;
        case ControlKind::DropDownList:
            control = std::make_unique<Win32DropDownList>(desc, child, dpi_);
            break;
        default:
            if constexpr (std::is_same_v<Made, Win32Control>) {
                control = std::make_unique<Win32Control>(desc, child, dpi_);
            } else {
                control = std::make_unique<Made>(desc, child, dpi_);
            }
            break;
        }
        placeInFocusOrder(child, parent, desc.tabIndex);
        addTooltip(child, parent, desc.tooltip);
        controls_.push_back(std::move(control));
        return dynamic_cast<Made&>(*controls_.back());
    }

    // Tab follows the order of the siblings: a control comes after the sibling before it in
    // the layout's focus order, whatever the order they were made in.
    void placeInFocusOrder(HWND child, HWND parent, int tabIndex) const {
        if (tabIndex < 0) {
            return;
        }
        HWND before = nullptr;
        int beforeIndex = -1;
        bool anyAfter = false;
        for (const auto& control : controls_) {
            const int other = control->design().tabIndex;
            if (GetParent(control->window()) != parent || other < 0) {
                continue;
            }
            if (other < tabIndex && other > beforeIndex) {
                before = control->window();
                beforeIndex = other;
            }
            anyAfter = anyAfter || other > tabIndex;
        }
        if (anyAfter) {
            SetWindowPos(child, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
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

    bool com_;
    WindowSpec spec_;
    int dpi_;
    HBITMAP background_;
    Region region_;
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
