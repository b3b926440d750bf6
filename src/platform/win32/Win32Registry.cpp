// Win32 registry service on advapi32's narrow calls; text stays in the ANSI code page here.
#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace vp::win32 {
namespace {

// The predefined root keys are 32-bit values that Windows sign-extends in a 64-bit process
// (HKEY_CURRENT_USER is 0xFFFFFFFF80000001 there); the logic carries the 32-bit form.
HKEY toHkey(RegHandle handle) {
    if (handle >= 0x80000000u && handle <= 0x800000FFu) {
        return reinterpret_cast<HKEY>(
            static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(handle))));
    }
    return reinterpret_cast<HKEY>(handle);
}

} // namespace

long Win32Registry::openKey(RegHandle hive, std::string_view path, std::uint32_t options,
                            std::uint32_t access, RegHandle& key) {
    key = 0;
    HKEY opened = nullptr;
    const std::string subKey(path);
    const LSTATUS status = RegOpenKeyExA(toHkey(hive), subKey.c_str(), options, access, &opened);
    if (status == ERROR_SUCCESS) {
        key = reinterpret_cast<RegHandle>(opened);
    }
    return status;
}

long Win32Registry::queryValue(RegHandle key, std::string_view name, std::uint32_t& type,
                               unsigned char* data, std::uint32_t& size) {
    // Windows leaves the caller's buffer undefined when the data does not fit; the data is
    // read into a buffer of our own, so the caller's sees nothing but a complete value.
    std::vector<unsigned char> scratch(size);
    DWORD got = size;
    DWORD gotType = type;
    const std::string valueName(name);
    const LSTATUS status = RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr, &gotType,
                                            scratch.empty() ? nullptr : scratch.data(), &got);
    if (status == ERROR_SUCCESS) {
        if (data != nullptr && got <= size) {
            std::copy(scratch.begin(), scratch.begin() + got, data);
        }
        type = gotType;
    }
    size = got;
    return status;
}

long Win32Registry::deleteValue(RegHandle key, std::string_view name) {
    const std::string valueName(name);
    return RegDeleteValueA(toHkey(key), valueName.c_str());
}

long Win32Registry::closeKey(RegHandle key) {
    return RegCloseKey(toHkey(key));
}

long Win32Registry::enumKey(RegHandle key, std::uint32_t index, std::string& name) {
    // A key name is at most 255 characters; in a multibyte code page, two bytes each.
    std::array<char, 512> buffer{};
    DWORD length = buffer.size();
    const LSTATUS status = RegEnumKeyExA(toHkey(key), index, buffer.data(), &length, nullptr,
                                         nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        name.assign(buffer.data(), length);
    }
    return status;
}

long Win32Registry::enumValue(RegHandle key, std::uint32_t index, std::string& name) {
    // A value name is at most 16,383 characters.
    std::vector<char> buffer(32768);
    DWORD length = static_cast<DWORD>(buffer.size());
    const LSTATUS status = RegEnumValueA(toHkey(key), index, buffer.data(), &length, nullptr,
                                         nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        name.assign(buffer.data(), length);
    }
    return status;
}

long Win32Registry::deleteKey(RegHandle key, std::string_view name) {
    const std::string subKey(name);
    return RegDeleteKeyA(toHkey(key), subKey.c_str());
}

} // namespace vp::win32
