#include "platform/NarrowText.h"
#include "platform/Utf8.h"

#include <array>

namespace vp {
namespace {

// 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] != 0 && HighControls[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

std::string Windows1252Text::toNarrow(std::string_view utf8) const {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        out += toByte(utf8::decode(utf8, pos));
    }
    return out;
}

std::string Windows1252Text::fromNarrow(std::string_view narrow) const {
    std::string out;
    out.reserve(narrow.size());
    for (const char c : narrow) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0) {
            const char16_t mapped = HighControls[byte - 0x80u];
            // Undefined bytes pass through as the C1 control of the same number, as Windows does.
            utf8::append(out, mapped != 0 ? char32_t{mapped} : char32_t{byte});
        } else {
            utf8::append(out, byte);
        }
    }
    return out;
}

} // namespace vp
