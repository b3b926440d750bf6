// The list box in batches: lines at once, drawing and selection once per batch.
#include "platform/win32/Win32ListBox.h"

#include "platform/win32/Win32NarrowText.h"

#include <commctrl.h>

#include <algorithm>

namespace vp::win32 {
namespace {

constexpr UINT_PTR FilterId = 1;
// The list box grows its storage a few lines at a time, copying it whole each time; room is
// asked for ahead, doubling, so a run of a hundred thousand lines copies it a few times only.
constexpr LRESULT FirstReserve = 1024;
// Characters reserved per line: a path of average length.
constexpr LPARAM BytesPerLine = 128;

} // namespace

Win32ListBox::Win32ListBox(const ControlSpec& desc, HWND window, HFONT font)
    : Win32Control(desc, window, font) {
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
    if (list->ownCalls_ == 0 && list->batching_) {
        list->settle(); // whoever asks sees the list as the program made it
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT Win32ListBox::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    ++ownCalls_;
    const LRESULT result = SendMessageW(window_, message, wParam, lParam);
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
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void Win32ListBox::reserveFor(LRESULT count) {
    if (count < reserved_) {
        return;
    }
    const LRESULT more = std::max(FirstReserve, count);
    const LRESULT room = send(LB_INITSTORAGE, static_cast<WPARAM>(more), more * BytesPerLine);
    reserved_ = room == LB_ERRSPACE ? count + 1 : std::max(room, count + 1);
}

void Win32ListBox::setVisible(bool visible) {
    settle();
    Win32Control::setVisible(visible);
}

void Win32ListBox::clear() {
    settle();
    send(LB_RESETCONTENT);
    reserved_ = 0;
}

void Win32ListBox::addItem(std::string_view text) {
    openBatch();
    const std::wstring wide = widen(text);
    const LRESULT added = send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (added >= 0) {
        reserveFor(added + 1);
    }
    LivePainting::tick();
}

void Win32ListBox::insertItem(int index, std::string_view text) {
    settle();
    const std::wstring wide = widen(text);
    send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32ListBox::removeItem(int index) {
    settle();
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

int Win32ListBox::listCount() const {
    return static_cast<int>(send(LB_GETCOUNT));
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
