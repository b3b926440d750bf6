#include "app/console/MatchFolding.h"

#include "platform/Utf8.h"

namespace vp::console {
namespace {

// The base letters of U+00C0 to U+00FF, lower case; '\0' where the character is no letter
// with a base (× ÷ and the like are kept as they are).
constexpr char Latin1Base[] = "aaaaaaaceeeeiiiidnooooo\0ouuuuyts"  // U+00C0..U+00DF
                              "aaaaaaaceeeeiiiidnooooo\0ouuuuyty"; // U+00E0..U+00FF

} // namespace

std::string FoldForMatching(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = utf8::decode(text, pos);
        if (c < 0x80) {
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        } else if (c >= 0xC0 && c <= 0xFF && Latin1Base[c - 0xC0] != '\0') {
            out += Latin1Base[c - 0xC0];
            if (c == 0xC6 || c == 0xE6) {
                out += 'e'; // Æ æ: "ae"
            } else if (c == 0xDF) {
                out += 's'; // ß: "ss"
            } else if (c == 0xDE || c == 0xFE) {
                out += 'h'; // Þ þ: "th"
            }
        } else if (c == 0x152 || c == 0x153) {
            out += "oe"; // Œ œ
        } else if (c == 0x178) {
            out += 'y'; // Ÿ, whose small letter ÿ is in the range above
        } else {
            out.append(text.substr(start, pos - start));
        }
    }
    return out;
}

} // namespace vp::console
