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
    // TMP, then TEMP, as GetTempPath asks them, made a full path ending with a backslash. Where
    // neither is set, GetTempPath falls back on the profile or the Windows folder, which a
    // sweep must never empty: there is no temporary folder then.
    std::optional<std::string> value = variable("TMP");
    if (!value || value->empty()) {
        value = variable("TEMP");
    }
    if (!value || value->empty()) {
        return 0;
    }
    const std::wstring wide = widen(*value);
    std::vector<wchar_t> full(MAX_PATH + 1);
    DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length =
            GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) {
        return 0;
    }
    std::string path = narrowUtf8(std::wstring_view(full.data(), length));
    if (path.back() != '\\') {
        path += '\\';
    }
    // Measured against the caller's length in characters, as GetTempPath does: the
    // terminating zero must fit too, or the size needed, zero included, comes back and the
    // buffer stays as it was.
    const auto characters = static_cast<std::uint32_t>(utf8::length(path));
    if (characters + 1 > bufferLength) {
        return characters + 1;
    }
    buffer = path;
    return characters;
}

} // namespace vp::win32
