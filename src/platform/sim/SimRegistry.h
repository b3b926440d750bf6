// The simulated registry: the current user's hive in memory, with typed values, names
// compared without case, keys that refuse full access, registry links, keys opened relative
// to an open key, and a count of open handles.
#pragma once

#include "platform/NarrowText.h"
#include "platform/Registry.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vp::sim {

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001u;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002u;
inline constexpr std::uint32_t KEY_READ = 0x20019u;

namespace RegStatusMore {
inline constexpr long InvalidHandle = 6;
inline constexpr long BadPathname = 161;
inline constexpr long KeyDeleted = 1018;
} // namespace RegStatusMore

class SimRegistry final : public Registry {
public:
    SimRegistry();

    // --- Builders ---
    // Key paths are relative to HKEY_CURRENT_USER ("" is the hive itself), parts separated by
    // single backslashes, one trailing backslash allowed; a malformed path throws
    // std::invalid_argument. Missing keys above are created. Text is UTF-8 and is stored as the
    // narrow code page holds it; setting a value that exists (compared without case) replaces
    // its type and data but keeps its name as first written.
    SimRegistry& key(std::string_view path);
    // A string with its terminating zero byte (two for REG_MULTI_SZ, as a one-string list).
    SimRegistry& setString(std::string_view path, std::string_view name, std::string_view text,
                           std::uint32_t type = StringValueType);
    SimRegistry& setExpandString(std::string_view path, std::string_view name,
                                 std::string_view text);
    // Each string with its zero byte, and one more zero byte closing the list.
    SimRegistry& setMultiString(std::string_view path, std::string_view name,
                                std::initializer_list<std::string_view> strings);
    SimRegistry& setDword(std::string_view path, std::string_view name, std::uint32_t number);
    SimRegistry& setBinary(std::string_view path, std::string_view name,
                           std::initializer_list<unsigned char> bytes);
    // Raw data bytes, stored as given (no terminating zero is added).
    SimRegistry& setRaw(std::string_view path, std::string_view name, std::uint32_t type,
                        std::string_view bytes);
    // The key can be opened for reading only: an open asking for more is refused.
    SimRegistry& readOnly(std::string_view path);
    // A link at `path` to the key `target` (both under HKEY_CURRENT_USER): an open through it
    // opens the target, unless it asks for the link itself (OpenLinkOption on its last part).
    // Its value "SymbolicLinkValue" (REG_LINK) names the target, as Windows shows it.
    SimRegistry& link(std::string_view path, std::string_view target);
    // The key, its values and every key below it.
    SimRegistry& removeKey(std::string_view path);
    SimRegistry& removeValue(std::string_view path, std::string_view name);

    // The text of a .reg file ("Windows Registry Editor Version 5.00" or "REGEDIT4"; UTF-8,
    // UTF-8 with a byte-order mark, or UTF-16LE with its byte-order mark), applied to the hive.
    // Only HKEY_CURRENT_USER may appear. A malformed text throws RegFileError naming its line
    // and leaves the hive as it was.
    SimRegistry& loadRegText(std::string_view text);

    // --- Inspection ---
    bool hasKey(std::string_view path) const;
    bool hasValue(std::string_view path, std::string_view name) const;
    // Value names of a key in the order they were made, as written.
    std::vector<std::string> valueNames(std::string_view path) const;
    // Names of the keys directly below, as written, in case-blind order.
    std::vector<std::string> subkeyNames(std::string_view path) const;
    std::optional<std::uint32_t> valueType(std::string_view path, std::string_view name) const;
    // The stored data bytes, exactly.
    std::optional<std::string> rawValue(std::string_view path, std::string_view name) const;
    // The data up to its first zero byte, decoded from the narrow code page.
    std::optional<std::string> stringValue(std::string_view path, std::string_view name) const;
    // The key and everything below it as .reg text ("" for the whole hive); what a failing
    // test prints to show the registry it left behind.
    std::string exportRegText(std::string_view path = "") const;

    int openHandles() const { return static_cast<int>(handles_.size()); }
    struct CallCounts {
        long opens = 0;
        long queries = 0;
        long deletes = 0;
        long closes = 0;
        bool operator==(const CallCounts&) const = default;
    };
    // Every call of the four services since construction, successful or not.
    const CallCounts& calls() const { return calls_; }

    // --- The services ---
    long openKey(RegHandle hive, std::string_view path, std::uint32_t options, std::uint32_t access,
                 RegHandle& key) override;
    long queryValue(RegHandle key, std::string_view name, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override;
    long deleteValue(RegHandle key, std::string_view name) override;
    long closeKey(RegHandle key) override;
    long enumKey(RegHandle key, std::uint32_t index, std::string& name) override;
    long enumValue(RegHandle key, std::uint32_t index, std::string& name) override;
    long deleteKey(RegHandle key, std::string_view name) override;

private:
    struct Value {
        std::string name;   // as first written
        std::string folded; // what names are compared by
        std::uint32_t type = 0;
        std::string bytes;
    };
    struct Key {
        std::string path; // as first written, without a trailing backslash
        bool readOnly = false;
        bool link = false; // its SymbolicLinkValue is a REG_LINK
        std::vector<Value> values;
    };
    struct OpenKey {
        std::string folded; // the key's path; the key may have gone since
        std::uint32_t access = 0;
    };

    const Key* find(std::string_view path) const;
    Key* find(std::string_view path);
    Key& make(std::string_view path);
    static Value* findValue(Key& key, std::string_view foldedName);
    static const Value* findValue(const Key& key, std::string_view foldedName);
    // The open key behind a handle and the access it was granted, or the failing status.
    long resolve(RegHandle handle, std::uint32_t needed, Key*& key);
    // The folded path an open of `relative` below the open key `base` reaches through links
    // (the key a handle holds is never followed again); nullopt for a loop. A link at the last
    // part is kept when `openLink`.
    std::optional<std::string> followLinks(const std::string& base, const std::string& relative,
                                           bool openLink) const;
    // The folded target of the key at `folded` when it is a link.
    std::optional<std::string> linkTarget(const std::string& folded) const;

    Windows1252Text codePage_;
    std::map<std::string, Key, std::less<>> keys_; // by folded path
    std::unordered_map<RegHandle, OpenKey> handles_;
    RegHandle nextHandle_ = 0x1000;
    CallCounts calls_;
};

} // namespace vp::sim
