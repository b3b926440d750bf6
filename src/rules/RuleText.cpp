#include "rules/RuleText.h"

#include "platform/NarrowText.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace vp::rules {

std::string_view encodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf8WithBom:
        return "UTF-8 BOM";
    case TextEncoding::Utf16LE:
        return "UTF-16 LE";
    case TextEncoding::Utf16BE:
        return "UTF-16 BE";
    case TextEncoding::Windows1252:
        return "Windows-1252";
    }
    return "?";
}

namespace {

// The length of the well-formed UTF-8 sequence at `pos`, or 0.
std::size_t sequenceLength(std::string_view text, std::size_t pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(pos);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) {
            low = 0xA0; // no overlong forms
        } else if (lead == 0xED) {
            high = 0x9F; // no surrogates
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) {
            low = 0x90;
        } else if (lead == 0xF4) {
            high = 0x8F; // nothing past U+10FFFF
        }
    } else {
        return 0;
    }
    if (text.size() - pos < length) {
        return 0;
    }
    if (at(pos + 1) < low || at(pos + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((at(pos + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// The offset of the first byte that is not well-formed UTF-8, or npos.
std::size_t firstInvalidByte(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t length = sequenceLength(text, pos);
        if (length == 0) {
            return pos;
        }
        pos += length;
    }
    return std::string_view::npos;
}

std::uint32_t lineAt(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    return static_cast<std::uint32_t>(std::count(before.begin(), before.end(), '\n') + 1);
}

DecodedText fromUtf16(std::string_view bytes, bool littleEndian) {
    DecodedText out;
    out.encoding = littleEndian ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
    out.storage.reserve(bytes.size() / 2 + bytes.size() / 8);
    std::uint32_t line = 1;
    bool loneSurrogateSeen = false;
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        return littleEndian ? char32_t(a | (b << 8)) : char32_t((a << 8) | b);
    };
    for (std::size_t i = 0; i < units; ++i) {
        char32_t cp = unitAt(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units && unitAt(i + 1) >= 0xDC00 &&
            unitAt(i + 1) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            if (!loneSurrogateSeen) {
                out.problems.push_back({line, Problem::LoneSurrogate});
                loneSurrogateSeen = true;
            }
            cp = utf8::Replacement;
        }
        if (cp == '\n') {
            ++line;
        }
        utf8::append(out.storage, cp);
    }
    if (bytes.size() % 2 != 0) {
        out.problems.push_back({0, Problem::OddUtf16Length}); // the file's end, not a line
    }
    return out;
}

} // namespace

bool isValidUtf8(std::string_view text) {
    return firstInvalidByte(text) == std::string_view::npos;
}

DecodedText decodeRulesText(std::string bytes) {
    const std::string_view view(bytes);
    if (view.starts_with("\xFF\xFE")) {
        return fromUtf16(view.substr(2), true);
    }
    if (view.starts_with("\xFE\xFF")) {
        return fromUtf16(view.substr(2), false);
    }
    DecodedText out;
    if (view.starts_with("\xEF\xBB\xBF")) {
        out.start = 3;
        out.encoding = TextEncoding::Utf8WithBom;
    }
    const std::size_t invalid = firstInvalidByte(view.substr(out.start));
    if (invalid == std::string_view::npos) {
        out.storage = std::move(bytes);
        return out;
    }
    // A byte-order mark promised UTF-8, yet the bytes are not: still Windows-1252 would show
    // them, so the rest of the file is read that way (the mark itself is not text).
    out.problems.push_back({lineAt(view.substr(out.start), invalid), Problem::InvalidUtf8});
    out.storage = Windows1252Text().fromNarrow(view.substr(out.start));
    out.start = 0;
    out.encoding = TextEncoding::Windows1252;
    return out;
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) {
        return false;
    }
    const std::size_t end = text_.find_first_of("\r\n", pos_);
    ++number_;
    if (end == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
        return true;
    }
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
        ++pos_;
    }
    return true;
}

} // namespace vp::rules
