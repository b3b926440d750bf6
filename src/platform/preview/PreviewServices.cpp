#include "platform/preview/PreviewServices.h"

#include "platform/CacheEntryInfo.h"
#include "platform/NarrowText.h"
#include "platform/preview/FileOverlay.h"

#include <cctype>
#include <cstring>

namespace vp::preview {
namespace {

char driveOf(std::string_view root) {
    return root.empty() ? '\0'
                        : static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
}

} // namespace

long PreviewShell::emptyRecycleBin(std::uintptr_t /*owner*/, std::string_view root,
                                   std::uint32_t /*flags*/) {
    if (root.empty()) {
        emptiedAll_ = true;
    } else {
        emptiedDrives_.insert(driveOf(root));
    }
    return 0;
}

std::optional<RecycleBinContents> PreviewShell::queryRecycleBin(std::string_view root) {
    if (emptiedAll_ || (!root.empty() && emptiedDrives_.count(driveOf(root)) != 0)) {
        return inner().recycleBinLeftovers(root);
    }
    auto contents = inner().queryRecycleBin(root);
    if (!contents || !root.empty()) {
        return contents;
    }
    for (const char drive : emptiedDrives_) {
        const std::string driveRoot{drive, ':', '\\'};
        auto gone = inner().queryRecycleBin(driveRoot);
        const auto left = inner().recycleBinLeftovers(driveRoot).value_or(RecycleBinContents{});
        if (gone) {
            gone->items -= std::min(gone->items, left.items);
            gone->bytes -= std::min(gone->bytes, left.bytes);
            contents->items -= std::min(contents->items, gone->items);
            contents->bytes -= std::min(contents->bytes, gone->bytes);
        }
    }
    return contents;
}

long PreviewShell::updateRecycleBinIcon() {
    return 0;
}

std::intptr_t PreviewShell::execute(std::uintptr_t /*owner*/, std::string_view /*verb*/,
                                    std::string_view /*file*/, std::string_view /*parameters*/,
                                    std::string_view /*folder*/, int /*show*/) {
    ++pagesOpened_;
    return 42; // above 32: as if it had opened
}

bool PreviewInternetCache::fetch(CacheSearchHandle& search, Fetched& entry) {
    // An entry may grow between the size query and the fetch: ask again a few times.
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::int32_t size = 0;
        if (search == 0) {
            inner().findFirstEntry(0, size);
        } else {
            inner().findNextEntry(search, 0, size);
        }
        if (size <= 0) {
            return false;
        }
        entry.storage.assign((static_cast<std::size_t>(size) + 7) / 8, 0);
        const auto at = reinterpret_cast<std::uintptr_t>(entry.storage.data());
        std::int32_t given = size;
        bool filled = false;
        if (search == 0) {
            search = inner().findFirstEntry(at, given);
            filled = search != 0;
        } else {
            filled = inner().findNextEntry(search, at, given);
        }
        if (filled) {
            entry.size = given;
            entry.valid = true;
            return true;
        }
    }
    return false;
}

bool PreviewInternetCache::isDeleted(const Fetched& entry) const {
    CacheEntryInfo info{};
    std::memcpy(&info, entry.storage.data(), sizeof info);
    if (info.sourceUrlName == 0) {
        return false;
    }
    const auto* name =
        reinterpret_cast<const char*>(info.sourceUrlName); // NOLINT(performance-no-int-to-ptr)
    return deleted_.count(name) != 0;
}

bool PreviewInternetCache::fetchKept(CacheSearchHandle& search, Fetched& entry) {
    while (fetch(search, entry)) {
        if (!isDeleted(entry)) {
            return true;
        }
    }
    entry.valid = false;
    return false;
}

void PreviewInternetCache::deliver(const Fetched& entry, std::uintptr_t buffer) {
    const auto from = reinterpret_cast<std::uintptr_t>(entry.storage.data());
    const auto size = static_cast<std::size_t>(entry.size);
    // The buffer comes as the address the caller handed to the cache call.
    void* out = reinterpret_cast<void*>(buffer); // NOLINT(performance-no-int-to-ptr)
    std::memcpy(out, entry.storage.data(), size);
    CacheEntryInfo info{};
    std::memcpy(&info, entry.storage.data(), sizeof info);
    for (std::uintptr_t* text :
         {&info.sourceUrlName, &info.localFileName, &info.headerInfo, &info.fileExtension}) {
        if (*text >= from && *text < from + size) {
            *text = *text - from + buffer;
        }
    }
    std::memcpy(out, &info, sizeof info);
}

CacheSearchHandle PreviewInternetCache::findFirstEntry(std::uintptr_t buffer, std::int32_t& size) {
    if (!inner().storeExists()) {
        size = 0;
        return 0;
    }
    if (deleted_.empty()) {
        return inner().findFirstEntry(buffer, size);
    }
    CacheSearchHandle search = 0;
    Fetched first;
    const bool found = fetchKept(search, first);
    const bool delivered = found && buffer != 0 && size >= first.size;
    size = found ? first.size : 0;
    if (!delivered) {
        inner().findClose(search);
        return 0;
    }
    deliver(first, buffer);
    filtered_[search] = Fetched{};
    return search;
}

bool PreviewInternetCache::findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                                         std::int32_t& size) {
    const auto found = filtered_.find(search);
    if (found == filtered_.end()) {
        return inner().findNextEntry(search, buffer, size);
    }
    Fetched& next = found->second;
    if (!next.valid && !fetchKept(search, next)) {
        size = 0;
        return false;
    }
    if (buffer == 0 || size < next.size) {
        size = next.size;
        return buffer == 0;
    }
    deliver(next, buffer);
    size = next.size;
    next.valid = false;
    return true;
}

bool PreviewInternetCache::findClose(CacheSearchHandle search) {
    filtered_.erase(search);
    return inner().findClose(search);
}

std::optional<CacheEntryState> PreviewInternetCache::inspectEntry(std::string_view sourceUrlName) {
    if (deleted_.count(std::string(sourceUrlName)) != 0) {
        return std::nullopt;
    }
    return inner().inspectEntry(sourceUrlName);
}

bool PreviewInternetCache::deleteEntry(std::string_view sourceUrlName) {
    const auto entry = inspectEntry(sourceUrlName);
    if (!entry || entry->inUse) {
        return false;
    }
    deleted_.emplace(sourceUrlName);
    if (!entry->localFile.empty()) {
        files_.recordGone(FileOverlay::keyOf(narrow_.fromNarrow(entry->localFile)));
    }
    return true;
}

} // namespace vp::preview
