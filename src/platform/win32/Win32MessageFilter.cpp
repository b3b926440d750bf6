// Messages from other threads held while a handler runs, handled in order at its end.
#include "platform/win32/Win32MessageFilter.h"

#include <commctrl.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>

namespace vp::win32 {
namespace {

constexpr UINT_PTR FilterId = 0x5650; // "VP"

// A message held until the handler's end, with its own copy of the text it carries.
struct Held {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::optional<std::wstring> text;
};

// The window lives on one thread; so does this state.
struct State {
    int handlers = 0;
    std::deque<Held> held;
};

State& state() {
    static State instance;
    return instance;
}

// Posted to the main window when a handler ends with messages held.
UINT replayMessage() {
    static const UINT message = RegisterWindowMessageW(L"VexomaPellora.HandleHeldMessages");
    return message;
}

enum class Kind {
    Asks,            // answered at once
    Changes,         // held
    ChangesWithText, // held, with a copy of the text its lParam points at
    Refused,         // carries data that cannot be kept: refused as a failed call
};

Kind kindOf(UINT message) {
    switch (message) {
    case WM_SETTEXT:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SELECTSTRING:
    case LB_DIR:
    case LB_ADDFILE:
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_SELECTSTRING:
    case CB_DIR:
        return Kind::ChangesWithText;
    case LB_SETTABSTOPS:
        return Kind::Refused;
    case WM_CLOSE:
    case WM_SYSCOMMAND:
    case WM_COMMAND:
    case WM_SETFONT:
    case WM_SETICON:
    case WM_SETREDRAW:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
    case BM_SETIMAGE:
    case LB_DELETESTRING:
    case LB_SELITEMRANGEEX:
    case LB_RESETCONTENT:
    case LB_SETSEL:
    case LB_SETCURSEL:
    case LB_SETHORIZONTALEXTENT:
    case LB_SETCOLUMNWIDTH:
    case LB_SETTOPINDEX:
    case LB_SETITEMDATA:
    case LB_SELITEMRANGE:
    case LB_SETANCHORINDEX:
    case LB_SETCARETINDEX:
    case LB_SETITEMHEIGHT:
    case LB_SETLOCALE:
    case LB_SETCOUNT:
    case LB_INITSTORAGE:
    case CB_LIMITTEXT:
    case CB_SETEDITSEL:
    case CB_DELETESTRING:
    case CB_RESETCONTENT:
    case CB_SETCURSEL:
    case CB_SHOWDROPDOWN:
    case CB_SETITEMDATA:
    case CB_SETITEMHEIGHT:
    case CB_SETEXTENDEDUI:
    case CB_SETLOCALE:
    case CB_SETTOPINDEX:
    case CB_SETHORIZONTALEXTENT:
    case CB_SETDROPPEDWIDTH:
    case CB_INITSTORAGE:
        return Kind::Changes;
    default:
        // Mouse buttons and the wheel, sent rather than clicked.
        return message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST ? Kind::Changes : Kind::Asks;
    }
}

// What a failed call answers.
LRESULT failure(UINT message) {
    if (message >= LB_ADDSTRING && message <= LB_MSGMAX) {
        return LB_ERR;
    }
    if (message >= CB_GETEDITSEL && message <= CB_MSGMAX) {
        return CB_ERR;
    }
    return FALSE;
}

bool fromAnotherThread() {
    return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) != 0;
}

// Handles the held messages in the order they came, each as if sent now.
void handleHeld() {
    State& s = state();
    if (s.handlers > 0) {
        return; // the handler's end asks again
    }
    std::deque<Held> held = std::move(s.held);
    s.held.clear();
    for (Held& message : held) {
        if (!IsWindow(message.window)) {
            continue;
        }
        const LPARAM lParam =
            message.text ? reinterpret_cast<LPARAM>(message.text->c_str()) : message.lParam;
        SendMessageW(message.window, message.message, message.wParam, lParam);
    }
}

LRESULT CALLBACK filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                        DWORD_PTR /*unused*/) {
    if (message == replayMessage()) {
        handleHeld();
        return 0;
    }
    State& s = state();
    if (s.handlers > 0) {
        const Kind kind = kindOf(message);
        if (kind != Kind::Asks && fromAnotherThread()) {
            if (kind == Kind::Refused) {
                return failure(message);
            }
            Held held{window, message, wParam, lParam, std::nullopt};
            if (kind == Kind::ChangesWithText) {
                held.text = lParam != 0 ? std::wstring(reinterpret_cast<const wchar_t*>(lParam))
                                        : std::wstring();
            }
            s.held.push_back(std::move(held));
            return message == WM_SETTEXT ? TRUE : 0;
        }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void MessageFilter::install(HWND window) {
    SetWindowSubclass(window, filter, FilterId, 0);
}

MessageFilter::HandlerScope::HandlerScope() {
    ++state().handlers;
}

MessageFilter::HandlerScope::~HandlerScope() {
    State& s = state();
    if (--s.handlers == 0 && !s.held.empty()) {
        // Handled from the message loop, once this handler has returned.
        PostMessageW(GetAncestor(s.held.front().window, GA_ROOT), replayMessage(), 0, 0);
    }
}

bool MessageFilter::handlerRunning() {
    return state().handlers > 0;
}

} // namespace vp::win32
