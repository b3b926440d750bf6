#include "platform/preview/FileOverlay.h"

#include "platform/NameCompare.h"

namespace vp::preview {

std::size_t NameSet::slotOf(std::string_view name, std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hash & mask;
    while (used_[slot] && slots_[slot] != name) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

bool NameSet::contains(std::string_view name, std::size_t hash) const {
    return size_ != 0 && used_[slotOf(name, hash)];
}

void NameSet::grow(std::size_t slots) {
    std::vector<std::string> old = std::move(slots_);
    std::vector<bool> oldUsed = std::move(used_);
    slots_.assign(slots, std::string());
    used_.assign(slots, false);
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (oldUsed[i]) {
            const std::size_t slot = slotOf(old[i], hashOf(old[i]));
            slots_[slot] = std::move(old[i]);
            used_[slot] = true;
        }
    }
}

void NameSet::reserve(std::size_t names) {
    std::size_t slots = 16;
    while (slots < names * 2) {
        slots *= 2;
    }
    if (slots > slots_.size()) {
        grow(slots);
    }
}

void NameSet::insert(std::string name, std::size_t hash) {
    if ((size_ + 1) * 2 > slots_.size()) {
        reserve(size_ + 1);
    }
    const std::size_t slot = slotOf(name, hash);
    if (!used_[slot]) {
        slots_[slot] = std::move(name);
        used_[slot] = true;
        ++size_;
    }
}

std::string FileOverlay::keyOf(std::string_view path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) {
        path.remove_suffix(1);
    }
    std::string key = foldCase(path);
    for (char& c : key) {
        if (c == '/') {
            c = '\\';
        }
    }
    return key;
}

std::string FileOverlay::childKey(std::string_view folderKey, std::string_view foldedName) {
    std::string key;
    key.reserve(folderKey.size() + 1 + foldedName.size());
    key += folderKey;
    key += '\\';
    key += foldedName;
    return key;
}

std::pair<std::string, std::string> FileOverlay::split(const std::string& key) {
    const std::size_t cut = key.find_last_of('\\');
    if (cut == std::string::npos) {
        return {std::string(), key};
    }
    return {key.substr(0, cut), key.substr(cut + 1)};
}

FolderChanges* FileOverlay::find(const std::string& folderKey) {
    const auto found = folders_.find(folderKey);
    return found == folders_.end() ? nullptr : &found->second;
}

FolderChanges& FileOverlay::changes(const std::string& folderKey) {
    const auto [record, made] = folders_.try_emplace(folderKey);
    generation_ += made ? 1 : 0;
    return record->second;
}

bool FileOverlay::goneOnPath(const std::string& key) const {
    if (folders_.empty()) {
        return false;
    }
    for (std::size_t cut = key.find('\\'); cut != std::string::npos;
         cut = key.find('\\', cut + 1)) {
        const auto found = folders_.find(std::string_view(key).substr(0, cut));
        if (found == folders_.end()) {
            continue;
        }
        const std::size_t next = key.find('\\', cut + 1);
        const std::string name =
            key.substr(cut + 1, next == std::string::npos ? std::string::npos : next - cut - 1);
        if (found->second.gone.contains(name)) {
            return true;
        }
    }
    return false;
}

std::optional<std::uint32_t> FileOverlay::attributesOf(const std::string& key) const {
    const auto [folder, name] = split(key);
    const auto found = folders_.find(folder);
    if (found == folders_.end()) {
        return std::nullopt;
    }
    const auto given = found->second.attributes.find(name);
    if (given == found->second.attributes.end()) {
        return std::nullopt;
    }
    return given->second;
}

void FileOverlay::recordGone(const std::string& key) {
    const auto [folder, name] = split(key);
    FolderChanges& record = changes(folder);
    record.gone.insert(name);
    record.attributes.erase(name);
    // Whatever was recorded inside a folder that goes is of no more use: drop it ('\\' + 1 is
    // ']', so the range holds exactly the keys below).
    folders_.erase(key);
    folders_.erase(folders_.lower_bound(key + '\\'), folders_.lower_bound(key + ']'));
    ++generation_;
}

void FileOverlay::recordAttributes(const std::string& key, std::uint32_t attributes) {
    const auto [folder, name] = split(key);
    changes(folder).attributes[name] = attributes;
}

std::size_t FileOverlay::namesHeld() const {
    std::size_t names = 0;
    for (const auto& [key, changes] : folders_) {
        names += changes.gone.size() + changes.attributes.size();
    }
    return names;
}

} // namespace vp::preview
