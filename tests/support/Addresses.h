// Addresses as the memory services take them, for tests that hand in their own buffers.
#pragma once

#include <cstdint>

namespace vp::test {

inline std::uintptr_t addressOf(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}
inline const char* bytesAt(std::uintptr_t address) {
    return reinterpret_cast<const char*>(address);
}

} // namespace vp::test
