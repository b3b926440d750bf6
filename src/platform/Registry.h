// The registry services, in the shape of the narrow Win32 calls: key paths, value names and
// data are bytes in the system's narrow code page (conversion is the caller's, see NarrowText).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vp {

using RegHandle = std::uintptr_t;

inline constexpr RegHandle CurrentUserHive = 0x80000001u;
inline constexpr std::uint32_t KeyAllAccess = 0xF003Fu;
inline constexpr std::uint32_t StringValueType = 1;
inline constexpr std::uint32_t KeyQueryValue = 0x0001u; // KEY_QUERY_VALUE
inline constexpr std::uint32_t KeySetValue = 0x0002u;   // KEY_SET_VALUE
inline constexpr std::uint32_t KeyEnumerate = 0x0008u;  // KEY_ENUMERATE_SUB_KEYS

// A registry link is a key whose value "SymbolicLinkValue", of type REG_LINK, names another key:
// opening it opens that key instead, unless the open asks for the link itself.
inline constexpr std::uint32_t OpenLinkOption = 0x8; // REG_OPTION_OPEN_LINK
inline constexpr std::uint32_t LinkValueType = 6;    // REG_LINK
inline constexpr std::string_view LinkValueName = "SymbolicLinkValue";

namespace RegStatus {
inline constexpr long Success = 0;
inline constexpr long FileNotFound = 2;
inline constexpr long AccessDenied = 5;
inline constexpr long MoreData = 234;
inline constexpr long NoMoreItems = 259;
} // namespace RegStatus

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExA. `hive` is a root key, or a key this service opened: `path` is then
    // relative to it. Status 0: `key` is open and usable. Otherwise no key is open. Fails when
    // the key is missing or the user lacks any of the rights in `access`. With OpenLinkOption, a
    // link at the last part of `path` is opened itself, not followed.
    virtual long openKey(RegHandle hive, std::string_view path, std::uint32_t options,
                         std::uint32_t access, RegHandle& key) = 0;

    // RegQueryValueExA. Status 0: the data lies at the start of `data` (a string with its
    // terminating zero byte) and the rest of the buffer is untouched; `size` holds the data's
    // size and `type` its type. Otherwise (2 missing, 234 more data than `size`) the buffer is
    // not used. With `data` null, only `type` and `size` are answered.
    virtual long queryValue(RegHandle key, std::string_view name, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& size) = 0;

    // RegDeleteValueA: afterwards the key has no value of that name.
    virtual long deleteValue(RegHandle key, std::string_view name) = 0;

    // RegCloseKey.
    virtual long closeKey(RegHandle key) = 0;

    // RegEnumKeyExA and RegEnumValueA: the name of the subkey (or value) number `index` of
    // `key`, in the registry's own order; NoMoreItems past the last. Names may shift when the
    // key changes, so a caller lists everything before changing anything.
    virtual long enumKey(RegHandle key, std::uint32_t index, std::string& name) = 0;
    virtual long enumValue(RegHandle key, std::uint32_t index, std::string& name) = 0;

    // RegDeleteKeyA: deletes the subkey `name` of `key`, which must have no subkeys itself
    // (access denied otherwise); its values go with it.
    virtual long deleteKey(RegHandle key, std::string_view name) = 0;
};

} // namespace vp
