// The .reg text that Windows users know ("Windows Registry Editor Version 5.00"): read into a
// list of edits to the current user's hive, and written back from a hive's keys and values.
#pragma once

#include "platform/NarrowText.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vp::sim {

class RegFileError : public std::runtime_error {
public:
    RegFileError(int line, const std::string& problem);
    // 1 for the header line.
    int line() const { return line_; }

private:
    int line_;
};

struct RegFileEdit {
    enum class Kind { AddKey, RemoveKey, SetValue, RemoveValue };
    Kind kind = Kind::AddKey;
    std::string path; // UTF-8, relative to HKEY_CURRENT_USER, no trailing backslash
    std::string name; // UTF-8; "" for the default value (@)
    std::uint32_t type = 0;
    std::string bytes; // in the narrow code page, as the registry hands them out
};

// Every edit the text asks for, in order, or RegFileError for the first malformed line.
std::vector<RegFileEdit> ParseRegText(std::string_view text, const NarrowText& codePage);

// A key path relative to the hive without its one allowed trailing backslash; nothing for a
// path with a leading or doubled backslash.
std::optional<std::string_view> WellFormedKeyPath(std::string_view path);

// Pieces of the text ParseRegText reads, for writing a hive out.
std::string RegTextHeader();
std::string RegKeyLine(std::string_view path);
std::string RegValueLine(std::string_view name, std::uint32_t type, std::string_view bytes,
                         const NarrowText& codePage);

} // namespace vp::sim
