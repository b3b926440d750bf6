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
    std::uint64_t id = 0;
    bool folder = false;
    bool inUse = false;
    bool mapped = false;
    bool unlistable = false;
    bool noNewFiles = false;
    bool refusedName = false;
    bool detached = false; // taken out of the tree: open handles on it fail
    int openHandles = 0;   // Folder handles on it: as on Windows, it cannot be removed then
    std::string contents;
    std::string linkTarget;     // non-empty for a link
    std::shared_ptr<Node> same; // a hard link: the file whose identity and contents it shares
    int links = 1;              // names of the file (counted on the file itself)
    Node* parent = nullptr;
    std::map<std::string, std::shared_ptr<Node>> children; // keyed by folded name

    bool isLink() const { return !linkTarget.empty(); }
};

namespace {

constexpr int MaxLinkHops = 32;

// What a name stands for: the file itself, or the file a hard link shares.
SimFileSystem::Node& body(SimFileSystem::Node& node) {
    return node.same ? *node.same : node;
}
const SimFileSystem::Node& body(const SimFileSystem::Node& node) {
    return node.same ? *node.same : node;
}

constexpr std::uint32_t KeptFlags = FileAttribute::Directory | FileAttribute::ReparsePoint;

void assignAttributes(SimFileSystem::Node& node, std::uint32_t attributes) {
    node.attributes = (attributes & ~KeptFlags) | (node.attributes & KeptFlags);
}

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

SimFileSystem::SimFileSystem() : root_(std::make_shared<Node>()) {
    root_->folder = true;
}

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
            slot = std::make_shared<Node>();
            slot->id = nextId_++;
            slot->name = std::string(part);
            slot->folder = true;
            slot->attributes = FileAttribute::Directory;
            slot->parent = current;
        }
        current = slot.get();
    }
    return *current;
}

SimFileSystem::Node& SimFileSystem::place(std::string_view path) {
    folderCache_.clear();
    const auto cut = path.find_last_of("\\/");
    if (cut == std::string_view::npos) {
        throw std::invalid_argument("not a drive path: " + std::string(path));
    }
    Node& parent = makeFolders(path.substr(0, cut));
    const std::string_view name = path.substr(cut + 1);
    auto& slot = parent.children[foldCase(name)];
    if (slot) {
        detach(*slot);
    }
    slot = std::make_shared<Node>();
    slot->id = nextId_++;
    slot->name = std::string(name);
    slot->parent = &parent;
    return *slot;
}

void SimFileSystem::detach(Node& node) {
    node.detached = true;
    node.parent = nullptr;
    for (auto& [key, child] : node.children) {
        detach(*child);
    }
}

SimFileSystem& SimFileSystem::file(std::string_view path, FileOptions options) {
    Node& node = place(path);
    node.attributes = options.attributes & ~FileAttribute::Directory;
    node.inUse = options.inUse;
    node.mapped = options.mapped;
    node.refusedName = options.refusedName;
    node.contents = std::move(options.contents);
    return *this;
}

SimFileSystem& SimFileSystem::folder(std::string_view path, FolderOptions options) {
    folderCache_.clear();
    Node& node = makeFolders(path);
    node.attributes = options.attributes | FileAttribute::Directory;
    node.inUse = options.inUse;
    node.unlistable = options.unlistable;
    node.noNewFiles = options.noNewFiles;
    return *this;
}

SimFileSystem& SimFileSystem::folderLink(std::string_view path, std::string_view target) {
    Node& node = place(path);
    node.folder = true;
    node.linkTarget = std::string(target);
    node.attributes = FileAttribute::Directory | FileAttribute::ReparsePoint;
    return *this;
}

SimFileSystem& SimFileSystem::fileLink(std::string_view path, std::string_view target) {
    Node& node = place(path);
    node.linkTarget = std::string(target);
    node.attributes = FileAttribute::Archive | FileAttribute::ReparsePoint;
    return *this;
}

