// A file service, and its folders, that pass every call on to another one: the base of the
// layers over a platform (a preview, a recording), which override only what they change.
#pragma once

#include "platform/FileSystem.h"

#include <memory>
#include <utility>

namespace vp {

class ForwardingFolder : public Folder {
public:
    explicit ForwardingFolder(std::unique_ptr<Folder> inner) : inner_(std::move(inner)) {}

    std::optional<std::vector<DirEntry>> list() override { return inner_->list(); }
    std::unique_ptr<Folder> openFolder(std::string_view name, const DirEntry* expected) override {
        return inner_->openFolder(name, expected);
    }
    bool setAttributes(std::uint32_t attributes) override {
        return inner_->setAttributes(attributes);
    }
    Outcome deleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                       const DirEntry* expected) override {
        return inner_->deleteFile(name, attributes, expected);
    }
    bool removeFolder(std::string_view name) override { return inner_->removeFolder(name); }
    Outcome probeDeleteFile(std::string_view name, std::optional<std::uint32_t> attributes,
                            const DirEntry* expected) override {
        return inner_->probeDeleteFile(name, attributes, expected);
    }
    bool probeRemoveFolder(std::string_view name) override {
        return inner_->probeRemoveFolder(name);
    }
    bool probeRemoveEmptiedFolder(std::string_view name) override {
        return inner_->probeRemoveEmptiedFolder(name);
    }
    void leaveAlone(const DirEntry& entry, Outcome why) override { inner_->leaveAlone(entry, why); }
    std::string finalPath() override { return inner_->finalPath(); }

protected:
    Folder& inner() { return *inner_; }

private:
    std::unique_ptr<Folder> inner_;
};

class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

    std::unique_ptr<Folder> openFolder(std::string_view path) override {
        return inner_.openFolder(path);
    }
    std::optional<std::uint32_t> attributes(std::string_view path) override {
        return inner_.attributes(path);
    }
    bool replaceFileContents(std::string_view path, std::string_view bytes) override {
        return inner_.replaceFileContents(path, bytes);
    }
    bool canMakeFileIn(std::string_view path) override { return inner_.canMakeFileIn(path); }
    std::vector<ProtectedPlace> protectedPlaces() override { return inner_.protectedPlaces(); }

protected:
    FileSystem& inner() { return inner_; }

private:
    FileSystem& inner_;
};

} // namespace vp
