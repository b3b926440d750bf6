// The list box in batches: lines at once, drawing and selection once per batch.
#include "platform/win32/Win32ListBox.h"

#include "platform/win32/Win32NarrowText.h"

#include <commctrl.h>

#include <algorithm>

namespace vp::win32 {
namespace {

constexpr UINT_PTR FilterId = 1;

} // namespace

Win32ListBox::Win32ListBox(const ControlSpec& desc, HWND window, int dpi)
    : Win32Control(desc, window, dpi),
      listProc_(reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC))) {
    SetWindowSubclass(window_, filter, FilterId, reinterpret_cast<DWORD_PTR>(this));
}

Win32ListBox::~Win32ListBox() {
    LivePainting::forget(*this);
    if (IsWindow(window_)) {
        RemoveWindowSubclass(window_, filter, FilterId);
    }
}

LRESULT CALLBACK Win32ListBox::filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR self) {
    auto* list = reinterpret_cast<Win32ListBox*>(self);
    if (list->ownCalls_ == 0) {
        list->count_ = -1; // it may add or remove lines
        if (list->batching_) {
            list->settle(); // whoever asks sees the list as the program made it
        }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT Win32ListBox::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    // Straight to the list box's own procedure: a sent message costs a trip through the
    // system (under Wine several microseconds, as much as the line itself), and this class's
    // filter has nothing to do for its own messages.
    ++ownCalls_;
    const LRESULT result = CallWindowProcW(listProc_, window_, message, wParam, lParam);
    --ownCalls_;
    return result;
}

void Win32ListBox::openBatch() {
    if (batching_) {
        return;
    }
    batching_ = true;
    send(WM_SETREDRAW, FALSE);
    LivePainting::enlist(*this);
}

void Win32ListBox::settle() {
    if (!batching_) {
        return;
    }
    batching_ = false;
    LivePainting::forget(*this);
    if (pendingIndex_ != NoPendingIndex) {
        send(LB_SETCURSEL, static_cast<WPARAM>(pendingIndex_));
        pendingIndex_ = NoPendingIndex;
    }
    send(WM_SETREDRAW, TRUE);
    // Drawn now: under Wine the paint message of a list box drawn again this way is not
    // always found by the next look at the queue.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void Win32ListBox::setVisible(bool visible) {
    settle();
    Win32Control::setVisible(visible);
}

void Win32ListBox::clear() {
    settle();
    send(LB_RESETCONTENT);
    count_ = 0;
}

void Win32ListBox::addItem(std::string_view text) {
    // Readers are let in between the program's calls, never inside one: before the line
    // (after the previous call), or once the line's selection is set.
    LivePainting::tick();
    openBatch();
    const std::wstring wide = widen(text);
    const LRESULT added = send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    count_ = added >= 0 ? added + 1 : -1; // unsorted: the new line is the last
}

void Win32ListBox::insertItem(int index, std::string_view text) {
    settle();
    const std::wstring wide = widen(text);
    send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str()));
    count_ = -1;
}

void Win32ListBox::removeItem(int index) {
    settle();
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
    count_ = -1;
}

int Win32ListBox::listCount() const {
    if (count_ < 0) {
        count_ = send(LB_GETCOUNT);
    }
    return static_cast<int>(count_);
}

std::string Win32ListBox::list(int index) const {
    if (index < 0 || index >= listCount()) {
        return {};
    }
    const auto length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied =
        send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return narrowUtf8(text);
}

int Win32ListBox::listIndex() const {
    if (pendingIndex_ != NoPendingIndex) {
        return pendingIndex_; // inside the list: lines are only added during a batch
    }
    const auto index = send(LB_GETCURSEL);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Win32ListBox::setListIndex(int index) {
    if (index < 0 || index >= listCount()) {
        settle(); // the list box's own answer to a selection outside the list
        send(LB_SETCURSEL, static_cast<WPARAM>(index));
        return;
    }
    openBatch();
    pendingIndex_ = index;
    LivePainting::tick();
}

} // namespace vp::win32
