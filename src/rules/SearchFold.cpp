#include "rules/SearchFold.h"

#include "platform/NameCompare.h"
#include "platform/Utf8.h"

namespace vp::rules {
namespace {

// The base letter of a lower-case Latin-1 letter with an accent; 0 for any other.
char baseLetter(char32_t cp) {
    if (cp >= 0xE0 && cp <= 0xE5) {
        return 'a';
    }
    if (cp == 0xE7) {
        return 'c';
    }
    if (cp >= 0xE8 && cp <= 0xEB) {
        return 'e';
    }
    if (cp >= 0xEC && cp <= 0xEF) {
        return 'i';
    }
    if (cp == 0xF1) {
        return 'n';
    }
    if ((cp >= 0xF2 && cp <= 0xF6) || cp == 0xF8) {
        return 'o';
    }
    if (cp >= 0xF9 && cp <= 0xFC) {
        return 'u';
    }
    if (cp == 0xFD || cp == 0xFF) {
        return 'y';
    }
    return 0;
}

} // namespace

std::string foldForSearch(std::string_view utf8) {
    const std::string folded = foldCase(utf8);
    std::string out;
    out.reserve(folded.size());
    for (std::size_t pos = 0; pos < folded.size();) {
        const char32_t cp = utf8::decode(folded, pos);
        if (const char base = baseLetter(cp)) {
            out += base;
        } else if (cp == 0xE6) {
            out += "ae";
        } else if (cp == 0x153 || cp == 0x152) {
            out += "oe";
        } else {
            utf8::append(out, cp);
        }
    }
    return out;
}

} // namespace vp::rules
