// The mark by which the installer and the uninstaller tell that the program is running: a
// named mutex that VexomaPellora.exe and vexoma.exe each hold for as long as they run. Nothing
// waits on it and nobody owns it, so it changes nothing the user sees, and two copies of the
// program simply hold it together. The name is also written in packaging/VexomaPellora.nsi.
#pragma once

#include <windows.h>

namespace vp::win32 {

// Per session: another user's programs are in another profile and do not count.
inline constexpr wchar_t RunningMutexName[] = L"Local\\VexomaPelloraRunning";

class RunningMark {
public:
    RunningMark() : handle_(CreateMutexW(nullptr, FALSE, RunningMutexName)) {}
    ~RunningMark() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

private:
    HANDLE handle_;
};

} // namespace vp::win32
