// A rule's registry hive as the registry service's root key, and the views of the registry a
// key of that hive is looked for in: on a 64-bit Windows the machine's keys are kept twice,
// once for 64-bit and once for 32-bit programs, and an application of either kind may be the
// one a rule means.
#pragma once

#include "platform/Registry.h"
#include "rules/RuleModel.h"

#include <cstdint>
#include <span>

namespace vp::rules {

inline constexpr std::uint32_t Wow64View64 = 0x0100u; // KEY_WOW64_64KEY
inline constexpr std::uint32_t Wow64View32 = 0x0200u; // KEY_WOW64_32KEY

RegHandle hiveHandle(Hive hive);

// The access flags choosing each view to look in: both views for the machine's hives, none for
// the user's own (whose keys are one and the same for programs of either kind).
std::span<const std::uint32_t> registryViews(Hive hive);

} // namespace vp::rules
