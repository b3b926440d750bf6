// The Win32 memory service: virtual-memory blocks and pointer checks that never fault.
#pragma once

#include "platform/Memory.h"

namespace vp::win32 {

class Win32Memory final : public Memory {
public:
    std::uintptr_t allocate(std::size_t size) override;
    bool lock(std::uintptr_t address, std::size_t size) override;
    bool unlock(std::uintptr_t address, std::size_t size) override;
    bool decommit(std::uintptr_t address, std::size_t size) override;
    bool release(std::uintptr_t address) override;
    bool isBadReadPtr(std::uintptr_t address, std::size_t count) override;
    bool isBadWritePtr(std::uintptr_t address, std::size_t count) override;
    bool isBadStringPtr(std::uintptr_t address, std::size_t max) override;
    void move(std::uintptr_t destination, std::uintptr_t source, std::size_t count) override;
};

} // namespace vp::win32
