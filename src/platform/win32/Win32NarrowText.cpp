// Win32 text conversions; the only place that knows the ANSI code page.
#include "platform/win32/Win32NarrowText.h"

#include "platform/Utf8.h"

#include <windows.h>

namespace vp::win32 {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide text is UTF-16");

std::wstring toWide(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), length);
    return out;
}

std::string fromWide(std::wstring_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    // A character the ANSI code page cannot hold becomes '?', never a look-alike ("Ł" would
    // otherwise come out as "L", naming a file that does not exist). UTF-8 takes no flags.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

} // namespace

// Names travel in WTF-8 (platform/Utf8.h): a file name holding a lone surrogate comes back to
// the system exactly as it was listed, never as U+FFFD naming another file or none.
std::wstring widen(std::string_view utf8) {
    const std::u16string units = utf8::toUtf16(utf8);
    return {units.begin(), units.end()};
}

std::string narrowUtf8(std::wstring_view wide) {
    return utf8::fromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::string Win32NarrowText::toNarrow(std::string_view utf8) const {
    return fromWide(widen(utf8), CP_ACP);
}

std::string Win32NarrowText::fromNarrow(std::string_view narrow) const {
    return narrowUtf8(toWide(narrow, CP_ACP));
}

} // namespace vp::win32
