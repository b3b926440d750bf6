// Path conversion for the Win32 file service; pure text work plus GetFullPathNameW.
#include "platform/win32/Win32Paths.h"

#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <vector>

namespace vp::win32 {
namespace {

constexpr std::wstring_view ExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view ExtendedUncPrefix = L"\\\\?\\UNC\\";

bool isDriveAbsolute(std::wstring_view path) {
    return path.size() >= 3 && path[1] == L':' && path[2] == L'\\' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// `root` (kept as it is) followed by the components of `rest`, with empty and "." parts
// dropped and ".." taking back the part before it (never the root).
std::wstring joinComponents(std::wstring root, std::wstring_view rest) {
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || rest[i] == L'\\') {
            const std::wstring_view part = rest.substr(start, i - start);
            if (part == L"..") {
                if (!parts.empty()) {
                    parts.pop_back();
                }
            } else if (!part.empty() && part != L".") {
                parts.push_back(part);
            }
            start = i + 1;
        }
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 || (!root.empty() && root.back() != L'\\')) {
            root += L'\\';
        }
        root += parts[i];
    }
    return root;
}

std::wstring fullPath(const std::wstring& relative) {
    DWORD length = GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return {};
    }
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(relative.c_str(), length, full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        return {};
    }
    full.resize(length);
    return full;
}

} // namespace

std::wstring extendedPath(std::string_view utf8Path) {
    std::wstring path = widen(utf8Path);
    if (path.empty()) {
        return {};
    }
    const bool alreadyExtended = path.starts_with(ExtendedPrefix);
    if (!alreadyExtended) {
        for (wchar_t& c : path) {
            if (c == L'/') {
                c = L'\\';
            }
        }
    }
    if (alreadyExtended) {
        const std::wstring_view rest = std::wstring_view(path).substr(ExtendedPrefix.size());
        if (rest.starts_with(L"UNC\\")) {
            return joinComponents(std::wstring(ExtendedUncPrefix), rest.substr(4));
        }
        if (isDriveAbsolute(rest)) {
            return joinComponents(std::wstring(ExtendedPrefix) + std::wstring(rest.substr(0, 3)),
                                  rest.substr(3));
        }
        return path;
    }
    if (path.starts_with(L"\\\\")) {
        return joinComponents(std::wstring(ExtendedUncPrefix), std::wstring_view(path).substr(2));
    }
    if (isDriveAbsolute(path)) {
        return joinComponents(std::wstring(ExtendedPrefix) + path.substr(0, 3),
                              std::wstring_view(path).substr(3));
    }
    // Relative to the current folder or drive: the system's own rules make it full.
    const std::wstring full = fullPath(path);
    if (full.empty() || (!isDriveAbsolute(full) && !full.starts_with(L"\\\\"))) {
        return {};
    }
    return extendedPath(narrowUtf8(full));
}

} // namespace vp::win32