SimFileSystem& SimFileSystem::hardLink(std::string_view path, std::string_view target) {
    const Location where = locate(target, false);
    if (where.node == nullptr || where.node->folder || where.node->isLink()) {
        throw std::invalid_argument("no file to link to at " + std::string(target));
    }
    std::shared_ptr<Node> file = where.parent->children.at(foldCase(where.node->name));
    if (file->same) {
        file = file->same;
    }
    Node& node = place(path);
    node.same = file;
    ++file->links;
    return *this;
}

SimFileSystem& SimFileSystem::protectedPlace(std::string_view path, PlaceKind kind) {
    places_.push_back({std::string(path), kind});
    return *this;
}

SimFileSystem& SimFileSystem::setAttributes(std::string_view path, std::uint32_t attributes) {
    const Location where = locate(path, false);
    if (where.node == nullptr) {
        throw std::invalid_argument("nothing at " + std::string(path));
    }
    assignAttributes(body(*where.node), attributes);
    return *this;
}

SimFileSystem& SimFileSystem::remove(std::string_view path) {
    const Location where = locate(path, false);
    if (where.node != nullptr) {
        folderCache_.clear();
        const std::string key = foldCase(where.node->name);
        detach(*where.node);
        where.parent->children.erase(key);
    }
    return *this;
}

SimFileSystem& SimFileSystem::rename(std::string_view from, std::string_view to) {
    const Location where = locate(from, false);
    if (where.node == nullptr) {
        throw std::invalid_argument("nothing to rename at " + std::string(from));
    }
    folderCache_.clear();
    std::shared_ptr<Node> moved = where.parent->children.at(foldCase(where.node->name));
    where.parent->children.erase(foldCase(where.node->name));
    const auto cut = to.find_last_of("\\/");
    Node& parent = makeFolders(to.substr(0, cut));
    moved->name = std::string(to.substr(cut + 1));
    moved->parent = &parent;
    parent.children[foldCase(moved->name)] = std::move(moved);
    return *this;
}

void SimFileSystem::beforeCall(long call, std::function<void()> change) {
    changeAt_ = call;
    change_ = std::move(change);
}

void SimFileSystem::tick() {
    if (calls_++ == changeAt_ && change_) {
        auto change = std::move(change_);
        change_ = nullptr;
        change();
    }
}

bool SimFileSystem::exists(std::string_view path) const {
    return locate(path, false).node != nullptr;
}

std::string SimFileSystem::contents(std::string_view path) const {
    const Node* node = locate(path, true).node;
    return node != nullptr && !node->folder ? body(*node).contents : std::string();
}

