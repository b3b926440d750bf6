// The Internet cache and the shell of a recording platform: calls pass on; each cache entry
// the run deletes or fails to delete, and what each emptying of the bins removed or left, go
// into the journal.
#pragma once

#include "platform/ForwardingServices.h"
#include "platform/record/ItemJournal.h"

namespace vp {
class NarrowText;
}

namespace vp::record {

class RecordingInternetCache final : public ForwardingInternetCache {
public:
    RecordingInternetCache(InternetCache& inner, const NarrowText& narrowText, ItemJournal& journal)
        : ForwardingInternetCache(inner), narrowText_(narrowText), journal_(journal) {}

    bool deleteEntry(std::string_view sourceUrlName) override;

private:
    const NarrowText& narrowText_;
    ItemJournal& journal_;
};

class RecordingShell final : public ForwardingShell {
public:
    RecordingShell(Shell& inner, ItemJournal& journal)
        : ForwardingShell(inner), journal_(journal) {}

    long emptyRecycleBin(std::uintptr_t owner, std::string_view root, std::uint32_t flags) override;

private:
    ItemJournal& journal_;
};

} // namespace vp::record
