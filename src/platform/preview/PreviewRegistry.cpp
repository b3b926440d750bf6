#include "platform/preview/PreviewRegistry.h"

#include <array>

namespace vp::preview {
namespace {

constexpr std::uint32_t KeyDelete = 0x10000u; // DELETE

// Registry names compare without case; the narrow code page agrees with ASCII, and letters
// outside it are compared as written.
std::string foldAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

} // namespace

long PreviewRegistry::openKey(RegHandle hive, std::string_view path, std::uint32_t options,
                              std::uint32_t access, RegHandle& key) {
    const long status = inner().openKey(hive, path, options, access, key);
    if (status == RegStatus::Success) {
        while (!path.empty() && path.back() == '\\') {
            path.remove_suffix(1);
        }
        // A key opened relative to another one is named from that one's name.
        const auto parent = opened_.find(hive);
        std::string name = parent != opened_.end() ? parent->second.path : std::to_string(hive);
        name += '\\';
        name += foldAscii(path);
        if (keyGone(name)) {
            inner().closeKey(key);
            key = 0;
            return RegStatus::FileNotFound;
        }
        opened_[key] = {std::move(name), access};
    }
    return status;
}

std::string PreviewRegistry::valueKey(RegHandle key, std::string_view name) const {
    const auto found = opened_.find(key);
    std::string id = found != opened_.end() ? found->second.path : std::to_string(key);
    id += '\0';
    id += foldAscii(name);
    return id;
}

long PreviewRegistry::queryValue(RegHandle key, std::string_view name, std::uint32_t& type,
                                 unsigned char* data, std::uint32_t& size) {
    if (!deleted_.empty() && deleted_.count(valueKey(key, name)) != 0) {
        return RegStatus::FileNotFound;
    }
    return inner().queryValue(key, name, type, data, size);
}

long PreviewRegistry::deleteValue(RegHandle key, std::string_view name) {
    const auto found = opened_.find(key);
    if (found != opened_.end() && (found->second.access & KeySetValue) == 0) {
        return RegStatus::AccessDenied;
    }
    std::string id = valueKey(key, name);
    if (deleted_.count(id) != 0) {
        return RegStatus::FileNotFound;
    }
    // A read of one byte tells whether the value is there, whatever its size.
    std::array<unsigned char, 1> probe{};
    std::uint32_t size = probe.size();
    std::uint32_t type = 0;
    const long status = inner().queryValue(key, name, type, probe.data(), size);
    if (status != RegStatus::Success && status != RegStatus::MoreData) {
        return status;
    }
    deleted_.insert(std::move(id));
    return RegStatus::Success;
}

long PreviewRegistry::closeKey(RegHandle key) {
    opened_.erase(key);
    return inner().closeKey(key);
}

bool PreviewRegistry::keyGone(std::string_view path) const {
    if (deletedKeys_.empty()) {
        return false;
    }
    for (std::size_t cut = path.size(); cut != std::string_view::npos && cut > 0;
         cut = path.rfind('\\', cut - 1)) {
        if (deletedKeys_.count(std::string(path.substr(0, cut))) != 0) {
            return true;
        }
    }
    return false;
}

std::string PreviewRegistry::subkeyPath(RegHandle key, std::string_view name) const {
    const auto found = opened_.find(key);
    std::string path = found != opened_.end() ? found->second.path : std::to_string(key);
    path += '\\';
    path += foldAscii(name);
    return path;
}

// The inner registry's items, less those the preview deleted: the index counts only those left.
long PreviewRegistry::enumKey(RegHandle key, std::uint32_t index, std::string& name) {
    std::uint32_t left = 0;
    for (std::uint32_t at = 0;; ++at) {
        const long status = inner().enumKey(key, at, name);
        if (status != RegStatus::Success) {
            return status;
        }
        if (!keyGone(subkeyPath(key, name)) && left++ == index) {
            return status;
        }
    }
}

long PreviewRegistry::enumValue(RegHandle key, std::uint32_t index, std::string& name) {
    std::uint32_t left = 0;
    for (std::uint32_t at = 0;; ++at) {
        const long status = inner().enumValue(key, at, name);
        if (status != RegStatus::Success) {
            return status;
        }
        if (deleted_.count(valueKey(key, name)) == 0 && left++ == index) {
            return status;
        }
    }
}

// Asked of the registry as the deletion would ask: the subkey opened as itself for deletion,
// and (as the preview sees it) without subkeys.
long PreviewRegistry::deleteKey(RegHandle key, std::string_view name) {
    RegHandle child = 0;
    const long status =
        openKey(key, name, OpenLinkOption, KeyDelete | KeyEnumerate | KeyQueryValue, child);
    if (status != RegStatus::Success) {
        return status;
    }
    std::string first;
    const bool hasSubkeys = enumKey(child, 0, first) == RegStatus::Success;
    closeKey(child);
    if (hasSubkeys) {
        return RegStatus::AccessDenied;
    }
    deletedKeys_.insert(subkeyPath(key, name));
    return RegStatus::Success;
}

} // namespace vp::preview
