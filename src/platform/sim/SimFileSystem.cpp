// Simulated file system: in memory only; must never reach the host's files.
#include "platform/sim/SimFileSystem.h"

#include "platform/NameCompare.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vp::sim {

struct SimFileSystem::Node {
    std::string name;
    std::uint32_t attributes = 0;
    bool folder = false;
    bool inUse = false;
    bool unlistable = false;
    std::string contents;
    std::string linkTarget; // non-empty for a folder link
    Node* parent = nullptr;
    std::map<std::string, std::unique_ptr<Node>> children; // keyed by folded name

    bool isLink() const { return !linkTarget.empty(); }
};

namespace {

constexpr int MaxLinkHops = 32;

bool validComponent(std::string_view part) {
    return part.find_first_of(std::string_view("*?<>|\":\0", 8)) == std::string_view::npos;
}

// Splits "C:\a\b\" into {"c:", "a", "b"}; empty when the path is not an absolute drive path.
std::vector<std::string_view> split(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            if (i > start) {
                parts.push_back(path.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(parts[0][0]))) {
        return {};
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (!validComponent(parts[i])) {
            return {};
        }
    }
    return parts;
}

} // namespace

SimFileSystem::SimFileSystem() : root_(std::make_unique<Node>()) { root_->folder = true; }

SimFileSystem::~SimFileSystem() = default;

SimFileSystem::Node* SimFileSystem::resolveLink(Node* node) const {
    for (int hops = 0; node != nullptr && node->isLink(); ++hops) {
        if (hops == MaxLinkHops) {
            return nullptr;
        }
        node = locate(node->linkTarget, false).node;
    }
    return node;
}

namespace {

// The path folded for lookups: separators made backslashes, doubled and trailing ones dropped.
// Empty when it is no absolute drive path or holds a character names cannot hold.
std::string foldedKey(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i] == '/' ? '\\' : path[i];
        if (c == '\\') {
            if (!out.empty() && out.back() != '\\') {
                out += c;
            }
            continue;
        }
        if (std::string_view("*?<>|\"\0", 7).find(c) != std::string_view::npos ||
            (c == ':' && out.size() != 1)) {
            return {};
        }
        out += c;
    }
    while (!out.empty() && out.back() == '\\') {
        out.pop_back();
    }
    if (out.size() < 2 || out[1] != ':' || !std::isalpha(static_cast<unsigned char>(out[0])) ||
        (out.size() > 2 && out[2] != '\\')) {
        return {};
    }
    return foldCase(out);
}

} // namespace

SimFileSystem::Node* SimFileSystem::resolveFolder(const std::string& key) const {
    // Start from the deepest remembered folder above `key`, so that a deep tree is not walked
    // down from its drive at every call.
    Node* current = root_.get();
    std::size_t done = 0;
    for (const auto& [cachedKey, node] : folderCache_) {
        if (cachedKey.size() > done && key.compare(0, cachedKey.size(), cachedKey) == 0 &&
            (key.size() == cachedKey.size() || key[cachedKey.size()] == '\\')) {
            current = node;
            done = cachedKey.size();
        }
    }
    while (done < key.size()) {
        const std::size_t begin = key[done] == '\\' ? done + 1 : done;
        const std::size_t cut = std::min(key.find('\\', begin), key.size());
        current = resolveLink(current);
        if (current == nullptr || !current->folder) {
            return nullptr;
        }
        const auto found = current->children.find(key.substr(begin, cut - begin));
        if (found == current->children.end()) {
            return nullptr;
        }
        current = found->second.get();
        done = cut;
    }
    current = resolveLink(current);
    if (current == nullptr || !current->folder) {
        return nullptr;
    }
    if (folderCache_.size() == FolderCacheSize) {
        folderCache_.erase(folderCache_.begin());
    }
    folderCache_.emplace_back(key, current);
    return current;
}

