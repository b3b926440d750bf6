#include "platform/record/RecordingServices.h"

#include "platform/NarrowText.h"

#include <algorithm>

namespace vp::record {

bool RecordingInternetCache::deleteEntry(std::string_view sourceUrlName) {
    const auto before = inner().inspectEntry(sourceUrlName);
    const bool deleted = inner().deleteEntry(sourceUrlName);
    if (before) {
        ItemRecord item;
        item.kind = ItemKind::CacheEntry;
        // The cache refuses an entry for one reason it can name: a lock.
        item.outcome = deleted ? Outcome::Done : before->inUse ? Outcome::InUse : Outcome::Failed;
        item.bytes = before->size;
        item.path = narrowText_.fromNarrow(sourceUrlName);
        journal_.add(std::move(item));
    }
    return deleted;
}

long RecordingShell::emptyRecycleBin(std::uintptr_t owner, std::string_view root,
                                     std::uint32_t flags) {
    const auto before = inner().queryRecycleBin(root);
    const long status = inner().emptyRecycleBin(owner, root, flags);
    const auto after = inner().queryRecycleBin(root);
    if (before && after) {
        // The shell names no item of the bins: what went and what stayed are counted.
        ItemRecord item;
        item.kind = ItemKind::BinItem;
        item.path = std::string(root);
        if (before->items > after->items) {
            item.count = before->items - after->items;
            item.bytes = before->bytes > after->bytes ? before->bytes - after->bytes : 0;
            journal_.add(item);
        }
        if (const std::uint64_t left = std::min(before->items, after->items); left != 0) {
            item.outcome = Outcome::Failed;
            item.count = left;
            item.bytes = std::min(before->bytes, after->bytes);
            journal_.add(item);
        }
    }
    return status;
}

} // namespace vp::record