std::uint32_t SimFileSystem::attributesOf(std::string_view path) const {
    const Node* node = locate(path, false).node;
    return node != nullptr ? body(*node).attributes : 0;
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

bool SimFileSystem::canMakeFileIn(std::string_view path) {
    tick();
    const Node* node = locate(path, true).node;
    // A full disk (refuseWrites) still takes an empty file: only the writing fails.
    return node != nullptr && node->folder && !node->noNewFiles;
}

std::string SimFileSystem::snapshot(std::string_view root) const {
    std::string out;
    for (const std::string& path : tree(root)) {
        const Node& node = body(*locate(path, false).node);
        out += path + " attributes=" + std::to_string(node.attributes) +
               " id=" + std::to_string(node.id) + " link=" + node.linkTarget +
               " contents=" + node.contents + "\n";
    }
    return out;
}

bool SimFileSystem::eraseFile(std::string_view path) {
    const Location where = locate(path, false);
    if (where.node == nullptr || where.node->folder) {
        return false;
    }
    const std::string key = foldCase(where.node->name);
    detach(*where.node);
    where.parent->children.erase(key);
    return true;
}

// An open folder: it holds the folder's node itself, so a rename or a swap of its path does
// not redirect it; once the folder is taken out of the tree every call fails.
class SimFolder final : public Folder {
public:
    SimFolder(SimFileSystem& fs, std::shared_ptr<SimFileSystem::Node> node)
        : fs_(fs), node_(std::move(node)) {
        ++node_->openHandles;
    }
    ~SimFolder() override { --node_->openHandles; }
    SimFolder(const SimFolder&) = delete;
    SimFolder& operator=(const SimFolder&) = delete;

    std::optional<std::vector<DirEntry>> list() override {
        fs_.tick();
        ++fs_.counters_.list;
        if (node_->detached || node_->unlistable) {
            return std::nullopt;
        }
        std::vector<DirEntry> entries;
        entries.reserve(node_->children.size());
        for (const auto& [key, child] : node_->children) {
            const SimFileSystem::Node& item = body(*child);
            entries.push_back({child->name, item.attributes, item.contents.size(), item.id});
            fs_.listedIds_.insert(item.id);
        }
        return entries;
    }

    std::unique_ptr<Folder> openFolder(std::string_view name, const DirEntry* expected) override {
        fs_.tick();
        ++fs_.counters_.openFolder;
        const auto child = find(name);
        if (!child || !child->folder || child->isLink() ||
            (expected != nullptr && expected->fileId != child->id)) {
            return nullptr;
        }
        audit(*child, name);
        return std::make_unique<SimFolder>(fs_, child);
    }

    bool setAttributes(std::uint32_t attributes) override {
        fs_.tick();
        ++fs_.counters_.setAttributes;
        if (node_->detached) {
            return false;
        }
        assignAttributes(*node_, attributes);
        return true;
    }

    Outcome deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                       const DirEntry* expected) override {
        fs_.tick();
        ++fs_.counters_.deleteFile;
        const auto child = find(name);
        if (node_->detached || !child) {
            return Outcome::Vanished;
        }
        if (const Outcome refused = refusal(*child, expected); refused != Outcome::Done) {
            return refused;
        }
        SimFileSystem::Node& file = body(*child);
        if (file.links > 1) {
            // The other names share the attributes: they are never changed through this one.
            if ((file.attributes & FileAttribute::ReadOnly) != 0) {
                return Outcome::Link;
            }
        } else if (attributes) {
            // Attributes are set on a file in use too: that needs no deletion access.
            assignAttributes(file, *attributes);
        }
        if (file.inUse) {
            return Outcome::InUse;
        }
        if ((file.attributes & FileAttribute::ReadOnly) != 0 || file.mapped) {
            return Outcome::AccessDenied;
        }
        audit(*child, name);
        --file.links;
        fs_.folderCache_.clear();
        fs_.detach(*child);
        node_->children.erase(foldCase(name));
        return Outcome::Done;
    }

    bool removeFolder(std::string_view name) override {
        fs_.tick();
        ++fs_.counters_.removeFolder;
        const auto child = find(name);
        if (!removable(child.get())) {
            return false;
        }
        fs_.folderCache_.clear();
        fs_.detach(*child);
        node_->children.erase(foldCase(name));
        return true;
    }

    Outcome probeDeleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                            const DirEntry* expected) override {
        fs_.tick();
        const auto child = find(name);
        if (node_->detached || !child) {
            return Outcome::Vanished;
        }
        if (const Outcome refused = refusal(*child, expected); refused != Outcome::Done) {
            return refused;
        }
        const SimFileSystem::Node& file = body(*child);
        const std::uint32_t after =
            file.links > 1 ? file.attributes : attributes.value_or(file.attributes);
        if ((after & FileAttribute::ReadOnly) != 0) {
            return file.links > 1 ? Outcome::Link : Outcome::AccessDenied;
        }
        return file.inUse ? Outcome::InUse : Outcome::Done;
    }

    bool probeRemoveFolder(std::string_view name) override {
        fs_.tick();
        return removable(find(name).get());
    }

    bool probeRemoveEmptiedFolder(std::string_view name) override {
        fs_.tick();
        const auto child = find(name);
        return child != nullptr && !node_->detached && child->folder && !child->isLink() &&
               !child->inUse && child->openHandles == 0;
    }

    std::string finalPath() override {
        if (node_->detached) {
            return {};
        }
        std::string path;
        for (const SimFileSystem::Node* at = node_.get(); at != nullptr && !at->name.empty();
             at = at->parent) {
            if (!path.empty()) {
                path.insert(0, 1, '\\');
            }
            path.insert(0, at->name);
        }
        return path.size() == 2 ? path + "\\" : path;
    }

