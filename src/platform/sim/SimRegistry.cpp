// Simulated registry: in memory only; must never reach a real registry.
#include "platform/sim/SimRegistry.h"

#include "platform/NameCompare.h"
#include "platform/sim/SimRegistryFile.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vp::sim {
namespace {

std::string_view checkedPath(std::string_view path) {
    const auto wellFormed = WellFormedKeyPath(path);
    if (!wellFormed) {
        throw std::invalid_argument("malformed registry key path \"" + std::string(path) + "\"");
    }
    return *wellFormed;
}

// The folded path of the key directly above; the hive's own keys have "" above them.
std::string_view parentOf(std::string_view folded) {
    const std::size_t cut = folded.rfind('\\');
    return cut == std::string_view::npos ? std::string_view{} : folded.substr(0, cut);
}

bool isBelow(std::string_view folded, std::string_view ancestor) {
    return ancestor.empty() ? !folded.empty()
                            : folded.size() > ancestor.size() && folded.starts_with(ancestor) &&
                                  folded[ancestor.size()] == '\\';
}

} // namespace

SimRegistry::SimRegistry() {
    keys_.emplace("", Key{});
}

const SimRegistry::Key* SimRegistry::find(std::string_view path) const {
    const auto wellFormed = WellFormedKeyPath(path);
    if (!wellFormed) {
        return nullptr;
    }
    const auto found = keys_.find(foldCase(*wellFormed));
    return found == keys_.end() ? nullptr : &found->second;
}

SimRegistry::Key* SimRegistry::find(std::string_view path) {
    return const_cast<Key*>(std::as_const(*this).find(path));
}

SimRegistry::Key& SimRegistry::make(std::string_view path) {
    path = checkedPath(path);
    // Every key above exists too, as in a real hive.
    for (std::size_t cut = path.find('\\'); cut != std::string_view::npos;
         cut = path.find('\\', cut + 1)) {
        keys_.try_emplace(foldCase(path.substr(0, cut)), Key{std::string(path.substr(0, cut))});
    }
    return keys_.try_emplace(foldCase(path), Key{std::string(path)}).first->second;
}

SimRegistry::Value* SimRegistry::findValue(Key& key, std::string_view foldedName) {
    return const_cast<Value*>(findValue(std::as_const(key), foldedName));
}

const SimRegistry::Value* SimRegistry::findValue(const Key& key, std::string_view foldedName) {
    for (const Value& value : key.values) {
        if (value.folded == foldedName) {
            return &value;
        }
    }
    return nullptr;
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

SimRegistry& SimRegistry::setExpandString(std::string_view path, std::string_view name,
                                          std::string_view text) {
    return setString(path, name, text, REG_EXPAND_SZ);
}

SimRegistry& SimRegistry::setMultiString(std::string_view path, std::string_view name,
                                         std::initializer_list<std::string_view> strings) {
    std::string bytes;
    for (const std::string_view text : strings) {
        bytes += codePage_.toNarrow(text);
        bytes += '\0';
    }
    bytes += '\0';
    return setRaw(path, name, REG_MULTI_SZ, bytes);
}

SimRegistry& SimRegistry::setDword(std::string_view path, std::string_view name,
                                   std::uint32_t number) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((number >> shift) & 0xFF);
    }
    return setRaw(path, name, REG_DWORD, bytes);
}

SimRegistry& SimRegistry::setBinary(std::string_view path, std::string_view name,
                                    std::initializer_list<unsigned char> bytes) {
    std::string data;
    for (const unsigned char byte : bytes) {
        data += static_cast<char>(byte);
    }
    return setRaw(path, name, REG_BINARY, data);
}

SimRegistry& SimRegistry::setRaw(std::string_view path, std::string_view name, std::uint32_t type,
                                 std::string_view bytes) {
    Key& key = make(path);
    const std::string folded = foldCase(name);
    if (Value* value = findValue(key, folded)) {
        value->type = type;
        value->bytes = std::string(bytes);
    } else {
        key.values.push_back({std::string(name), folded, type, std::string(bytes)});
    }
    if (folded == foldCase(LinkValueName)) {
        key.link = type == LinkValueType;
    }
    return *this;
}

