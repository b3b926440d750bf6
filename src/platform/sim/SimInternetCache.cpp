// Simulated Internet cache: in memory only; writes nowhere but the entry buffers it is given.
#include "platform/sim/SimInternetCache.h"

#include "platform/CacheEntryInfo.h"
#include "platform/sim/SimFileSystem.h"

#include <cstring>

namespace vp::sim {

SimInternetCache& SimInternetCache::entry(std::string_view sourceUrlName,
                                          const CacheEntryOptions& options) {
    Entry made;
    made.url = narrow_.toNarrow(sourceUrlName);
    made.localFile = narrow_.toNarrow(options.localFile);
    made.localFileUtf8 = options.localFile;
    made.inUse = options.inUse;
    made.growBy = options.growBy;
    made.growTimes = options.growBy == 0 ? 0 : options.growTimes;
    entries_.push_back(std::move(made));
    return *this;
}

std::vector<std::string> SimInternetCache::names() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        out.push_back(narrow_.fromNarrow(entry.url));
    }
    return out;
}

int SimInternetCache::openSearches() const {
    int open = 0;
    for (const bool isOpen : searchOpen_) {
        open += isOpen ? 1 : 0;
    }
    return open;
}

std::int32_t SimInternetCache::entrySize(std::size_t index) const {
    return index < entries_.size() ? sizeOf(entries_[index]) : 0;
}

std::int32_t SimInternetCache::sizeOf(const Entry& entry) const {
    return static_cast<std::int32_t>(sizeof(CacheEntryInfo) + entry.url.size() + 1 +
                                     entry.localFile.size() + 1) +
           entry.extra;
}

void SimInternetCache::fill(const Entry& entry, std::uintptr_t buffer) const {
    CacheEntryInfo info{};
    info.structSize = sizeof(CacheEntryInfo);
    info.sourceUrlName = buffer + sizeof(CacheEntryInfo);
    info.localFileName = info.sourceUrlName + entry.url.size() + 1;
    info.cacheEntryType = entry.url.starts_with("Cookie:") ? 0x00100000u : 0x1u;
    info.headerInfoSize = static_cast<std::uint32_t>(entry.extra);
    // The buffer comes as the address the caller handed to the cache call.
    auto* out = reinterpret_cast<char*>(buffer); // NOLINT(performance-no-int-to-ptr)
    std::memcpy(out, &info, sizeof info);
    out += sizeof info;
    std::memcpy(out, entry.url.c_str(), entry.url.size() + 1);
    out += entry.url.size() + 1;
    std::memcpy(out, entry.localFile.c_str(), entry.localFile.size() + 1);
}

bool SimInternetCache::serve(std::size_t index, std::uintptr_t buffer, std::int32_t& size) {
    if (index >= entries_.size()) {
        size = 0;
        return false;
    }
    Entry& entry = entries_[index];
    if (buffer == 0) {
        size = sizeOf(entry);
        // The entry changes right after the caller learnt its size.
        if (entry.growTimes != 0) {
            entry.extra += entry.growBy;
            entry.growTimes -= entry.growTimes > 0 ? 1 : 0;
        }
        return false;
    }
    const std::int32_t needed = sizeOf(entry);
    if (size < needed) {
        ++counters_.failedFetches;
        size = needed;
        return false;
    }
    fill(entry, buffer);
    size = needed;
    return true;
}

CacheSearchHandle SimInternetCache::findFirstEntry(std::uintptr_t buffer, std::int32_t& size) {
    ++counters_.findFirst;
    store_ = true; // as wininet does: a search sets up the store
    if (!serve(0, buffer, size)) {
        return 0;
    }
    searches_.push_back(1);
    searchOpen_.push_back(true);
    return searches_.size();
}

bool SimInternetCache::findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                                     std::int32_t& size) {
    ++counters_.findNext;
    if (search == 0 || search > searches_.size() || !searchOpen_[search - 1]) {
        return false; // an unknown handle leaves the size as it was
    }
    std::size_t& position = searches_[search - 1];
    if (!serve(position, buffer, size)) {
        return false;
    }
    ++position;
    return true;
}

bool SimInternetCache::findClose(CacheSearchHandle search) {
    ++counters_.findClose;
    if (search == 0 || search > searches_.size() || !searchOpen_[search - 1]) {
        return false;
    }
    searchOpen_[search - 1] = false;
    return true;
}

std::optional<CacheEntryState> SimInternetCache::inspectEntry(std::string_view sourceUrlName) {
    for (const Entry& entry : entries_) {
        if (entry.url == sourceUrlName) {
            CacheEntryState state;
            state.localFile = entry.localFile;
            state.inUse = entry.inUse;
            if (files_ != nullptr && !entry.localFileUtf8.empty()) {
                state.size = files_->contents(entry.localFileUtf8).size();
            }
            return state;
        }
    }
    return std::nullopt;
}

bool SimInternetCache::deleteEntry(std::string_view sourceUrlName) {
    ++counters_.deleteEntry;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->url != sourceUrlName) {
            continue;
        }
        if (it->inUse) {
            return false;
        }
        if (files_ != nullptr && !it->localFileUtf8.empty()) {
            files_->eraseFile(it->localFileUtf8);
        }
        const auto index = static_cast<std::size_t>(it - entries_.begin());
        entries_.erase(it);
        // Open searches keep their place among the entries that are left.
        for (std::size_t& position : searches_) {
            if (position > index) {
                --position;
            }
        }
        return true;
    }
    return false;
}

} // namespace vp::sim
