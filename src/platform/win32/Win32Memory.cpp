// Win32 memory service on kernel32's virtual-memory calls; no logic of the program lives here.
#include "platform/win32/Win32Memory.h"

#include <windows.h>

#include <cstring>

namespace vp::win32 {
namespace {

void* pointer(std::uintptr_t address) {
    return reinterpret_cast<void*>(address);
}

constexpr DWORD Readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD Writable =
    PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// The committed region around `address` when its pages grant `access` (and are no guard
// pages); the number of bytes from `address` to the region's end, 0 when they do not.
// Asking the memory manager instead of touching the bytes (as IsBadReadPtr does, under an
// exception handler) never faults and never swallows a thread's stack guard page.
std::size_t accessibleRun(std::uintptr_t address, DWORD access) {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(pointer(address), &info, sizeof info) == 0 || info.State != MEM_COMMIT ||
        (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0 || (info.Protect & access) == 0) {
        return 0;
    }
    const auto end = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
    return end - address;
}

bool rangeGrants(std::uintptr_t address, std::size_t count, DWORD access) {
    if (count == 0) {
        return true;
    }
    if (address == 0 || address + count < address) {
        return false;
    }
    std::size_t left = count;
    while (left > 0) {
        const std::size_t run = accessibleRun(address, access);
        if (run == 0) {
            return false;
        }
        if (run >= left) {
            return true;
        }
        address += run;
        left -= run;
    }
    return true;
}

} // namespace

std::uintptr_t Win32Memory::allocate(std::size_t size) {
    // The block only ever receives data (cache entries), never code: read and write are all
    // it needs, and an executable data buffer is refused by processes that forbid dynamic code.
    return reinterpret_cast<std::uintptr_t>(
        VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

bool Win32Memory::lock(std::uintptr_t address, std::size_t size) {
    return VirtualLock(pointer(address), size) != FALSE;
}

bool Win32Memory::unlock(std::uintptr_t address, std::size_t size) {
    return VirtualUnlock(pointer(address), size) != FALSE;
}

bool Win32Memory::decommit(std::uintptr_t address, std::size_t size) {
    return VirtualFree(pointer(address), size, MEM_DECOMMIT) != FALSE;
}

bool Win32Memory::release(std::uintptr_t address) {
    return VirtualFree(pointer(address), 0, MEM_RELEASE) != FALSE;
}

bool Win32Memory::isBadReadPtr(std::uintptr_t address, std::size_t count) {
    return !rangeGrants(address, count, Readable);
}

bool Win32Memory::isBadWritePtr(std::uintptr_t address, std::size_t count) {
    return !rangeGrants(address, count, Writable);
}

bool Win32Memory::isBadStringPtr(std::uintptr_t address, std::size_t max) {
    if (max == 0) {
        return false;
    }
    if (address == 0) {
        return true;
    }
    // Region by region: each readable run is searched for the terminating zero before the
    // next region is asked about.
    std::size_t left = max;
    while (left > 0) {
        const std::size_t run = accessibleRun(address, Readable);
        if (run == 0) {
            return true;
        }
        const std::size_t look = run < left ? run : left;
        if (std::memchr(pointer(address), 0, look) != nullptr) {
            return false;
        }
        address += look;
        left -= look;
    }
    return false;
}

void Win32Memory::move(std::uintptr_t destination, std::uintptr_t source, std::size_t count) {
    if (count != 0) {
        std::memmove(pointer(destination), pointer(source), count);
    }
}

} // namespace vp::win32
