// The shell and the Internet cache passing every call on to another one: the bases of the
// layers over a platform (a preview, a recording), which override only what they change.
#pragma once

#include "platform/InternetCache.h"
#include "platform/Shell.h"

namespace vp {

class ForwardingShell : public Shell {
public:
    explicit ForwardingShell(Shell& inner) : inner_(inner) {}

    long emptyRecycleBin(std::uintptr_t owner, std::string_view root,
                         std::uint32_t flags) override {
        return inner_.emptyRecycleBin(owner, root, flags);
    }
    std::optional<RecycleBinContents> queryRecycleBin(std::string_view root) override {
        return inner_.queryRecycleBin(root);
    }
    std::optional<RecycleBinContents> recycleBinLeftovers(std::string_view root) override {
        return inner_.recycleBinLeftovers(root);
    }
    long updateRecycleBinIcon() override { return inner_.updateRecycleBinIcon(); }
    std::intptr_t execute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                          std::string_view parameters, std::string_view folder, int show) override {
        return inner_.execute(owner, verb, file, parameters, folder, show);
    }

protected:
    Shell& inner() { return inner_; }

private:
    Shell& inner_;
};

class ForwardingInternetCache : public InternetCache {
public:
    explicit ForwardingInternetCache(InternetCache& inner) : inner_(inner) {}

    bool storeExists() override { return inner_.storeExists(); }
    std::vector<std::string> storeFiles() override { return inner_.storeFiles(); }
    CacheSearchHandle findFirstEntry(std::uintptr_t buffer, std::int32_t& size) override {
        return inner_.findFirstEntry(buffer, size);
    }
    bool findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                       std::int32_t& size) override {
        return inner_.findNextEntry(search, buffer, size);
    }
    bool findClose(CacheSearchHandle search) override { return inner_.findClose(search); }
    std::optional<CacheEntryState> inspectEntry(std::string_view sourceUrlName) override {
        return inner_.inspectEntry(sourceUrlName);
    }
    bool deleteEntry(std::string_view sourceUrlName) override {
        return inner_.deleteEntry(sourceUrlName);
    }

protected:
    InternetCache& inner() { return inner_; }

private:
    InternetCache& inner_;
};

} // namespace vp
