// A tree to clean and a folder of the user's beside it, and every change an attacker may make
// to the tree between two calls of the file service: the interleaving tests of the sweeper
// and of the rules engine make each change before each call of a run in turn.
#pragma once

#include "platform/sim/SimFileSystem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vp::test {

struct HostileChange {
    std::string what;
    std::function<bool(sim::SimFileSystem&)> apply; // false when there was nothing to change
    std::string at;                                 // the item the change replaces or plants
    // An item the change leaves that must be there, with these attributes, after the run,
    // whenever the change was made (it was never the listed item, or never listed at all).
    std::string survivor;
    std::uint32_t survivorAttributes = 0;
};

// Plants below `root`: plain, read-only, in-use, hidden and system files in two levels of
// folders, and a hard link to a read-only file of the user's folder `canary`, which holds
// plain, hidden and read-only files, a subfolder and an empty folder.
void plantHostileTree(sim::SimFileSystem& files, const std::string& root,
                      const std::string& canary);

// The hidden and the system file of the tree, which no run may touch.
std::string hiddenFileOf(const std::string& root);
std::string systemFileOf(const std::string& root);

// Each way an item of the planted tree may be turned against a run: a folder or a file
// swapped for a link into `canary` or for another item (the original moved aside, inside the
// tree), a listed file made hidden or system, a folder whose listing starts failing.
std::vector<HostileChange> hostileChanges(const std::string& root, const std::string& canary);

} // namespace vp::test
