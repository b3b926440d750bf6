// Raw memory services for the cache listing's entry buffer: page-granular blocks and the
// pointer-validity questions, which never fault.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vp {

class Memory {
public:
    virtual ~Memory() = default;

    // VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE): whole pages, zeroed; 0 on
    // failure. The block holds data, never code, so it is not made executable.
    virtual std::uintptr_t allocate(std::size_t size) = 0;
    virtual bool lock(std::uintptr_t address, std::size_t size) = 0;
    virtual bool unlock(std::uintptr_t address, std::size_t size) = 0;
    // VirtualFree(address, size, MEM_DECOMMIT), then VirtualFree(address, 0, MEM_RELEASE).
    virtual bool decommit(std::uintptr_t address, std::size_t size) = 0;
    virtual bool release(std::uintptr_t address) = 0;

    // IsBadReadPtr / IsBadWritePtr: true when some byte of the range may not be read
    // (written).
    virtual bool isBadReadPtr(std::uintptr_t address, std::size_t count) = 0;
    virtual bool isBadWritePtr(std::uintptr_t address, std::size_t count) = 0;
    // IsBadStringPtrA: true when the narrow string cannot be read up to its zero or `max`.
    virtual bool isBadStringPtr(std::uintptr_t address, std::size_t max) = 0;

    // RtlMoveMemory: overlapping ranges allowed.
    virtual void move(std::uintptr_t destination, std::uintptr_t source, std::size_t count) = 0;

    // The program's own buffer (a record on its stack, say) that it is about to hand to the
    // checks and copies above, and the end of that. Where the checks probe real memory these
    // are not needed and do nothing; a service that cannot probe memory counts only its own
    // blocks and the buffers shared with it as valid.
    virtual void shareBuffer(std::uintptr_t /*address*/, std::size_t /*size*/) {}
    virtual void unshareBuffer(std::uintptr_t /*address*/) {}
};

} // namespace vp
