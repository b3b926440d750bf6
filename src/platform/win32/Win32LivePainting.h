// Keeps the window drawn and answering while one of its handlers runs long (a cleaning run
// deletes and logs for minutes): the controls tick as they change, and about ten times a
// second the window's batched controls are settled and the system is let in to deliver paint
// messages and messages sent from other programs (a screen reader, a test driver), and a
// screen reader's calls on the accessible objects — never the user's input, which waits in the
// queue until the handler returns. Of those sent messages, the ones that would change a control
// or the window are held until the handler's end (Win32MessageFilter.h); a click posted back
// meanwhile waits the same way, so no other handler runs in the middle of this one.
#pragma once

#include <windows.h>

namespace vp::win32 {

// A control that gathers its changes into batches: between batches it is exactly what the
// program asked for; within one it may owe its selection and its drawing.
class BatchedControl {
public:
    virtual void settle() = 0;

protected:
    ~BatchedControl() = default;
};

class LivePainting {
public:
    // Between two deliveries: often enough to look alive, rarely enough to cost little.
    static constexpr ULONGLONG IntervalMs = 100;

    // A control that opened a batch; it is settled at every delivery and at the end of the
    // handler. forget() before it is destroyed.
    static void enlist(BatchedControl& control);
    static void forget(BatchedControl& control);

    // Called by the controls as they change: cheap, unless a delivery is due.
    static void tick();
    // Settles every open batch now (a handler ended, a modal loop or a message pump follows).
    static void settleAll();

    // True while the system is let in: handlers must not run, their messages are posted
    // back for later.
    static bool holdingHandlers();
    // Posts the message back to `window` when handlers are held; true when it did.
    static bool deferIfHeld(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static void deliver();
};

} // namespace vp::win32
