// The driver's look-ups and helpers beside the run: what the checks read back from the
// registry and the Internet cache, and a second process that holds a file open.
#pragma once

#include <string>

namespace vp::e2e {

// Opens `path` without sharing (or, with `shareDeletion`, sharing everything), prints "held",
// and keeps it open until the file `flag` exists (at most two minutes).
int holdOpen(const std::string& path, const std::string& flag, bool shareDeletion);

// Every value of HKEY_CURRENT_USER\`key` as "name=type:data" (strings as text, other data in
// hex), in the order the registry lists them; "(no key)" when the key is missing.
int dumpRegistryKey(const std::string& key);

// The source name of every Internet cache entry, in the cache's order.
int listCache();

} // namespace vp::e2e
