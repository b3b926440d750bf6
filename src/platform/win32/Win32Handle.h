// The one owner of kernel handles (files, folders, processes) in the Win32 platform: a value
// that closes its handle when it goes, moves but never copies, and is null when it holds none.
// Nothing else calls CloseHandle. Calls that only use a handle take it as a plain HANDLE.
#pragma once

#include <windows.h>

#include <utility>

namespace vp::win32 {

class OwnedHandle {
public:
    OwnedHandle() = default;
    // Takes `handle` over; INVALID_HANDLE_VALUE and null both mean none.
    explicit OwnedHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Closes the handle now.
    void reset() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
            handle_ = nullptr;
        }
    }

private:
    HANDLE handle_ = nullptr;
};

} // namespace vp::win32
