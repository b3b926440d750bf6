// The memory block: raw memory through the platform's memory service only; it reads memory
// directly only where the platform's string check has vouched for it.
#include "targets/MemoryBlock.h"

#include "platform/Memory.h"
#include "platform/NarrowText.h"

#include <string_view>

namespace vp {

MemoryBlock::MemoryBlock(Memory& memory, const NarrowText& narrowText)
    : memory_(memory), narrowText_(narrowText) {}

MemoryBlock::~MemoryBlock() {
    ReleaseMemory();
}

void MemoryBlock::Allocate(std::int32_t lCount) {
    ReleaseMemory();
    if (lCount < 1) {
        return; // the platform refuses an empty or negative size
    }
    const auto count = static_cast<std::size_t>(lCount);
    address_ = memory_.allocate(count);
    if (address_ == 0) {
        return;
    }
    size_ = lCount;
    memory_.lock(address_, count);
}

void MemoryBlock::ReadFrom(std::uintptr_t hWritePointer, std::int32_t lLength) {
    if (lLength < 0) {
        return; // no range of negative length can be valid
    }
    const auto count = static_cast<std::size_t>(lLength);
    const bool destinationBad = memory_.isBadWritePtr(hWritePointer, count);
    const bool blockBad = memory_.isBadReadPtr(address_, count);
    if (!destinationBad && !blockBad) {
        memory_.move(hWritePointer, address_, count);
    }
}

void MemoryBlock::WriteTo(std::uintptr_t hReadPointer, std::int32_t lLength) {
    if (lLength < 0) {
        return;
    }
    const auto count = static_cast<std::size_t>(lLength);
    const bool sourceBad = memory_.isBadReadPtr(hReadPointer, count);
    const bool blockBad = memory_.isBadWritePtr(address_, count);
    if (!sourceBad && !blockBad) {
        memory_.move(address_, hReadPointer, count);
    }
}

std::string MemoryBlock::ExtractString(std::uintptr_t hStartPointer, std::int32_t lMax) const {
    if (lMax < 1 || hStartPointer == 0) {
        return {};
    }
    const auto max = static_cast<std::size_t>(lMax);
    if (memory_.isBadStringPtr(hStartPointer, max)) {
        return {};
    }
    // The check vouches for the bytes up to the zero or `max`, whichever comes first, and no
    // further: the scan stops there, so a string longer than `max` is cut, never overrun.
    const auto* text =
        reinterpret_cast<const char*>(hStartPointer); // NOLINT(performance-no-int-to-ptr)
    std::size_t length = 0;
    bool ascii = true;
    while (length < max && text[length] != '\0') {
        ascii = ascii && static_cast<unsigned char>(text[length]) < 0x80;
        ++length;
    }
    // Below 0x80 every narrow code page is ASCII, and so is UTF-8: such text needs no decoding.
    if (ascii) {
        return std::string(text, length);
    }
    return narrowText_.fromNarrow(std::string_view(text, length));
}

void MemoryBlock::ReleaseMemory() {
    if (address_ == 0) {
        return;
    }
    const auto size = static_cast<std::size_t>(size_);
    memory_.unlock(address_, size);
    memory_.decommit(address_, size);
    memory_.release(address_);
    address_ = 0;
    size_ = 0;
}

} // namespace vp
