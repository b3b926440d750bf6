// One RegKey run. `key|value` deletes that one value. `key` deletes the key and everything
// under it, deepest first: each key's values, then its subkeys (each emptied the same way),
// then the key itself. Every key is opened as itself, relative to the one above: a registry
// link met on the way is left in place and reported, never followed, so the run cannot reach
// a key its rule does not spell. Everything is listed before anything in it changes. An
// excluded value or key stays, and so do the keys holding it.
#pragma once

#include "rules/Exclusions.h"
#include "rules/ItemTally.h"
#include "rules/RuleModel.h"

namespace vp {
class NarrowText;
class Registry;
} // namespace vp

namespace vp::rules {

void runRegKey(Registry& registry, const NarrowText& narrow, const RegKey& key,
               const Exclusions& exclusions, ItemTally& tally);

// "HKCU\Software\Contoso" for messages and logs.
std::string registryText(const RegistryPath& key);

} // namespace vp::rules
