// Text plumbing of the end-to-end driver; plain Win32, no program logic.
#include "DriverText.h"

#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <shellapi.h>

namespace vp::e2e {

std::vector<std::string> arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 1; i < count; ++i) {
        out.push_back(win32::narrowUtf8(wide[i]));
    }
    LocalFree(wide);
    return out;
}

std::vector<std::string> splitOn(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

} // namespace vp::e2e
