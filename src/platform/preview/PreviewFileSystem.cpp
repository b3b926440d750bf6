#include "platform/preview/PreviewFileSystem.h"

#include "platform/NameCompare.h"

namespace vp::preview {
namespace {

constexpr std::uint32_t Spared = FileAttribute::Hidden | FileAttribute::System;
constexpr std::uint32_t KeptFlags = FileAttribute::Directory | FileAttribute::ReparsePoint;

// The listing with the overlay applied: names gone are left out, given attributes shown.
void applyChanges(const FolderChanges& changes, std::vector<DirEntry>& entries) {
    std::size_t kept = 0;
    for (DirEntry& entry : entries) {
        const std::string folded = foldCase(entry.name);
        if (changes.gone.contains(folded)) {
            continue;
        }
        if (const auto given = changes.attributes.find(folded); given != changes.attributes.end()) {
            entry.attributes = given->second;
        }
        if (&entries[kept] != &entry) {
            entries[kept] = std::move(entry);
        }
        ++kept;
    }
    entries.resize(kept);
}

class PreviewFolder final : public ForwardingFolder {
public:
    PreviewFolder(FileOverlay& overlay, std::unique_ptr<Folder> inner, std::string key)
        : ForwardingFolder(std::move(inner)), overlay_(overlay), key_(std::move(key)) {}

    std::optional<std::vector<DirEntry>> list() override {
        auto entries = inner().list();
        if (!entries) {
            return std::nullopt;
        }
        if (FolderChanges* changes = overlay_.find(key_)) {
            applyChanges(*changes, *entries);
            changes->remaining = static_cast<long>(entries->size());
        }
        listed_ = static_cast<long>(entries->size());
        return entries;
    }

    std::unique_ptr<Folder> openFolder(std::string_view name, const DirEntry* expected) override {
        const std::string folded = foldCase(name);
        if (isGone(folded)) {
            return nullptr;
        }
        auto opened = inner().openFolder(name, expected);
        if (!opened) {
            return nullptr;
        }
        return std::make_unique<PreviewFolder>(overlay_, std::move(opened),
                                               FileOverlay::childKey(key_, folded));
    }

    bool setAttributes(std::uint32_t attributes) override {
        overlay_.recordAttributes(key_, (attributes & ~KeptFlags) | FileAttribute::Directory);
        return true;
    }

    Outcome deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                       const DirEntry* expected) override {
        std::string folded = foldCase(name);
        const std::size_t hash = NameSet::hashOf(folded);
        FolderChanges* changes = record();
        std::optional<std::uint32_t> given;
        if (changes != nullptr) {
            if (changes->gone.contains(folded, hash)) {
                return Outcome::Vanished;
            }
            if (const auto found = changes->attributes.find(folded);
                found != changes->attributes.end()) {
                given = found->second;
            }
        }
        // A file that has become hidden or system since it was listed is not the one the
        // caller meant: it is kept untouched.
        if (expected != nullptr && (expected->attributes & Spared) == 0 && given &&
            (*given & Spared) != 0) {
            return Outcome::HiddenOrSystem;
        }
        Outcome outcome = inner().probeDeleteFile(name, attributes ? attributes : given, expected);
        if (outcome == Outcome::Done && !overlay_.held.empty() &&
            overlay_.held.contains(FileOverlay::childKey(key_, folded))) {
            outcome = Outcome::AccessDenied; // as the deletion of a mapped file is refused
        }
        if (outcome == Outcome::Done) {
            // A file has nothing recorded below it: only this folder's record changes.
            FolderChanges& made = changes != nullptr ? *changes : startRecord();
            if (!made.attributes.empty()) {
                made.attributes.erase(folded);
            }
            made.gone.insert(std::move(folded), hash);
            if (made.remaining > 0) {
                --made.remaining;
            }
        } else if (outcome == Outcome::InUse && attributes) {
            // A file in use still takes its new attributes: that needs no deletion access.
            overlay_.recordAttributes(FileOverlay::childKey(key_, folded), *attributes);
        }
        return outcome;
    }