SimFileSystem::Location SimFileSystem::locate(std::string_view path, bool followFinalLink) const {
    const std::string key = foldedKey(path);
    if (key.empty()) {
        return {};
    }
    const std::size_t cut = key.find_last_of('\\');
    Node* parent = cut == std::string::npos ? root_.get() : resolveFolder(key.substr(0, cut));
    if (parent == nullptr) {
        return {};
    }
    const std::string childKey = cut == std::string::npos ? key : key.substr(cut + 1);
    const auto found = parent->children.find(childKey);
    Node* child = found == parent->children.end() ? nullptr : found->second.get();
    // The last component as it was written: the key is folded, the name is not.
    std::string_view trimmed = path;
    while (!trimmed.empty() && (trimmed.back() == '\\' || trimmed.back() == '/')) {
        trimmed.remove_suffix(1);
    }
    const std::string name(trimmed.substr(trimmed.find_last_of("\\/") + 1));
    return {parent, followFinalLink ? resolveLink(child) : child, name};
}

SimFileSystem::Node& SimFileSystem::makeFolders(std::string_view path) {
    const auto parts = split(path);
    if (parts.empty()) {
        throw std::invalid_argument("not a drive path: " + std::string(path));
    }
    Node* current = root_.get();
    for (const auto part : parts) {
        current = resolveLink(current);
        auto& slot = current->children[foldCase(part)];
        if (!slot) {
            slot = std::make_unique<Node>();
            slot->name = std::string(part);
            slot->folder = true;
            slot->attributes = FileAttribute::Directory;
            slot->parent = current;
        }
        current = slot.get();
    }
    return *current;
}

SimFileSystem& SimFileSystem::file(std::string_view path, FileOptions options) {
    folderCache_.clear();
    const auto cut = path.find_last_of("\\/");
    Node& parent = makeFolders(path.substr(0, cut));
    const std::string_view name = path.substr(cut + 1);
    auto& slot = parent.children[foldCase(name)];
    slot = std::make_unique<Node>();
    slot->name = std::string(name);
    slot->attributes = options.attributes & ~FileAttribute::Directory;
    slot->inUse = options.inUse;
    slot->contents = std::move(options.contents);
    slot->parent = &parent;
    return *this;
}

SimFileSystem& SimFileSystem::folder(std::string_view path, FolderOptions options) {
    folderCache_.clear();
    Node& node = makeFolders(path);
    node.attributes = options.attributes | FileAttribute::Directory;
    node.inUse = options.inUse;
    node.unlistable = options.unlistable;
    return *this;
}

SimFileSystem& SimFileSystem::folderLink(std::string_view path, std::string_view target) {
    folder(path);
    Node& node = makeFolders(path);
    node.linkTarget = std::string(target);
    node.attributes = FileAttribute::Directory | FileAttribute::ReparsePoint;
    return *this;
}

bool SimFileSystem::exists(std::string_view path) const {
    return locate(path, false).node != nullptr;
}

std::string SimFileSystem::contents(std::string_view path) const {
    const Node* node = locate(path, true).node;
    return node != nullptr && !node->folder ? node->contents : std::string();
}

void SimFileSystem::collect(const Node& folder, const std::string& prefix,
                            std::vector<std::string>& out) const {
    for (const auto& [key, child] : folder.children) {
        const std::string path = prefix + child->name;
        if (child->folder) {
            out.push_back(path + "\\");
            if (!child->isLink()) {
                collect(*child, path + "\\", out);
            }
        } else {
            out.push_back(path);
        }
    }
}

std::vector<std::string> SimFileSystem::tree(std::string_view root) const {
    std::vector<std::string> out;
    const Node* node = locate(root, true).node;
    if (node != nullptr && node->folder) {
        std::string prefix(root);
        if (prefix.back() != '\\') {
            prefix += '\\';
        }
        collect(*node, prefix, out);
    }
    return out;
}

bool SimFileSystem::setAttributes(std::string_view path, std::uint32_t attributes) {
    ++counters_.setAttributes;
    Node* node = locate(path, false).node;
    if (node == nullptr) {
        return false;
    }
    const std::uint32_t kept = node->attributes & (FileAttribute::Directory |
                                                   FileAttribute::ReparsePoint);
    node->attributes = (attributes & ~(FileAttribute::Directory | FileAttribute::ReparsePoint)) |
                       kept;
    return true;
}

