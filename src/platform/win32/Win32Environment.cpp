// Win32 environment service on kernel32's wide calls, so that values outside the ANSI code
// page (a user profile named in another script) come through whole.
#include "platform/win32/Win32Environment.h"

#include "platform/Utf8.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <vector>

namespace vp::win32 {

std::optional<std::string> Win32Environment::variable(std::string_view name) {
    const std::wstring wideName = widen(name);
    std::vector<wchar_t> value(256);
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                     static_cast<DWORD>(value.size()));
        if (length == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::string();
        }
        if (length < value.size()) {
            return narrowUtf8(std::wstring_view(value.data(), length));
        }
        value.resize(length); // the size it needs, zero included; the value may change again
    }
}

std::uint32_t Win32Environment::tempPath(std::uint32_t bufferLength, std::string& buffer) {
    // Asked in full, then measured against the caller's length in characters: the wide call
    // counts UTF-16 units, the program's text counts characters.
    std::vector<wchar_t> wide(MAX_PATH + 1);
    DWORD length = GetTempPathW(static_cast<DWORD>(wide.size()), wide.data());
    if (length >= wide.size()) {
        wide.resize(length + 1);
        length = GetTempPathW(static_cast<DWORD>(wide.size()), wide.data());
    }
    if (length == 0 || length >= wide.size()) {
        return 0;
    }
    const std::string path = narrowUtf8(std::wstring_view(wide.data(), length));
    const auto characters = static_cast<std::uint32_t>(utf8::length(path));
    // As GetTempPath: the terminating zero must fit too, or the size needed, zero included,
    // comes back and the buffer stays as it was.
    if (characters + 1 > bufferLength) {
        return characters + 1;
    }
    buffer = path;
    return characters;
}

} // namespace vp::win32
