// What the contract suites need of a platform: its services, and hooks that set the scene as
// another program or the user would (a file seeded with its attributes, a file held open, a
// registry value written), outside the services under test. One object per test: it starts
// with a fresh, empty scratch folder and registry key of its own.
//
// A new platform gets the suites by a type that meets PlatformUnderTest and one
// INSTANTIATE_TYPED_TEST_SUITE_P line per suite (see SimContractTest.cpp).
#pragma once

#include "platform/Platform.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vp::contract {

struct FileSeed {
    std::string bytes = "x";
    std::uint32_t attributes = 0; // FileAttribute bits
    // Held open by another program, sharing nothing, for as long as the platform object lives.
    bool heldOpen = false;
};

template <class P>
concept PlatformUnderTest = std::default_initializable<P> &&
    requires(P p, const std::string& path, std::uint32_t number, std::string_view bytes) {
    { p.bundle() } -> std::same_as<Platform>;
    // The scratch folder ("C:\contract"), without a trailing backslash.
    { p.root() } -> std::convertible_to<std::string>;
    p.makeFile(path, FileSeed{});
    p.makeFolder(path);
    // Exactly these attributes, as another program would give them.
    p.setAttributes(path, number);
    // A symbolic link to a folder, and one to a file; false where the platform makes none.
    { p.makeFolderLink(path, path) } -> std::same_as<bool>;
    { p.makeFileLink(path, path) } -> std::same_as<bool>;
    // A file's bytes as the disk holds them.
    { p.contents(path) } -> std::same_as<std::optional<std::string>>;
    // Whether the file service's writes reach the disk (a preview's do not).
    { P::writesFiles } -> std::convertible_to<bool>;
    // The scratch registry key, under the current user's hive, and keys and values in it
    // (key paths under the hive, raw data bytes of the given type).
    { p.registryKey() } -> std::convertible_to<std::string>;
    p.makeKey(path);
    p.setValue(path, path, number, bytes);
    // Puts a new file of `bytes` into the recycle bin; false where the platform cannot.
    { p.recycle(bytes) } -> std::same_as<bool>;
};

} // namespace vp::contract