std::optional<std::uint32_t> SimFileSystem::attributes(std::string_view path) {
    ++counters_.attributes;
    const Node* node = locate(path, false).node;
    if (node == nullptr) {
        return std::nullopt;
    }
    return node->attributes;
}

bool SimFileSystem::deleteFile(std::string_view path) {
    ++counters_.deleteFile;
    const Location where = locate(path, false);
    Node* node = where.node;
    if (node == nullptr || node->folder || node->inUse ||
        (node->attributes & FileAttribute::ReadOnly) != 0) {
        return false;
    }
    where.parent->children.erase(foldCase(node->name));
    return true;
}

bool SimFileSystem::removeFolder(std::string_view path) {
    ++counters_.removeFolder;
    const Location where = locate(path, false);
    Node* node = where.node;
    if (node == nullptr || !node->folder || node->inUse || where.parent == root_.get()) {
        return false;
    }
    // A link is removed itself, never what it leads to.
    if (!node->isLink() && !node->children.empty()) {
        return false;
    }
    folderCache_.clear();
    where.parent->children.erase(foldCase(node->name));
    return true;
}

std::optional<std::vector<DirEntry>> SimFileSystem::listFolder(std::string_view folder) {
    ++counters_.listFolder;
    const Node* node = locate(folder, true).node;
    if (node == nullptr || !node->folder || node->unlistable) {
        return std::nullopt;
    }
    std::vector<DirEntry> entries;
    entries.reserve(node->children.size());
    for (const auto& [key, child] : node->children) {
        entries.push_back({child->name, child->attributes});
    }
    return entries;
}

bool SimFileSystem::deleteMatchingFiles(std::string_view pattern, bool force) {
    const auto cut = pattern.find_last_of("\\/");
    if (cut == std::string_view::npos) {
        return false;
    }
    const std::string_view folderPath = pattern.substr(0, cut);
    const std::string_view namePattern = pattern.substr(cut + 1);
    Node* folderNode = locate(folderPath, true).node;
    if (folderNode == nullptr || !folderNode->folder || folderNode->unlistable) {
        return false;
    }
    std::vector<Node*> matches;
    for (const auto& [key, child] : folderNode->children) {
        const bool hiddenOrSystem =
            (child->attributes & (FileAttribute::Hidden | FileAttribute::System)) != 0;
        if (!child->folder && !hiddenOrSystem && wildcardMatch(namePattern, child->name)) {
            matches.push_back(child.get());
        }
    }
    if (matches.empty()) {
        return false;
    }
    for (Node* node : matches) {
        if (node->inUse || (!force && (node->attributes & FileAttribute::ReadOnly) != 0)) {
            return false;
        }
        folderNode->children.erase(foldCase(node->name));
    }
    return true;
}

bool SimFileSystem::replaceFileContents(std::string_view path, std::string_view bytes) {
    const Location where = locate(path, true);
    if (where.parent == nullptr || where.parent == root_.get() || where.name.empty()) {
        return false;
    }
    Node* node = where.node;
    if (node != nullptr &&
        (node->folder || node->inUse || (node->attributes & FileAttribute::ReadOnly) != 0)) {
        return false;
    }
    if (refuseWrites_) {
        return false;
    }
    if (node == nullptr) {
        auto& slot = where.parent->children[foldCase(where.name)];
        slot = std::make_unique<Node>();
        slot->name = where.name;
        slot->attributes = FileAttribute::Archive;
        slot->parent = where.parent;
        node = slot.get();
    }
    node->contents = std::string(bytes);
    return true;
}

namespace {

bool matchFolded(std::string_view pattern, std::string_view name) {
    // Iterative glob with single backtracking point for the last '*'.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            // '?' stands for one whole character: skip a UTF-8 sequence's continuation bytes.
            if (pattern[p] == '?') {
                while (n + 1 < name.size() &&
                       (static_cast<unsigned char>(name[n + 1]) & 0xC0) == 0x80) {
                    ++n;
                }
            }
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    return matchFolded(foldCase(pattern), foldCase(name));
}

} // namespace vp::sim
