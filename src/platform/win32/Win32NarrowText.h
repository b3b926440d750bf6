// Narrow text on Windows: the system's ANSI code page.
#pragma once

#include "platform/NarrowText.h"

namespace vp::win32 {

class Win32NarrowText final : public NarrowText {
public:
    std::string toNarrow(std::string_view utf8) const override;
    std::string fromNarrow(std::string_view narrow) const override;
};

// The program's text (UTF-8; WTF-8 for names that are no valid UTF-16) and UTF-16 for the wide
// Win32 calls: what one gives, the other gives back unchanged.
std::wstring widen(std::string_view utf8);
std::string narrowUtf8(std::wstring_view wide);

} // namespace vp::win32
