// The registry helpers: logic only, no operating-system header and no state between calls.
// Every key of a path is opened as itself, and a link refused, as the file side refuses file
// links: a path the helpers read or delete in always names the keys it spells.
#include "registry/RegistryHelpers.h"

#include "platform/NarrowText.h"

#include <algorithm>
#include <array>

namespace vp {
namespace {

constexpr std::uint32_t ReadBufferSize = 128;

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Text in the narrow code page for one call. Every ANSI code page of Windows agrees with ASCII,
// so ASCII text (as nearly every key path and value name is) crosses unconverted.
class NarrowArgument {
public:
    NarrowArgument(const NarrowText& narrow, std::string_view utf8) {
        if (isAscii(utf8)) {
            view_ = utf8;
        } else {
            converted_ = narrow.toNarrow(utf8);
            view_ = converted_;
        }
    }
    NarrowArgument(const NarrowArgument&) = delete;
    NarrowArgument& operator=(const NarrowArgument&) = delete;
    operator std::string_view() const { return view_; }

private:
    std::string converted_;
    std::string_view view_;
};

// The same holds on the way back: the ASCII start of the data is already UTF-8, and only the
// rest, from the first byte a code page gives its own meaning, needs decoding.
std::string fromNarrow(const NarrowText& narrow, std::string_view bytes) {
    const auto ascii = std::find_if(bytes.begin(), bytes.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const auto prefix = static_cast<std::size_t>(ascii - bytes.begin());
    std::string text(bytes.substr(0, prefix));
    if (prefix < bytes.size()) {
        text += narrow.fromNarrow(bytes.substr(prefix));
    }
    return text;
}

} // namespace

// A key of the path swapped for a link to another key (RunMRU leading to the user's other
// settings) would otherwise have its values read and deleted instead; a link above the last
// key has no keys below it, so the path ends there.
long OpenKeyWithoutLinks(Registry& registry, RegHandle hive, std::string_view path,
                         std::uint32_t access, RegHandle& key) {
    key = 0;
    RegHandle parent = hive;
    long status = RegStatus::FileNotFound;
    for (std::size_t start = 0; start < path.size();) {
        std::size_t cut = path.find('\\', start);
        if (cut == std::string_view::npos) {
            cut = path.size();
        }
        const std::string_view part = path.substr(start, cut - start);
        start = cut + 1;
        if (part.empty()) {
            continue;
        }
        const bool last = path.find_first_not_of('\\', start) == std::string_view::npos;
        RegHandle opened = 0;
        status =
            registry.openKey(parent, part, OpenLinkOption, last ? access : KeyQueryValue, opened);
        if (parent != hive) {
            registry.closeKey(parent);
        }
        if (status != RegStatus::Success) {
            return status;
        }
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (last &&
            registry.queryValue(opened, LinkValueName, type, nullptr, size) == RegStatus::Success &&
            type == LinkValueType) {
            registry.closeKey(opened);
            return RegStatus::AccessDenied;
        }
        parent = opened;
    }
    if (parent == hive) {
        return status;
    }
    key = parent;
    return RegStatus::Success;
}

std::string GetRegString(const Platform& platform, RegHandle hive, std::string_view path,
                         std::string_view name, std::string_view defaultText) {
    Registry& registry = platform.registry;
    const NarrowText& narrow = platform.narrowText;
    RegHandle key = 0;
    if (OpenKeyWithoutLinks(registry, hive, NarrowArgument(narrow, path), KeyAllAccess, key) !=
        RegStatus::Success) {
        return std::string(defaultText);
    }
    std::array<unsigned char, ReadBufferSize> buffer{};
    std::uint32_t size = ReadBufferSize;
    std::uint32_t type = StringValueType;
    const long status =
        registry.queryValue(key, NarrowArgument(narrow, name), type, buffer.data(), size);
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
    return fromNarrow(narrow, std::string_view(reinterpret_cast<const char*>(buffer.data()),
                                               static_cast<std::size_t>(end - buffer.begin())));
}

bool DeleteRegValue(const Platform& platform, RegHandle hive, std::string_view path,
                    std::string_view name) {
    Registry& registry = platform.registry;
    const NarrowText& narrow = platform.narrowText;
    RegHandle key = 0;
    if (OpenKeyWithoutLinks(registry, hive, NarrowArgument(narrow, path), KeyAllAccess, key) !=
        RegStatus::Success) {
        return false;
    }
    const long status = registry.deleteValue(key, NarrowArgument(narrow, name));
    registry.closeKey(key);
    return status == RegStatus::Success;
}

} // namespace vp