SimRegistry& SimRegistry::readOnly(std::string_view path) {
    make(path).readOnly = true;
    return *this;
}

SimRegistry& SimRegistry::link(std::string_view path, std::string_view target) {
    return setRaw(path, LinkValueName, LinkValueType,
                  R"(\Registry\User\S-1-5-21-0-0-0-1000\)" + std::string(checkedPath(target)));
}

std::optional<std::string> SimRegistry::linkTarget(const std::string& folded) const {
    const auto found = keys_.find(folded);
    if (found == keys_.end() || !found->second.link) {
        return std::nullopt;
    }
    const Value* value = findValue(found->second, foldCase(LinkValueName));
    // "\Registry\User\<user>\Software\X": the part after the user's own key.
    std::string_view target = value->bytes;
    for (int part = 0; part < 4 && !target.empty(); ++part) {
        const std::size_t cut = target.find('\\');
        target = cut == std::string_view::npos ? std::string_view{} : target.substr(cut + 1);
    }
    return foldCase(target);
}

std::optional<std::string> SimRegistry::followLinks(const std::string& base,
                                                    const std::string& relative,
                                                    bool openLink) const {
    constexpr int MaxHops = 16;
    std::string reached = base;
    std::string pending = relative; // what is left to walk, from `reached`
    int hops = 0;
    while (!pending.empty()) {
        const std::size_t cut = pending.find('\\');
        const std::string part = pending.substr(0, cut);
        pending = cut == std::string::npos ? std::string() : pending.substr(cut + 1);
        if (!reached.empty()) {
            reached += '\\';
        }
        reached += part;
        if (pending.empty() && openLink) {
            break;
        }
        if (auto target = linkTarget(reached)) {
            if (++hops > MaxHops) {
                return std::nullopt;
            }
            // The target names a key from the hive; links on its way count too.
            if (!pending.empty()) {
                pending.insert(0, 1, '\\');
            }
            pending.insert(0, *target);
            reached.clear();
        }
    }
    return reached;
}

SimRegistry& SimRegistry::removeKey(std::string_view path) {
    const std::string folded = foldCase(checkedPath(path));
    if (folded.empty()) {
        throw std::invalid_argument("the hive itself cannot be removed");
    }
    std::erase_if(keys_, [&](const auto& entry) {
        return entry.first == folded || isBelow(entry.first, folded);
    });
    return *this;
}

SimRegistry& SimRegistry::removeValue(std::string_view path, std::string_view name) {
    if (Key* key = find(path)) {
        const std::string folded = foldCase(name);
        std::erase_if(key->values, [&](const Value& value) { return value.folded == folded; });
        key->link = key->link && folded != foldCase(LinkValueName);
    }
    return *this;
}

SimRegistry& SimRegistry::loadRegText(std::string_view text) {
    // Every line is checked before the first edit, so a bad text changes nothing.
    for (RegFileEdit& edit : ParseRegText(text, codePage_)) {
        switch (edit.kind) {
        case RegFileEdit::Kind::AddKey:
            make(edit.path);
            break;
        case RegFileEdit::Kind::RemoveKey:
            removeKey(edit.path);
            break;
        case RegFileEdit::Kind::SetValue:
            setRaw(edit.path, edit.name, edit.type, edit.bytes);
            break;
        case RegFileEdit::Kind::RemoveValue:
            removeValue(edit.path, edit.name);
            break;
        }
    }
    return *this;
}

bool SimRegistry::hasKey(std::string_view path) const {
    return find(path) != nullptr;
}

bool SimRegistry::hasValue(std::string_view path, std::string_view name) const {
    const Key* key = find(path);
    return key != nullptr && findValue(*key, foldCase(name)) != nullptr;
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
    const auto wellFormed = WellFormedKeyPath(path);
    if (!wellFormed) {
        return names;
    }
    const std::string folded = foldCase(*wellFormed);
    for (const auto& [keyFolded, key] : keys_) {
        if (isBelow(keyFolded, folded) && parentOf(keyFolded) == folded) {
            names.push_back(key.path.substr(key.path.rfind('\\') + 1));
        }
    }
    return names;
}

