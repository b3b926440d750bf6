// Every item a run changed or tried to change, in the order met, with the target that was
// running: what the console program reports item by item. The window never keeps one (a run
// over 100,000 files would hold every path for nothing).
#pragma once

#include "platform/Outcome.h"

#include <functional>
#include <utility>
#include <vector>

namespace vp::record {

struct JournalEntry {
    int target = 0; // the catalogue number of the target that ran (0: none)
    ItemRecord item;
    bool operator==(const JournalEntry&) const = default;
};

class ItemJournal {
public:
    // `currentTarget` tells, at each record, which target is running.
    explicit ItemJournal(std::function<int()> currentTarget)
        : currentTarget_(std::move(currentTarget)) {}

    void add(ItemRecord item) { entries_.push_back({currentTarget_(), std::move(item)}); }
    const std::vector<JournalEntry>& entries() const { return entries_; }

private:
    std::function<int()> currentTarget_;
    std::vector<JournalEntry> entries_;
};

} // namespace vp::record
