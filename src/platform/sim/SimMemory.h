// The simulated memory service: page-aligned blocks from the heap, committed and zeroed, with
// lock and unlock recorded. Its pointer checks never probe memory: an address counts as valid
// only inside a committed block it handed out or a buffer the program shared with it; anything
// else from outside (stale, made up, or the program's memory it was not told about) is bad.
#pragma once

#include "platform/Memory.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace vp::sim {

struct MemoryCounters {
    long allocations = 0; // blocks handed out
    long refused = 0;     // allocations refused
    long locks = 0;
    long unlocks = 0;
    long decommits = 0;
    long releases = 0;
};

class SimMemory final : public Memory {
public:
    static constexpr std::size_t PageSize = 4096;

    SimMemory() = default;
    ~SimMemory() override;
    SimMemory(const SimMemory&) = delete;
    SimMemory& operator=(const SimMemory&) = delete;

    // Every allocation from the `n`th on (counting from 1, refused ones included) is refused;
    // 0 refuses none.
    void refuseAllocationsFrom(long n) { refuseFrom_ = n; }

    // Inspection, for assertions.
    const MemoryCounters& counters() const { return counters_; }
    std::size_t liveBlocks() const { return blocks_.size(); }
    bool isLocked(std::uintptr_t address) const;

    std::uintptr_t allocate(std::size_t size) override;
    bool lock(std::uintptr_t address, std::size_t size) override;
    bool unlock(std::uintptr_t address, std::size_t size) override;
    bool decommit(std::uintptr_t address, std::size_t size) override;
    bool release(std::uintptr_t address) override;
    bool isBadReadPtr(std::uintptr_t address, std::size_t count) override;
    bool isBadWritePtr(std::uintptr_t address, std::size_t count) override;
    bool isBadStringPtr(std::uintptr_t address, std::size_t max) override;
    // Copying through a range the checks would call bad throws std::logic_error: on Windows
    // the copy would fault, so a caller that gets here has skipped its checks.
    void move(std::uintptr_t destination, std::uintptr_t source, std::size_t count) override;
    void shareBuffer(std::uintptr_t address, std::size_t size) override;
    void unshareBuffer(std::uintptr_t address) override;

private:
    struct Block {
        std::uintptr_t address = 0;
        std::size_t size = 0; // whole pages
        bool committed = true;
        bool locked = false;
    };
    struct Spare {
        void* memory = nullptr;
        std::size_t size = 0;
    };
    struct Region {
        std::uintptr_t start = 0;
        std::size_t size = 0;
    };

    Block* find(std::uintptr_t address);
    const Block* find(std::uintptr_t address) const;
    // The committed block or shared buffer holding `address`, if any.
    bool regionOf(std::uintptr_t address, Region& region) const;
    bool valid(std::uintptr_t address, std::size_t count) const;

    // A program holds a few blocks at a time, so a short list searched from its newest end
    // beats a tree; released blocks are kept for reuse instead of going back to the heap.
    std::vector<Block> blocks_;
    std::vector<Spare> spares_;
    std::map<std::uintptr_t, std::size_t> shared_;
    MemoryCounters counters_;
    long refuseFrom_ = 0;
};

} // namespace vp::sim