std::optional<std::uint32_t> SimRegistry::valueType(std::string_view path,
                                                    std::string_view name) const {
    const Key* key = find(path);
    const Value* value = key == nullptr ? nullptr : findValue(*key, foldCase(name));
    return value == nullptr ? std::nullopt : std::optional(value->type);
}

std::optional<std::string> SimRegistry::rawValue(std::string_view path,
                                                 std::string_view name) const {
    const Key* key = find(path);
    const Value* value = key == nullptr ? nullptr : findValue(*key, foldCase(name));
    return value == nullptr ? std::nullopt : std::optional(value->bytes);
}

std::optional<std::string> SimRegistry::stringValue(std::string_view path,
                                                    std::string_view name) const {
    const auto bytes = rawValue(path, name);
    if (!bytes) {
        return std::nullopt;
    }
    return codePage_.fromNarrow(std::string_view(*bytes).substr(0, bytes->find('\0')));
}

std::string SimRegistry::exportRegText(std::string_view path) const {
    std::string text = RegTextHeader();
    const auto wellFormed = WellFormedKeyPath(path);
    const std::string folded = wellFormed ? foldCase(*wellFormed) : std::string();
    if (!wellFormed || !keys_.contains(folded)) {
        return text + "; no key " + std::string(path) + "\n";
    }
    for (const auto& [keyFolded, key] : keys_) {
        if (keyFolded != folded && !isBelow(keyFolded, folded)) {
            continue;
        }
        if (keyFolded.empty() && key.values.empty()) {
            continue; // the hive itself, when it holds nothing of its own
        }
        text += '\n';
        text += RegKeyLine(key.path);
        if (key.readOnly) {
            text += "; opens for reading only\n";
        }
        for (const Value& value : key.values) {
            text += RegValueLine(value.name, value.type, value.bytes, codePage_);
        }
    }
    return text;
}

long SimRegistry::openKey(RegHandle hive, std::string_view path, std::uint32_t options,
                          std::uint32_t access, RegHandle& handle) {
    ++calls_.opens;
    handle = 0;
    std::string base;
    if (const auto parent = handles_.find(hive); parent != handles_.end()) {
        base = parent->second.folded;
        if (!keys_.contains(base)) {
            return RegStatusMore::KeyDeleted;
        }
    } else if (hive != CurrentUserHive) {
        return RegStatus::FileNotFound;
    }
    const std::string utf8Path = codePage_.fromNarrow(path);
    const auto wellFormed = WellFormedKeyPath(utf8Path);
    if (!wellFormed) {
        return RegStatusMore::BadPathname;
    }
    const auto reached = followLinks(base, foldCase(*wellFormed), (options & OpenLinkOption) != 0);
    if (!reached) {
        return RegStatusMore::BadPathname;
    }
    const auto found = keys_.find(*reached);
    if (found == keys_.end()) {
        return RegStatus::FileNotFound;
    }
    if (found->second.readOnly && (access & ~KEY_READ) != 0) {
        return RegStatus::AccessDenied;
    }
    handle = nextHandle_++;
    handles_.emplace(handle, OpenKey{*reached, access});
    return RegStatus::Success;
}

long SimRegistry::resolve(RegHandle handle, std::uint32_t needed, Key*& key) {
    const auto open = handles_.find(handle);
    if (open == handles_.end()) {
        return RegStatusMore::InvalidHandle;
    }
    if ((open->second.access & needed) != needed) {
        return RegStatus::AccessDenied;
    }
    const auto found = keys_.find(open->second.folded);
    if (found == keys_.end()) {
        return RegStatusMore::KeyDeleted;
    }
    key = &found->second;
    return RegStatus::Success;
}

