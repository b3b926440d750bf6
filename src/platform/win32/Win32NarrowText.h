// Narrow text on Windows: the system's ANSI code page.
#pragma once

#include "platform/NarrowText.h"

namespace vp::win32 {

class Win32NarrowText final : public NarrowText {
public:
    std::string toNarrow(std::string_view utf8) const override;
    std::string fromNarrow(std::string_view narrow) const override;
};

// UTF-8 and UTF-16 for the wide Win32 calls.
std::wstring widen(std::string_view utf8);
std::string narrowUtf8(std::wstring_view wide);

} // namespace vp::win32
