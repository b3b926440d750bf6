// The Win32 memory service. Placeholder until the real service is written.
#pragma once

#include "platform/Memory.h"

namespace vp::win32 {

class Win32Memory final : public Memory {
public:
    std::uintptr_t allocate(std::size_t) override { return 0; }
    bool lock(std::uintptr_t, std::size_t) override { return false; }
    bool unlock(std::uintptr_t, std::size_t) override { return false; }
    bool decommit(std::uintptr_t, std::size_t) override { return false; }
    bool release(std::uintptr_t) override { return false; }
    bool isBadReadPtr(std::uintptr_t, std::size_t) override { return true; }
    bool isBadWritePtr(std::uintptr_t, std::size_t) override { return true; }
    bool isBadStringPtr(std::uintptr_t, std::size_t) override { return true; }
    void move(std::uintptr_t, std::uintptr_t, std::size_t) override {}
};

} // namespace vp::win32