long SimRegistry::queryValue(RegHandle handle, std::string_view name, std::uint32_t& type,
                             unsigned char* data, std::uint32_t& size) {
    ++calls_.queries;
    Key* key = nullptr;
    if (const long status = resolve(handle, KEY_QUERY_VALUE, key); status != RegStatus::Success) {
        return status;
    }
    const Value* value = findValue(*key, foldCase(codePage_.fromNarrow(name)));
    if (value == nullptr) {
        return RegStatus::FileNotFound;
    }
    type = value->type;
    const auto length = static_cast<std::uint32_t>(value->bytes.size());
    if (data != nullptr && length > size) {
        size = length;
        return RegStatus::MoreData;
    }
    if (data != nullptr) {
        std::copy(value->bytes.begin(), value->bytes.end(), data);
    }
    size = length;
    return RegStatus::Success;
}

long SimRegistry::deleteValue(RegHandle handle, std::string_view name) {
    ++calls_.deletes;
    Key* key = nullptr;
    if (const long status = resolve(handle, KEY_SET_VALUE, key); status != RegStatus::Success) {
        return status;
    }
    const std::string folded = foldCase(codePage_.fromNarrow(name));
    const auto gone = std::find_if(key->values.begin(), key->values.end(),
                                   [&](const Value& value) { return value.folded == folded; });
    if (gone == key->values.end()) {
        return RegStatus::FileNotFound;
    }
    if (gone->folded == foldCase(LinkValueName)) {
        key->link = false;
    }
    key->values.erase(gone);
    return RegStatus::Success;
}

long SimRegistry::closeKey(RegHandle handle) {
    ++calls_.closes;
    return handles_.erase(handle) == 1 ? RegStatus::Success : RegStatusMore::InvalidHandle;
}

} // namespace vp::sim

namespace vp::sim {

long SimRegistry::enumKey(RegHandle handle, std::uint32_t index, std::string& name) {
    Key* key = nullptr;
    if (const long status = resolve(handle, KeyEnumerate, key); status != RegStatus::Success) {
        return status;
    }
    const std::string folded = handles_.at(handle).folded;
    std::uint32_t at = 0;
    for (const auto& [keyFolded, below] : keys_) {
        if (isBelow(keyFolded, folded) && parentOf(keyFolded) == folded && at++ == index) {
            name = codePage_.toNarrow(below.path.substr(below.path.rfind('\\') + 1));
            return RegStatus::Success;
        }
    }
    return RegStatus::NoMoreItems;
}

long SimRegistry::enumValue(RegHandle handle, std::uint32_t index, std::string& name) {
    Key* key = nullptr;
    if (const long status = resolve(handle, KEY_QUERY_VALUE, key); status != RegStatus::Success) {
        return status;
    }
    if (index >= key->values.size()) {
        return RegStatus::NoMoreItems;
    }
    name = codePage_.toNarrow(key->values[index].name);
    return RegStatus::Success;
}

// The subkey itself is what goes, a link included (never the key it leads to). A key that
// opens for reading only cannot be deleted either.
long SimRegistry::deleteKey(RegHandle handle, std::string_view name) {
    ++calls_.deletes;
    Key* key = nullptr;
    if (const long status = resolve(handle, 0, key); status != RegStatus::Success) {
        return status;
    }
    const std::string utf8Name = codePage_.fromNarrow(name);
    if (utf8Name.empty() || utf8Name.find('\\') != std::string::npos) {
        return RegStatusMore::BadPathname;
    }
    const std::string base = handles_.at(handle).folded;
    const std::string folded = base.empty() ? foldCase(utf8Name) : base + '\\' + foldCase(utf8Name);
    const auto found = keys_.find(folded);
    if (found == keys_.end()) {
        return RegStatus::FileNotFound;
    }
    if (found->second.readOnly) {
        return RegStatus::AccessDenied;
    }
    for (const auto& entry : keys_) {
        if (isBelow(entry.first, folded)) {
            return RegStatus::AccessDenied;
        }
    }
    keys_.erase(found);
    return RegStatus::Success;
}

} // namespace vp::sim
