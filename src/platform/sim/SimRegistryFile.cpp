// .reg text for the simulated registry: parsing and writing only; touches no registry at all.
#include "platform/sim/SimRegistryFile.h"

#include "platform/NameCompare.h"
#include "platform/Utf8.h"

#include <charconv>
#include <cstdio>

namespace vp::sim {
namespace {

constexpr std::string_view Version5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view Version4Header = "REGEDIT4";
constexpr std::string_view Hive = "HKEY_CURRENT_USER";

constexpr std::uint32_t RegSz = 1;
constexpr std::uint32_t RegExpandSz = 2;
constexpr std::uint32_t RegDword = 4;
constexpr std::uint32_t RegMultiSz = 7;

bool isUtf16Text(std::uint32_t type) {
    return type == RegSz || type == RegExpandSz || type == RegMultiSz;
}

std::string_view trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string utf16leToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const auto unit = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp < 0xE000) {
            cp = utf8::Replacement; // a lone surrogate
        }
        utf8::append(out, cp);
    }
    return out;
}

std::string utf8ToUtf16le(std::string_view text) {
    std::string out;
    const auto put = [&](char32_t unit) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>((unit >> 8) & 0xFF);
    };
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = utf8::decode(text, pos);
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

int countLines(std::string_view text) {
    int lines = 1;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

// The text as UTF-8, whichever of the encodings regedit writes it came in.
std::string decodeText(std::string_view text) {
    if (text.starts_with("\xFF\xFE")) {
        text.remove_prefix(2);
        std::string decoded = utf16leToUtf8(text);
        if (text.size() % 2 != 0) {
            throw RegFileError(countLines(decoded),
                               "the UTF-16 text ends in the middle of a character");
        }
        return decoded;
    }
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    return std::string(text);
}

std::optional<std::uint32_t> parseHex(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

class Parser {
public:
    Parser(std::string_view text, const NarrowText& codePage)
        : text_(decodeText(text)), codePage_(codePage) {
        std::string_view rest = text_;
        while (true) {
            const std::size_t end = rest.find('\n');
            lines_.push_back(rest.substr(0, end));
            if (end == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(end + 1);
        }
    }

    std::vector<RegFileEdit> run() {
        const std::string_view header = trim(lines_[0]);
        if (header == Version5Header) {
            unicodeHex_ = true;
        } else if (header != Version4Header) {
            fail("the text must begin with \"" + std::string(Version5Header) + "\"");
        }
        for (next_ = 1; next_ < lines_.size();) {
            line_ = static_cast<int>(next_) + 1;
            const std::string_view line = trim(lines_[next_++]);
            if (line.empty() || line.front() == ';') {
                continue;
            }
            if (line.front() == '[') {
                keyLine(line);
            } else {
                valueLine(line);
            }
        }
        return std::move(edits_);
    }

private:
    [[noreturn]] void fail(const std::string& problem) const { throw RegFileError(line_, problem); }

    void keyLine(std::string_view line) {
        if (line.back() != ']') {
            fail("a key line must end with ']'");
        }
        line = line.substr(1, line.size() - 2);
        const bool remove = line.starts_with('-');
        if (remove) {
            line.remove_prefix(1);
        }
        const std::string_view hive = line.substr(0, line.find('\\'));
        if (!namesEqual(hive, Hive)) {
            fail("only " + std::string(Hive) + " can be loaded, not \"" + std::string(hive) + "\"");
        }
        const std::string_view below =
            hive.size() < line.size() ? line.substr(hive.size() + 1) : std::string_view{};
        const auto path = WellFormedKeyPath(below);
        if (!path) {
            fail("the key path \"" + std::string(line) + "\" has an empty part");
        }
        if (remove && path->empty()) {
            fail("the hive itself cannot be removed");
        }
        if (remove) {
            edits_.push_back({RegFileEdit::Kind::RemoveKey, std::string(*path)});
            key_.reset();
        } else {
            edits_.push_back({RegFileEdit::Kind::AddKey, std::string(*path)});
            key_ = std::string(*path);
        }
    }

    void valueLine(std::string_view line) {
        if (!key_) {
            fail("a value line must follow a key line");
        }
        RegFileEdit edit{RegFileEdit::Kind::SetValue, *key_};
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else if (line.front() == '"') {
            edit.name = quoted(line, pos);
        } else {
            fail("a value line must begin with a quoted name or @");
        }
        const std::string_view afterName = trim(line.substr(pos));
        if (!afterName.starts_with('=')) {
            fail("'=' must follow the value name");
        }
        const std::string_view data = trim(afterName.substr(1));
        if (data == "-") {
            edit.kind = RegFileEdit::Kind::RemoveValue;
        } else if (data.starts_with('"')) {
            std::size_t end = 0;
            edit.type = RegSz;
            edit.bytes = codePage_.toNarrow(quoted(data, end)) + '\0';
            expectNothingAfter(data.substr(end));
        } else if (data.starts_with("dword:")) {
            const auto number = parseHex(data.substr(6), 8);
            if (!number) {
                fail("dword: must be followed by one to eight hexadecimal digits");
            }
            edit.type = RegDword;
            for (int shift = 0; shift < 32; shift += 8) {
                edit.bytes += static_cast<char>((*number >> shift) & 0xFF);
            }
        } else if (data.starts_with("hex")) {
            hexData(data, edit);
        } else {
            fail("the data must be a quoted string, dword:, hex: or hex(type):");
        }
        edits_.push_back(std::move(edit));
    }

    // A quoted string starting at line[pos]; pos ends past its closing quote.
    std::string quoted(std::string_view line, std::size_t& pos) const {
        std::string out;
        for (++pos; pos < line.size(); ++pos) {
            const char c = line[pos];
            if (c == '"') {
                ++pos;
                return out;
            }
            if (c == '\\') {
                if (pos + 1 >= line.size() || (line[pos + 1] != '\\' && line[pos + 1] != '"')) {
                    fail("a backslash in a quoted string must be doubled (\\\\) or escape a quote");
                }
                ++pos;
            }
            out += line[pos];
        }
        fail("a quoted string is not closed");
    }

    void expectNothingAfter(std::string_view rest) const {
        rest = trim(rest);
        if (!rest.empty() && rest.front() != ';') {
            fail("unexpected text after the data: \"" + std::string(rest) + "\"");
        }
    }

    void hexData(std::string_view data, RegFileEdit& edit) {
        std::string_view rest = data.substr(3);
        edit.type = 3;
        if (rest.starts_with('(')) {
            const std::size_t close = rest.find(')');
            const auto type = close == std::string_view::npos
                                  ? std::nullopt
                                  : parseHex(rest.substr(1, close - 1), 8);
            if (!type) {
                fail("hex( must hold a hexadecimal type number and be closed by ')'");
            }
            edit.type = *type;
            rest.remove_prefix(close + 1);
        }
        if (!rest.starts_with(':')) {
            fail("':' must follow hex or hex(type)");
        }
        std::string list(trim(rest.substr(1)));
        // A list ending with a backslash goes on in the next line, as regedit wraps long data.
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            if (next_ >= lines_.size()) {
                fail("the data goes on past the end of the text");
            }
            list += trim(lines_[next_++]);
        }
        std::string bytes;
        std::string_view items = list;
        while (!items.empty()) {
            const std::size_t comma = items.find(',');
            const auto byte = parseHex(trim(items.substr(0, comma)), 2);
            if (!byte) {
                fail("\"" + std::string(trim(items.substr(0, comma))) +
                     "\" is not a byte of two hexadecimal digits");
            }
            bytes += static_cast<char>(*byte);
            if (comma == std::string_view::npos) {
                break;
            }
            items.remove_prefix(comma + 1);
            if (trim(items).empty()) {
                fail("a byte must follow the last comma");
            }
        }
        if (unicodeHex_ && isUtf16Text(edit.type)) {
            if (bytes.size() % 2 != 0) {
                fail("text data in UTF-16 must have an even number of bytes");
            }
            bytes = codePage_.toNarrow(utf16leToUtf8(bytes));
        }
        edit.bytes = std::move(bytes);
    }

    std::string text_;
    const NarrowText& codePage_;
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
    int line_ = 1;
    bool unicodeHex_ = false;
    std::optional<std::string> key_;
    std::vector<RegFileEdit> edits_;
};

std::string quote(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + '"';
}

} // namespace

RegFileError::RegFileError(int line, const std::string& problem)
    : std::runtime_error(".reg text, line " + std::to_string(line) + ": " + problem), line_(line) {}

std::vector<RegFileEdit> ParseRegText(std::string_view text, const NarrowText& codePage) {
    return Parser(text, codePage).run();
}

std::optional<std::string_view> WellFormedKeyPath(std::string_view path) {
    if (path.ends_with('\\')) {
        path.remove_suffix(1);
    }
    if (path.starts_with('\\') || path.ends_with('\\') ||
        path.find("\\\\") != std::string_view::npos) {
        return std::nullopt;
    }
    return path;
}

std::string RegTextHeader() {
    return std::string(Version5Header) + "\n";
}

std::string RegKeyLine(std::string_view path) {
    return "[" + std::string(Hive) + (path.empty() ? "" : "\\") + std::string(path) + "]\n";
}

std::string RegValueLine(std::string_view name, std::uint32_t type, std::string_view bytes,
                         const NarrowText& codePage) {
    std::string line = name.empty() ? "@" : quote(name);
    line += '=';
    if (type == RegSz && bytes.ends_with('\0') &&
        bytes.find_first_of(std::string_view("\0\r\n", 3)) == bytes.size() - 1) {
        return line + quote(codePage.fromNarrow(bytes.substr(0, bytes.size() - 1))) + "\n";
    }
    if (type == RegDword && bytes.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) {
            number = (number << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        }
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", number);
        return line + "dword:" + digits + "\n";
    }
    if (type == 3) {
        line += "hex:";
    } else {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
        line += prefix;
    }
    const std::string data =
        isUtf16Text(type) ? utf8ToUtf16le(codePage.fromNarrow(bytes)) : std::string(bytes);
    for (std::size_t i = 0; i < data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(data[i]));
        line += (i == 0 ? "" : ",");
        line += byte;
    }
    return line + "\n";
}

} // namespace vp::sim
