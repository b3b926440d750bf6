// The registry helpers: logic only, no operating-system header and no state between calls.
#include "registry/RegistryHelpers.h"

#include "platform/NarrowText.h"

#include <algorithm>
#include <array>

namespace vp {
namespace {

constexpr std::uint32_t ReadBufferSize = 128;

} // namespace

std::string GetRegString(const Platform& platform, RegHandle hive, std::string_view path,
                         std::string_view name, std::string_view defaultText) {
    Registry& registry = platform.registry;
    const NarrowText& narrow = platform.narrowText;
    RegHandle key = 0;
    if (registry.openKey(hive, narrow.toNarrow(path), 0, KEY_ALL_ACCESS, key) !=
        RegStatus::Success) {
        return std::string(defaultText);
    }
    std::array<unsigned char, ReadBufferSize> buffer{};
    std::uint32_t size = ReadBufferSize;
    std::uint32_t type = REG_SZ;
    const long status = registry.queryValue(key, narrow.toNarrow(name), type, buffer.data(), size);
    registry.closeKey(key);
    if (status != RegStatus::Success) {
        return std::string(defaultText);
    }
    // The text ends at the first zero byte. Data that fills the whole buffer without one has no
    // end inside it: it reads like a string too long for the buffer.
    const auto end = std::find(buffer.begin(), buffer.end(), 0);
    if (end == buffer.end()) {
        return std::string(defaultText);
    }
    return narrow.fromNarrow(
        std::string_view(reinterpret_cast<const char*>(buffer.data()),
                         static_cast<std::size_t>(end - buffer.begin())));
}

void DeleteRegValue(const Platform& platform, RegHandle hive, std::string_view path,
                    std::string_view name) {
    Registry& registry = platform.registry;
    const NarrowText& narrow = platform.narrowText;
    RegHandle key = 0;
    if (registry.openKey(hive, narrow.toNarrow(path), 0, KEY_ALL_ACCESS, key) !=
        RegStatus::Success) {
        return;
    }
    registry.deleteValue(key, narrow.toNarrow(name));
    registry.closeKey(key);
}

} // namespace vp
