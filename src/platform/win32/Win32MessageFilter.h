// A run nobody else can change. While one of the window's handlers runs (a cleaning run, with
// the window kept drawn and answering, see Win32LivePainting.h), other programs' messages are
// delivered in the middle of it. Those that only ask (a caption, a count, a line, a check
// state, a selection, an accessibility object) are answered at once; those that would change
// a control or the window (BM_SETCHECK, BM_CLICK, LB_ADDSTRING, WM_SETTEXT, CB_SETCURSEL,
// WM_CLOSE, keys and clicks…) are held, with a copy of the text they carry, answered at once
// as a success that promises nothing about indices (0; TRUE for WM_SETTEXT), and handled in
// the order they came once the handler has ended: the window ends as if their senders had
// waited. The few that carry other data (tab stops) are refused, with the answer of a failed
// call. The program's own messages, sent from its own thread, are never held.
#pragma once

#include <windows.h>

namespace vp::win32 {

class MessageFilter {
public:
    // Puts the filter in front of `window`'s own procedure.
    static void install(HWND window);

    // While one lives, a handler runs: messages that would change something are held. The
    // last one to end has the held messages handled.
    class HandlerScope {
    public:
        HandlerScope();
        ~HandlerScope();
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;
    };
    static bool handlerRunning();
};

} // namespace vp::win32