private:
    std::shared_ptr<SimFileSystem::Node> find(std::string_view name) const {
        if (node_->detached || name.find_first_of("\\/") != std::string_view::npos) {
            return nullptr;
        }
        const auto found = node_->children.find(foldCase(name));
        return found == node_->children.end() ? nullptr : found->second;
    }

    // Why the file `child` may not be deleted as the listing's `expected` (Done: it may).
    static Outcome refusal(const SimFileSystem::Node& child, const DirEntry* expected) {
        constexpr std::uint32_t NotForDeletion = FileAttribute::Hidden | FileAttribute::System;
        if (child.isLink()) {
            return Outcome::Link;
        }
        if (child.folder) {
            return expected != nullptr ? Outcome::Replaced : Outcome::Failed;
        }
        if (child.refusedName) {
            return Outcome::Failed;
        }
        const SimFileSystem::Node& file = body(child);
        if (expected != nullptr) {
            if (expected->fileId != file.id) {
                return Outcome::Replaced;
            }
            if ((file.attributes & NotForDeletion) != 0 &&
                (expected->attributes & NotForDeletion) == 0) {
                return Outcome::HiddenOrSystem;
            }
        }
        return Outcome::Done;
    }

    bool removable(const SimFileSystem::Node* child) const {
        return child != nullptr && !node_->detached && child->folder && !child->isLink() &&
               !child->inUse && child->openHandles == 0 && child->children.empty();
    }

    // Records an item changed or entered that no listing has shown.
    void audit(const SimFileSystem::Node& child, std::string_view name) {
        if (!fs_.listedIds_.contains(body(child).id)) {
            fs_.actedOnUnlisted_.emplace_back(name);
        }
    }

    SimFileSystem& fs_;
    std::shared_ptr<SimFileSystem::Node> node_;
};

std::unique_ptr<Folder> SimFileSystem::openFolder(std::string_view path) {
    tick();
    ++counters_.openFolder;
    const Location where = locate(path, false);
    Node* node = where.node;
    if (node == nullptr || !node->folder || node->isLink()) {
        return nullptr;
    }
    // The root's drives have no parent map entry; everything else is held by its parent.
    const std::shared_ptr<Node> held =
        where.parent == nullptr ? nullptr : where.parent->children.at(foldCase(node->name));
    if (!held) {
        return nullptr;
    }
    return std::make_unique<SimFolder>(*this, held);
}

std::optional<std::uint32_t> SimFileSystem::attributes(std::string_view path) {
    tick();
    ++counters_.attributes;
    const Node* node = locate(path, false).node;
    if (node == nullptr || node->refusedName) {
        return std::nullopt;
    }
    return body(*node).attributes;
}

bool SimFileSystem::replaceFileContents(std::string_view path, std::string_view bytes) {
    tick();
    if (path.empty() || path.back() == '\\') {
        return false;
    }
    Location where = locate(path, false);
    // A link to a file: the file it leads to is saved to, as editors do; a link that leads
    // nowhere makes no file there.
    for (int hops = 0; where.node != nullptr && where.node->isLink() && !where.node->folder;
         ++hops) {
        where = locate(where.node->linkTarget, false);
        if (where.node == nullptr || hops == MaxLinkHops) {
            return false;
        }
    }
    if (where.parent == nullptr || where.parent == root_.get() || where.name.empty()) {
        return false;
    }
    const Node* node = where.node;
    if (node != nullptr &&
        (node->folder || node->isLink() || body(*node).inUse || node->refusedName ||
         (body(*node).attributes & FileAttribute::ReadOnly) != 0)) {
        return false;
    }
    // The new content is a file made new, which then takes the name: where none can be made,
    // nothing changes.
    if (refuseWrites_ || where.parent->noNewFiles) {
        return false;
    }
    folderCache_.clear();
    const std::string name = node != nullptr ? node->name : where.name; // the old one goes
    auto& slot = where.parent->children[foldCase(where.name)];
    if (slot) {
        if (slot->same) {
            --slot->same->links;
        }
        detach(*slot);
    }
    slot = std::make_shared<Node>();
    slot->id = nextId_++;
    slot->name = name;
    slot->attributes = FileAttribute::Archive;
    slot->parent = where.parent;
    slot->contents = std::string(bytes);
    return true;
}

} // namespace vp::sim
