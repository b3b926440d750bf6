// The panels' and the site's window procedures, and what every parent does for its children.
#include "platform/win32/Win32WindowClasses.h"

#include "platform/win32/Win32ControlSite.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32LivePainting.h"
#include "platform/win32/Win32MessageFilter.h"

#include <commctrl.h>

namespace vp::win32 {
namespace {

LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (routeFromChild(window, message, wParam, lParam, result)) {
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
    case WM_TIMER:
        if (site != nullptr) {
            site->timer();
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

void registerWindowClasses(WNDPROC mainProcedure) {
    static const bool registered = [mainProcedure] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);

        WNDCLASSEXW main{};
        main.cbSize = sizeof main;
        main.lpfnWndProc = mainProcedure;
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

bool routeFromChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND: {
        Win32Control* control =
            lParam != 0 ? Win32Control::of(reinterpret_cast<HWND>(lParam)) : nullptr;
        if (control != nullptr && HIWORD(wParam) == BN_CLICKED) {
            // A click sent from another program while a handler is running waits for its end,
            // like a click of the user's.
            if (!LivePainting::deferIfHeld(parent, message, wParam, lParam)) {
                const MessageFilter::HandlerScope running;
                control->clicked();
                LivePainting::settleAll();
            }
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

} // namespace vp::win32
