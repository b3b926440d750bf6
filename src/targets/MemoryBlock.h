// One block of raw memory from the platform's virtual-memory service, committed and locked
// while held, used as the receiving buffer of a platform call. Every copy in or out is guarded
// by the platform's pointer checks, so a bad address makes the operation do nothing.
#pragma once

#include <cstdint>
#include <string>

namespace vp {

class Memory;
class NarrowText;

class MemoryBlock {
public:
    MemoryBlock(Memory& memory, const NarrowText& narrowText);
    ~MemoryBlock(); // gives the block back
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    // The block's address; 0 when none is held (never allocated, refused or released).
    std::uintptr_t handle() const { return address_; }

    // Gives back any block held, then takes a fresh zeroed block of `lCount` bytes and locks
    // it. A refusal (or a count below 1) leaves no block; nothing is reported.
    void Allocate(std::int32_t lCount);

    // Copies `lLength` bytes from the start of the block to `hWritePointer`, only when that
    // range may be written and the block's range may be read.
    void ReadFrom(std::uintptr_t hWritePointer, std::int32_t lLength);

    // Copies `lLength` bytes from `hReadPointer` to the start of the block, only when that
    // range may be read and the block's range may be written.
    void WriteTo(std::uintptr_t hReadPointer, std::int32_t lLength);

    // The zero-terminated narrow string at `hStartPointer`, at most `lMax` characters of it,
    // decoded; the empty text when it cannot be read.
    std::string ExtractString(std::uintptr_t hStartPointer, std::int32_t lMax) const;

    // Unlocks, decommits and releases the block; nothing when none is held.
    void ReleaseMemory();

private:
    Memory& memory_;
    const NarrowText& narrowText_;
    std::uintptr_t address_ = 0;
    std::int32_t size_ = 0;
};

} // namespace vp
