// Paint and sent messages delivered during a long handler, on the window's own thread.
#include "platform/win32/Win32LivePainting.h"

#include <algorithm>
#include <vector>

namespace vp::win32 {
namespace {

// The window lives on one thread; so does this state.
struct State {
    std::vector<BatchedControl*> open;
    ULONGLONG lastDelivery = 0;
    bool delivering = false;
};

State& state() {
    static State instance;
    return instance;
}

// How long one delivery may keep answering a reader that asks question after question
// (each cross-process message waits for the next delivery otherwise).
constexpr ULONGLONG AnsweringMs = 20;
// How long to wait for a reader's next question after answering one.
constexpr DWORD NextQuestionMs = 2;
// A bound on the paint messages of one delivery, against a window that never validates.
constexpr int MaxMessages = 1000;

bool sentMessageWaiting() {
    return (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0;
}

// A screen reader's calls on the controls' accessible objects reach this thread as messages
// posted to COM's window of the thread: they only read, so they are answered like sent
// messages. Found once COM has made it.
HWND readerCallWindow() {
    static HWND found = nullptr;
    if (found != nullptr && IsWindow(found)) {
        return found;
    }
    found = nullptr;
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, L"OleMainThreadWndClass", nullptr);
         window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, L"OleMainThreadWndClass", nullptr)) {
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            found = window;
            break;
        }
    }
    return found;
}

} // namespace

void LivePainting::enlist(BatchedControl& control) {
    auto& open = state().open;
    if (std::find(open.begin(), open.end(), &control) == open.end()) {
        open.push_back(&control);
    }
}

void LivePainting::forget(BatchedControl& control) {
    auto& open = state().open;
    open.erase(std::remove(open.begin(), open.end(), &control), open.end());
}

void LivePainting::tick() {
    State& s = state();
    if (s.delivering) {
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (now - s.lastDelivery >= IntervalMs) {
        deliver();
        s.lastDelivery = GetTickCount64();
    }
}

void LivePainting::settleAll() {
    // A settled control leaves the list; settling never opens a batch again.
    auto open = std::move(state().open);
    state().open.clear();
    for (BatchedControl* control : open) {
        control->settle();
    }
}

bool LivePainting::holdingHandlers() {
    return state().delivering;
}

bool LivePainting::deferIfHeld(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!holdingHandlers()) {
        return false;
    }
    PostMessageW(window, message, wParam, lParam);
    return true;
}

void LivePainting::deliver() {
    State& s = state();
    s.delivering = true;
    settleAll();
    // Only paint and sent messages: input and posted messages stay queued for the handler's
    // end. The last look that finds nothing is also when Wine puts the drawn pixels on screen.
    const ULONGLONG until = GetTickCount64() + AnsweringMs;
    const HWND readerCalls = readerCallWindow();
    bool called = false;
    MSG message{};
    for (int count = 0; count < MaxMessages; ++count) {
        bool answered = sentMessageWaiting() || called;
        called = false;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
            DispatchMessageW(&message);
            continue;
        }
        if (readerCalls != nullptr && PeekMessageW(&message, readerCalls, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
            called = true;
            continue;
        }
        answered = answered || sentMessageWaiting();
        if (!answered || GetTickCount64() >= until ||
            MsgWaitForMultipleObjectsEx(0, nullptr, NextQuestionMs,
                                        QS_SENDMESSAGE |
                                            (readerCalls != nullptr ? QS_POSTMESSAGE : 0),
                                        0) != WAIT_OBJECT_0) {
            break;
        }
    }
    s.delivering = false;
}

} // namespace vp::win32
