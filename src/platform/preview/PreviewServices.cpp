#include "platform/preview/PreviewServices.h"

#include "platform/NarrowText.h"
#include "platform/preview/FileOverlay.h"

#include <cctype>

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
        return RecycleBinContents{};
    }
    auto contents = inner_.queryRecycleBin(root);
    if (!contents || !root.empty()) {
        return contents;
    }
    for (const char drive : emptiedDrives_) {
        const std::string driveRoot{drive, ':', '\\'};
        if (const auto gone = inner_.queryRecycleBin(driveRoot)) {
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

CacheSearchHandle PreviewInternetCache::findFirstEntry(std::uintptr_t buffer, std::int32_t& size) {
    return inner_.findFirstEntry(buffer, size);
}

bool PreviewInternetCache::findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                                         std::int32_t& size) {
    return inner_.findNextEntry(search, buffer, size);
}

bool PreviewInternetCache::findClose(CacheSearchHandle search) {
    return inner_.findClose(search);
}

std::optional<CacheEntryState> PreviewInternetCache::inspectEntry(std::string_view sourceUrlName) {
    if (deleted_.count(std::string(sourceUrlName)) != 0) {
        return std::nullopt;
    }
    return inner_.inspectEntry(sourceUrlName);
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
