// Simulated registry: in memory only; must never reach a real registry.
#include "platform/sim/SimRegistry.h"

#include "platform/NameCompare.h"

#include <algorithm>
#include <cstring>

namespace vp::sim {
namespace {

constexpr std::uint32_t KEY_READ = 0x20019;

bool sameName(const std::string& a, std::string_view b) { return namesEqual(a, b); }

} // namespace

std::string SimRegistry::normalise(std::string_view path) {
    std::string out;
    bool separator = true; // drop leading, doubled and trailing backslashes
    for (const char c : path) {
        if (c == '\\') {
            separator = true;
            continue;
        }
        if (separator && !out.empty()) {
            out += '\\';
        }
        separator = false;
        out += c;
    }
    return foldCase(out);
}

SimRegistry::Key* SimRegistry::find(std::string_view path) {
    const auto found = keys_.find(normalise(path));
    return found == keys_.end() ? nullptr : &found->second;
}

const SimRegistry::Key* SimRegistry::find(std::string_view path) const {
    const auto found = keys_.find(normalise(path));
    return found == keys_.end() ? nullptr : &found->second;
}

SimRegistry::Key& SimRegistry::make(std::string_view path) {
    // Every key above exists too, as in a real hive.
    for (std::size_t cut = path.find('\\'); cut != std::string_view::npos;
         cut = path.find('\\', cut + 1)) {
        if (cut > 0) {
            keys_.try_emplace(normalise(path.substr(0, cut)), Key{std::string(path.substr(0, cut)), false, {}});
        }
    }
    return keys_.try_emplace(normalise(path), Key{std::string(path), false, {}}).first->second;
}

SimRegistry& SimRegistry::key(std::string_view path) {
    make(path);
    return *this;
}

SimRegistry& SimRegistry::setString(std::string_view path, std::string_view name,
                                    std::string_view text, std::uint32_t type) {
    std::string bytes = codePage_.toNarrow(text);
    bytes += '\0';
    if (type == REG_MULTI_SZ) {
        bytes += '\0';
    }
    return setRaw(path, name, type, bytes);
}

SimRegistry& SimRegistry::setRaw(std::string_view path, std::string_view name, std::uint32_t type,
                                 std::string_view bytes) {
    Key& key = make(path);
    for (Value& value : key.values) {
        if (sameName(value.name, name)) {
            value.type = type;
            value.bytes = std::string(bytes);
            return *this;
        }
    }
    key.values.push_back({std::string(name), type, std::string(bytes)});
    return *this;
}

SimRegistry& SimRegistry::readOnly(std::string_view path) {
    make(path).readOnly = true;
    return *this;
}

bool SimRegistry::hasKey(std::string_view path) const { return find(path) != nullptr; }

bool SimRegistry::hasValue(std::string_view path, std::string_view name) const {
    const Key* key = find(path);
    return key != nullptr && std::any_of(key->values.begin(), key->values.end(),
                                         [&](const Value& v) { return sameName(v.name, name); });
}

std::vector<std::string> SimRegistry::valueNames(std::string_view path) const {
    std::vector<std::string> names;
    if (const Key* key = find(path)) {
        for (const Value& value : key->values) {
            names.push_back(value.name);
        }
    }
    return names;
}

std::vector<std::string> SimRegistry::subkeyNames(std::string_view path) const {
    std::vector<std::string> names;
    const std::string prefix = normalise(path) + "\\";
    for (const auto& [folded, key] : keys_) {
        if (folded.size() > prefix.size() && folded.compare(0, prefix.size(), prefix) == 0 &&
            folded.find('\\', prefix.size()) == std::string::npos) {
            names.push_back(key.path.substr(key.path.find_last_of('\\') + 1));
        }
    }
    return names;
}

long SimRegistry::openKey(RegHandle hive, std::string_view path, std::uint32_t /*options*/,
                          std::uint32_t access, RegHandle& handle) {
    handle = 0;
    if (hive != HKEY_CURRENT_USER) {
        return RegStatus::FileNotFound;
    }
    const std::string utf8Path = codePage_.fromNarrow(path);
    const Key* key = find(utf8Path);
    if (key == nullptr) {
        return RegStatus::FileNotFound;
    }
    if (key->readOnly && (access & ~KEY_READ) != 0) {
        return RegStatus::AccessDenied;
    }
    handle = nextHandle_++;
    handles_.emplace(handle, normalise(utf8Path));
    return RegStatus::Success;
}

long SimRegistry::queryValue(RegHandle handle, std::string_view name, std::uint32_t& type,
                             unsigned char* data, std::uint32_t& size) {
    const auto open = handles_.find(handle);
    if (open == handles_.end()) {
        return 6; // ERROR_INVALID_HANDLE
    }
    const Key* key = find(open->second);
    if (key == nullptr) {
        return RegStatus::FileNotFound;
    }
    const std::string utf8Name = codePage_.fromNarrow(name);
    for (const Value& value : key->values) {
        if (!sameName(value.name, utf8Name)) {
            continue;
        }
        type = value.type;
        if (value.bytes.size() > size) {
            size = static_cast<std::uint32_t>(value.bytes.size());
            return RegStatus::MoreData;
        }
        if (data != nullptr) {
            std::memcpy(data, value.bytes.data(), value.bytes.size());
        }
        size = static_cast<std::uint32_t>(value.bytes.size());
        return RegStatus::Success;
    }
    return RegStatus::FileNotFound;
}

long SimRegistry::deleteValue(RegHandle handle, std::string_view name) {
    const auto open = handles_.find(handle);
    if (open == handles_.end()) {
        return 6;
    }
    Key* key = find(open->second);
    if (key == nullptr) {
        return RegStatus::FileNotFound;
    }
    const std::string utf8Name = codePage_.fromNarrow(name);
    const auto gone = std::remove_if(key->values.begin(), key->values.end(),
                                     [&](const Value& v) { return sameName(v.name, utf8Name); });
    if (gone == key->values.end()) {
        return RegStatus::FileNotFound;
    }
    key->values.erase(gone, key->values.end());
    return RegStatus::Success;
}

long SimRegistry::closeKey(RegHandle handle) {
    return handles_.erase(handle) == 1 ? RegStatus::Success : 6;
}

} // namespace vp::sim
