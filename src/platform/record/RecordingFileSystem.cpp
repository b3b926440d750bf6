#include "platform/record/RecordingFileSystem.h"

namespace vp::record {
namespace {

class RecordingFolder final : public ForwardingFolder {
public:
    RecordingFolder(std::unique_ptr<Folder> inner, ItemJournal& journal, std::string path)
        : ForwardingFolder(std::move(inner)), journal_(journal), path_(std::move(path)) {}

    std::unique_ptr<Folder> openFolder(std::string_view name, const DirEntry* expected) override {
        auto opened = inner().openFolder(name, expected);
        if (!opened) {
            return nullptr;
        }
        return std::make_unique<RecordingFolder>(std::move(opened), journal_, childPath(name));
    }

    Outcome deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                       const DirEntry* expected) override {
        const Outcome outcome = inner().deleteFile(name, attributes, expected);
        if (outcome != Outcome::Vanished) {
            ItemRecord item;
            item.kind = ItemKind::File;
            item.outcome = outcome;
            item.bytes = expected != nullptr ? expected->size : 0;
            item.path = childPath(name);
            journal_.add(std::move(item));
        }
        return outcome;
    }

    bool removeFolder(std::string_view name) override {
        const bool removed = inner().removeFolder(name);
        ItemRecord item;
        item.kind = ItemKind::Folder;
        item.outcome = removed ? Outcome::Done : whyKept(name);
        item.path = childPath(name);
        if (item.outcome != Outcome::Vanished) {
            journal_.add(std::move(item));
        }
        return removed;
    }

    void leaveAlone(const DirEntry& entry, Outcome why) override {
        ItemRecord item;
        item.kind =
            (entry.attributes & FileAttribute::Directory) != 0 ? ItemKind::Folder : ItemKind::File;
        item.outcome = why;
        item.bytes = item.kind == ItemKind::File ? entry.size : 0;
        item.path = childPath(entry.name);
        journal_.add(std::move(item));
        ForwardingFolder::leaveAlone(entry, why);
    }

private:
    std::string childPath(std::string_view name) const {
        std::string path = path_;
        if (path.empty() || path.back() != '\\') {
            path += '\\';
        }
        path += name;
        return path;
    }

    // Only asked once a removal failed, so a run that removes its folders pays nothing for it.
    Outcome whyKept(std::string_view name) {
        const auto opened = inner().openFolder(name, nullptr);
        if (!opened) {
            // Gone, or a link or file in its place now: the listing tells which.
            const auto entries = inner().list();
            if (entries) {
                for (const DirEntry& entry : *entries) {
                    if (entry.name == name) {
                        return (entry.attributes & FileAttribute::ReparsePoint) != 0
                                   ? Outcome::Link
                                   : Outcome::Failed;
                    }
                }
                return Outcome::Vanished;
            }
            return Outcome::Failed;
        }
        const auto inside = opened->list();
        return inside && !inside->empty() ? Outcome::NotEmpty : Outcome::Failed;
    }

    ItemJournal& journal_;
    std::string path_;
};

} // namespace

std::unique_ptr<Folder> RecordingFileSystem::openFolder(std::string_view path) {
    auto opened = inner().openFolder(path);
    if (!opened) {
        return nullptr;
    }
    std::string named(path);
    while (named.size() > 3 && named.back() == '\\') {
        named.pop_back();
    }
    return std::make_unique<RecordingFolder>(std::move(opened), journal_, std::move(named));
}

} // namespace vp::record
