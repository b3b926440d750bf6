// A rules file's bytes as text: the encodings Windows editors write (UTF-8 with or without a
// byte-order mark, UTF-16 with one), and its lines whatever their ends (CR LF, LF, CR).
#pragma once

#include "rules/RuleDiagnostics.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vp::rules {

enum class TextEncoding : std::uint8_t {
    Utf8,
    Utf8WithBom,
    Utf16LE,
    Utf16BE,
    // Bytes that are not UTF-8 and carry no byte-order mark: read as Western Windows' ANSI
    // code page, as Notepad does, so that an old file saved by hand still loads.
    Windows1252,
};

std::string_view encodingName(TextEncoding encoding);

struct TextProblem {
    std::uint32_t line = 0; // 0 for the file as a whole
    Problem problem = Problem::InvalidUtf8;
};

struct DecodedText {
    // Valid UTF-8. The bytes handed in are kept as they are when they already were UTF-8 (the
    // byte-order mark is then skipped by `start`), so the common case copies nothing.
    std::string storage;
    std::size_t start = 0;
    TextEncoding encoding = TextEncoding::Utf8;
    std::vector<TextProblem> problems;

    std::string_view text() const { return std::string_view(storage).substr(start); }
};

DecodedText decodeRulesText(std::string bytes);

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF).
bool isValidUtf8(std::string_view text);

// The lines of a text, numbered from 1, without their ends.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    // The next line, or false at the end of the text.
    bool next(std::string_view& line);
    std::uint32_t number() const { return number_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::uint32_t number_ = 0;
};

} // namespace vp::rules
