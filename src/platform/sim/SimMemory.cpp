// Simulated memory service: heap blocks standing in for virtual memory; no operating-system
// calls and no probing of addresses it does not own.
#include "platform/sim/SimMemory.h"

#include <cstring>
#include <new>
#include <stdexcept>

namespace vp::sim {
namespace {

// Larger requests are refused, as the address space of a 32-bit process would refuse them.
constexpr std::size_t MaxBlock = std::size_t{1} << 30;
constexpr std::size_t MaxSpares = 8;

void* pointer(std::uintptr_t address) {
    return reinterpret_cast<void*>(address); // NOLINT(performance-no-int-to-ptr)
}

} // namespace

SimMemory::~SimMemory() {
    for (const Block& block : blocks_) {
        ::operator delete (pointer(block.address), std::align_val_t{PageSize});
    }
    for (const Spare& spare : spares_) {
        ::operator delete (spare.memory, std::align_val_t{PageSize});
    }
}

SimMemory::Block* SimMemory::find(std::uintptr_t address) {
    for (auto it = blocks_.rbegin(); it != blocks_.rend(); ++it) {
        if (it->address == address) {
            return &*it;
        }
    }
    return nullptr;
}

const SimMemory::Block* SimMemory::find(std::uintptr_t address) const {
    return const_cast<SimMemory*>(this)->find(address);
}

bool SimMemory::isLocked(std::uintptr_t address) const {
    const Block* block = find(address);
    return block != nullptr && block->locked;
}

std::uintptr_t SimMemory::allocate(std::size_t size) {
    const long attempt = counters_.allocations + counters_.refused + 1;
    if (size == 0 || size > MaxBlock || (refuseFrom_ > 0 && attempt >= refuseFrom_)) {
        ++counters_.refused;
        return 0;
    }
    const std::size_t pages = (size + PageSize - 1) / PageSize * PageSize;
    void* memory = nullptr;
    for (auto it = spares_.begin(); it != spares_.end(); ++it) {
        if (it->size == pages) {
            memory = it->memory;
            spares_.erase(it);
            break;
        }
    }
    if (memory == nullptr) {
        memory = ::operator new (pages, std::align_val_t{PageSize}, std::nothrow);
    }
    if (memory == nullptr) {
        ++counters_.refused;
        return 0;
    }
    std::memset(memory, 0, pages);
    const auto address = reinterpret_cast<std::uintptr_t>(memory);
    blocks_.push_back(Block{address, pages});
    ++counters_.allocations;
    return address;
}

bool SimMemory::lock(std::uintptr_t address, std::size_t size) {
    ++counters_.locks;
    Block* block = find(address);
    if (block == nullptr || !block->committed || size > block->size) {
        return false;
    }
    block->locked = true;
    return true;
}

bool SimMemory::unlock(std::uintptr_t address, std::size_t /*size*/) {
    ++counters_.unlocks;
    Block* block = find(address);
    if (block == nullptr || !block->locked) {
        return false;
    }
    block->locked = false;
    return true;
}

bool SimMemory::decommit(std::uintptr_t address, std::size_t /*size*/) {
    ++counters_.decommits;
    Block* block = find(address);
    if (block == nullptr) {
        return false;
    }
    // Decommitted pages can no longer be touched, whatever the size said.
    block->committed = false;
    block->locked = false;
    return true;
}

bool SimMemory::release(std::uintptr_t address) {
    Block* block = find(address);
    if (block == nullptr) {
        return false;
    }
    if (spares_.size() < MaxSpares) {
        spares_.push_back({pointer(address), block->size});
    } else {
        ::operator delete (pointer(address), std::align_val_t{PageSize});
    }
    blocks_.erase(blocks_.begin() + (block - blocks_.data()));
    ++counters_.releases;
    return true;
}

bool SimMemory::regionOf(std::uintptr_t address, Region& region) const {
    for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
        if (block->committed && address - block->address < block->size) {
            region = {block->address, block->size};
            return true;
        }
    }
    if (auto buffer = shared_.upper_bound(address); buffer != shared_.begin()) {
        --buffer;
        if (address - buffer->first < buffer->second) {
            region = {buffer->first, buffer->second};
            return true;
        }
    }
    return false;
}

bool SimMemory::valid(std::uintptr_t address, std::size_t count) const {
    if (count == 0) {
        return true; // an empty range touches nothing, as IsBadReadPtr(p, 0) says
    }
    Region region;
    return regionOf(address, region) && count <= region.size - (address - region.start);
}

bool SimMemory::isBadReadPtr(std::uintptr_t address, std::size_t count) {
    return !valid(address, count);
}

bool SimMemory::isBadWritePtr(std::uintptr_t address, std::size_t count) {
    return !valid(address, count);
}

bool SimMemory::isBadStringPtr(std::uintptr_t address, std::size_t max) {
    if (max == 0) {
        return false;
    }
    Region region;
    if (!regionOf(address, region)) {
        return true;
    }
    const std::size_t readable = region.size - (address - region.start);
    const std::size_t scanned = readable < max ? readable : max;
    if (std::memchr(pointer(address), 0, scanned) != nullptr) {
        return false;
    }
    return readable < max; // the region ends before the zero and before `max`
}

void SimMemory::move(std::uintptr_t destination, std::uintptr_t source, std::size_t count) {
    if (count == 0) {
        return;
    }
    if (!valid(destination, count) || !valid(source, count)) {
        throw std::logic_error("memory copy through an unchecked address would fault");
    }
    std::memmove(pointer(destination), pointer(source), count);
}

void SimMemory::shareBuffer(std::uintptr_t address, std::size_t size) {
    if (address != 0 && size != 0) {
        shared_[address] = size;
    }
}

void SimMemory::unshareBuffer(std::uintptr_t address) {
    shared_.erase(address);
}

} // namespace vp::sim
