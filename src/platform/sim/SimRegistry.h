// The simulated registry: the current user's hive in memory, with typed values, names
// compared without case, keys that refuse full access, and a count of open handles.
#pragma once

#include "platform/NarrowText.h"
#include "platform/Registry.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp::sim {

inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

class SimRegistry final : public Registry {
public:
    // Builders. Key paths are relative to HKEY_CURRENT_USER; text is UTF-8 and is stored as the
    // narrow code page holds it. Missing keys above are created.
    SimRegistry& key(std::string_view path);
    SimRegistry& setString(std::string_view path, std::string_view name, std::string_view text,
                           std::uint32_t type = REG_SZ);
    // Raw data bytes, stored as given (no terminating zero is added).
    SimRegistry& setRaw(std::string_view path, std::string_view name, std::uint32_t type,
                        std::string_view bytes);
    // The key can be opened for reading only: an open asking for more is refused.
    SimRegistry& readOnly(std::string_view path);

    // Inspection.
    bool hasKey(std::string_view path) const;
    bool hasValue(std::string_view path, std::string_view name) const;
    // Value names of a key in the order they were made, as written.
    std::vector<std::string> valueNames(std::string_view path) const;
    std::vector<std::string> subkeyNames(std::string_view path) const;
    int openHandles() const { return static_cast<int>(handles_.size()); }

    long openKey(RegHandle hive, std::string_view path, std::uint32_t options,
                 std::uint32_t access, RegHandle& key) override;
    long queryValue(RegHandle key, std::string_view name, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& size) override;
    long deleteValue(RegHandle key, std::string_view name) override;
    long closeKey(RegHandle key) override;

private:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::string bytes;
    };
    struct Key {
        std::string path; // as first written
        bool readOnly = false;
        std::vector<Value> values;
    };

    Key* find(std::string_view path);
    const Key* find(std::string_view path) const;
    Key& make(std::string_view path);
    static std::string normalise(std::string_view path);

    Windows1252Text codePage_;
    std::map<std::string, Key> keys_; // by folded, normalised path
    std::map<RegHandle, std::string> handles_;
    RegHandle nextHandle_ = 0x1000;
};

} // namespace vp::sim
