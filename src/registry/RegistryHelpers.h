// The two registry helpers every target goes through. Each call opens its key (one key of the
// path at a time), does its one thing and closes the key again: no handle outlives a call,
// nothing is reported.
#pragma once

#include "platform/Platform.h"
#include "platform/Registry.h"

#include <string>
#include <string_view>

namespace vp {

// The string in value `name` of key `path` under `hive`, as text before its first zero byte, or
// `defaultText` when it cannot be read: missing key or value, a key that refuses full access, a
// key of the path that is a registry link (never followed), data of 128 bytes or more (127
// characters is the longest readable string).
std::string GetRegString(const Platform& platform, RegHandle hive, std::string_view path,
                         std::string_view name, std::string_view defaultText);

// Deletes value `name` of key `path` under `hive`, if the key opens with full access and no key
// of the path is a registry link. Never a subkey, never the key itself. True when the registry
// reports the value deleted.
bool DeleteRegValue(const Platform& platform, RegHandle hive, std::string_view path,
                    std::string_view name);

// Opens `path` under `hive` one key at a time, each relative to the one before and opened as
// itself, never followed if it is a link; the last key, when it is a link, is refused outright.
// Only the last key gets `access`; those above are opened to be looked at. Status 0 with `key`
// open, or the status of the open that failed (a link: access denied).
long OpenKeyWithoutLinks(Registry& registry, RegHandle hive, std::string_view path,
                         std::uint32_t access, RegHandle& key);

} // namespace vp