    bool removeFolder(std::string_view name) override {
        const std::string folded = foldCase(name);
        if (isGone(folded)) {
            return false;
        }
        const std::string key = FileOverlay::childKey(key_, folded);
        const FolderChanges* inside = overlay_.find(key);
        bool removable = false;
        if (inside == nullptr || inside->gone.empty()) {
            removable = inner().probeRemoveFolder(name);
        } else {
            const long remaining = inside->remaining >= 0 ? inside->remaining : countInside(name);
            removable = remaining == 0 && inner().probeRemoveEmptiedFolder(name);
        }
        if (removable) {
            recordGone(key);
        }
        return removable;
    }

    Outcome probeDeleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                            const DirEntry* expected) override {
        if (isGone(foldCase(name))) {
            return Outcome::Vanished;
        }
        return inner().probeDeleteFile(name, attributes, expected);
    }

    bool probeRemoveFolder(std::string_view name) override {
        return !isGone(foldCase(name)) && inner().probeRemoveFolder(name);
    }

    bool probeRemoveEmptiedFolder(std::string_view name) override {
        return !isGone(foldCase(name)) && inner().probeRemoveEmptiedFolder(name);
    }

private:
    // This folder's record, looked up again only when records were made or dropped.
    FolderChanges* record() {
        if (seen_ != overlay_.generation()) {
            record_ = overlay_.find(key_);
            seen_ = overlay_.generation();
        }
        return record_;
    }

    bool isGone(const std::string& folded) const {
        const FolderChanges* changes = overlay_.find(key_);
        return changes != nullptr && changes->gone.contains(folded);
    }

    // This folder's record, made now: it counts from this handle's listing, if any.
    FolderChanges& startRecord() {
        FolderChanges& made = overlay_.changes(key_);
        made.remaining = listed_;
        if (listed_ > 0) {
            made.gone.reserve(static_cast<std::size_t>(listed_));
        }
        return made;
    }

    // A subfolder of this one goes, with whatever was recorded inside it.
    void recordGone(const std::string& key) {
        if (overlay_.find(key_) == nullptr) {
            startRecord();
        }
        overlay_.recordGone(key);
        FolderChanges& changes = *overlay_.find(key_);
        if (changes.remaining > 0) {
            --changes.remaining;
        }
    }

    // The items the subfolder `name` would still hold, listed now; -1 when it cannot be listed.
    long countInside(std::string_view name) {
        auto child = openFolder(name, nullptr);
        if (!child) {
            return -1;
        }
        const auto entries = child->list();
        return entries ? static_cast<long>(entries->size()) : -1;
    }

    FileOverlay& overlay_;
    std::string key_;
    long listed_ = -1; // items in this handle's last listing
    FolderChanges* record_ = nullptr;
    std::uint64_t seen_ = ~std::uint64_t{0};
};

} // namespace

std::unique_ptr<Folder> PreviewFileSystem::openFolder(std::string_view path) {
    std::string key = FileOverlay::keyOf(path);
    if (overlay_.goneOnPath(key)) {
        return nullptr;
    }
    auto opened = inner().openFolder(path);
    if (!opened) {
        return nullptr;
    }
    return std::make_unique<PreviewFolder>(overlay_, std::move(opened), std::move(key));
}

std::optional<std::uint32_t> PreviewFileSystem::attributes(std::string_view path) {
    const std::string key = FileOverlay::keyOf(path);
    if (overlay_.goneOnPath(key)) {
        return std::nullopt;
    }
    if (auto given = overlay_.attributesOf(key)) {
        return given;
    }
    return inner().attributes(path);
}

void PreviewFileSystem::holdOpen(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        overlay_.held.insert(FileOverlay::keyOf(path));
    }
}

bool PreviewFileSystem::replaceFileContents(std::string_view path, std::string_view /*bytes*/) {
    overlay_.writes.emplace_back(path);
    const auto existing = attributes(path);
    constexpr std::uint32_t Refused =
        FileAttribute::Directory | FileAttribute::ReparsePoint | FileAttribute::ReadOnly;
    return !path.empty() && path.back() != '\\' && (!existing || (*existing & Refused) == 0);
}

} // namespace vp::preview
