#include "platform/NameCompare.h"
#include "platform/Utf8.h"

namespace vp {
namespace {

char32_t fold(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') {
        return cp + ('a' - 'A');
    }
    // Latin-1 capitals À..Þ except the multiplication sign.
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) {
        return cp + 0x20;
    }
    return cp;
}

bool isAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string foldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    if (isAscii(text)) {
        for (const char c : text) {
            out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
        }
        return out;
    }
    for (std::size_t pos = 0; pos < text.size();) {
        utf8::append(out, fold(utf8::decode(text, pos)));
    }
    return out;
}

bool nameLess(std::string_view a, std::string_view b) {
    const std::string fa = foldCase(a);
    const std::string fb = foldCase(b);
    if (fa != fb) {
        return fa < fb;
    }
    return a < b;
}

bool namesEqual(std::string_view a, std::string_view b) {
    return foldCase(a) == foldCase(b);
}

} // namespace vp
