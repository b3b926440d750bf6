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

void* pointer(std::uintptr_t address) { return reinterpret_cast<void*>(address); }

} // namespace

SimMemory::~SimMemory() {
    for (const auto& [address, block] : blocks_) {
        ::operator delete(pointer(address), std::align_val_t{PageSize});
    }
}

bool SimMemory::isLocked(std::uintptr_t address) const {
    const auto found = blocks_.find(address);
    return found != blocks_.end() && found->second.locked;
}

std::uintptr_t SimMemory::allocate(std::size_t size) {
    const long attempt = counters_.allocations + counters_.refused + 1;
    if (size == 0 || size > MaxBlock || (refuseFrom_ > 0 && attempt >= refuseFrom_)) {
        ++counters_.refused;
        return 0;
    }
    const std::size_t pages = (size + PageSize - 1) / PageSize * PageSize;
    void* memory = ::operator new(pages, std::align_val_t{PageSize}, std::nothrow);
    if (memory == nullptr) {
        ++counters_.refused;
        return 0;
    }
    std::memset(memory, 0, pages);
    const auto address = reinterpret_cast<std::uintptr_t>(memory);
    blocks_.emplace(address, Block{pages});
    ++counters_.allocations;
    return address;
}

bool SimMemory::lock(std::uintptr_t address, std::size_t size) {
    ++counters_.locks;
    const auto found = blocks_.find(address);
    if (found == blocks_.end() || !found->second.committed || size > found->second.size) {
        return false;
    }
    found->second.locked = true;
    return true;
}

bool SimMemory::unlock(std::uintptr_t address, std::size_t /*size*/) {
    ++counters_.unlocks;
    const auto found = blocks_.find(address);
    if (found == blocks_.end() || !found->second.locked) {
        return false;
    }
    found->second.locked = false;
    return true;
}

bool SimMemory::decommit(std::uintptr_t address, std::size_t /*size*/) {
    ++counters_.decommits;
    const auto found = blocks_.find(address);
    if (found == blocks_.end()) {
        return false;
    }
    // Decommitted pages can no longer be touched, whatever the size said.
    found->second.committed = false;
    found->second.locked = false;
    return true;
}

bool SimMemory::release(std::uintptr_t address) {
    const auto found = blocks_.find(address);
    if (found == blocks_.end()) {
        return false;
    }
    ::operator delete(pointer(address), std::align_val_t{PageSize});
    blocks_.erase(found);
    ++counters_.releases;
    return true;
}

bool SimMemory::regionOf(std::uintptr_t address, Region& region) const {
    if (auto block = blocks_.upper_bound(address); block != blocks_.begin()) {
        --block;
        if (block->second.committed && address - block->first < block->second.size) {
            region = {block->first, block->second.size};
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
    const auto* text = static_cast<const char*>(pointer(address));
    for (std::size_t i = 0; i < readable && i < max; ++i) {
        if (text[i] == '\0') {
            return false;
        }
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

void SimMemory::unshareBuffer(std::uintptr_t address) { shared_.erase(address); }

} // namespace vp::sim
