// The native list box (the run log, the cache lists). Lines go into the real control at once,
// so every reader sees every line in order; while lines stream in, the list box is not drawn
// and the selection is kept aside, and both are settled once per batch: about ten times a
// second, at the end of the handler, and before the list box handles any message that does
// not come from this class (a reader in another program, a paint, a screen reader's query).
#pragma once

#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32LivePainting.h"

namespace vp::win32 {

class Win32ListBox final : public Win32Control, public ListBox, public BatchedControl {
public:
    Win32ListBox(const ControlSpec& desc, HWND window, int dpi);
    ~Win32ListBox() override;
    Win32ListBox(const Win32ListBox&) = delete;
    Win32ListBox& operator=(const Win32ListBox&) = delete;

    void setVisible(bool visible) override;
    void clear() override;
    void addItem(std::string_view text) override;
    void insertItem(int index, std::string_view text) override;
    void removeItem(int index) override;
    int listCount() const override;
    std::string list(int index) const override;
    int listIndex() const override;
    void setListIndex(int index) override;

    // Draws again and selects what the program chose; leaves the batch.
    void settle() override;

private:
    static constexpr int NoPendingIndex = -2;

    static LRESULT CALLBACK filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void openBatch();

    // The number of lines, known without asking the list box while only this class changed
    // it; -1 after anything else reached the list box.
    mutable LRESULT count_ = -1;
    WNDPROC listProc_; // the list box class's own procedure, under every subclass
    bool batching_ = false;
    int pendingIndex_ = NoPendingIndex;
    mutable int ownCalls_ = 0; // messages this class is sending, which need no settling
};

} // namespace vp::win32
