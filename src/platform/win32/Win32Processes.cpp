#include "platform/win32/Win32Processes.h"

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <tlhelp32.h>

namespace vp::win32 {
namespace {

// The full path of the process's executable; empty when the process may not be queried (the
// system's own, another user's) or has ended since the snapshot.
std::string imagePathOf(DWORD processId) {
    const OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return {};
    }
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        auto size = static_cast<DWORD>(buffer.size());
        if (QueryFullProcessImageNameW(process.get(), 0, buffer.data(), &size) != 0) {
            buffer.resize(size);
            return narrowUtf8(buffer);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            return {};
        }
        buffer.resize(buffer.size() * 4);
    }
    return {};
}

} // namespace

std::vector<RunningProcess> Win32Processes::list() {
    std::vector<RunningProcess> running;
    const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return running;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more != 0;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == 0) {
            continue; // the idle process: no executable
        }
        running.push_back({imagePathOf(entry.th32ProcessID), narrowUtf8(entry.szExeFile)});
    }
    return running;
}

} // namespace vp::win32
