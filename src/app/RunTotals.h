// What a cleaning run freed, target by target: kept beside the run log, never written into it,
// so the window's texts stay as they are while a caller (the console program) can report sizes.
#pragma once

#include "platform/Outcome.h"

#include <cstdint>
#include <vector>

namespace vp {

struct Totals {
    std::uint64_t files = 0;
    std::uint64_t fileBytes = 0;
    std::uint64_t keptFiles = 0; // files the run tried to delete that stayed
    std::uint64_t folders = 0;
    std::uint64_t keptFolders = 0; // folders the run tried to remove that stayed
    std::uint64_t registryValues = 0;
    std::uint64_t cacheEntries = 0;
    std::uint64_t cacheBytes = 0;
    std::uint64_t recycledItems = 0;
    std::uint64_t recycledBytes = 0;
    std::uint64_t keptRecycledItems = 0; // items the emptying left in the bins
    // Folders left untouched as a whole (a protected place), in the order met.
    std::vector<Refusal> refused;

    Totals& operator+=(const Totals& other);
    bool operator==(const Totals&) const = default;
    bool somethingKept() const {
        return keptFiles != 0 || keptFolders != 0 || keptRecycledItems != 0 || !refused.empty();
    }
};

class RunTotals {
public:
    // Room for `targets` targets, numbered from 1.
    explicit RunTotals(int targets) : byTarget_(static_cast<std::size_t>(targets) + 1) {}

    void reset() { *this = RunTotals(targets()); }
    int targets() const { return static_cast<int>(byTarget_.size()) - 1; }
    // From now on everything counted goes to target `number` (1 to targets(); 0: none).
    void beginTarget(int number) { current_ = number; }
    int currentTarget() const { return current_; }
    Totals& current() { return byTarget_.at(static_cast<std::size_t>(current_)); }
    const Totals& target(int number) const {
        return byTarget_.at(static_cast<std::size_t>(number));
    }
    Totals sum() const;

private:
    std::vector<Totals> byTarget_; // index 0: outside any target
    int current_ = 0;
};

} // namespace vp
