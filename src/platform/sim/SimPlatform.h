// The whole simulated platform: one object owning every simulated service, handing them to
// the logic as a Platform bundle. Tests set up their scenario through the services' builders.
#pragma once

#include "platform/NarrowText.h"
#include "platform/Platform.h"
#include "platform/sim/SimEnvironment.h"
#include "platform/sim/SimFileSystem.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimInternetCache.h"
#include "platform/sim/SimMemory.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimUrlHistory.h"
#include "platform/sim/SimWindowing.h"

namespace vp::sim {

class SimPlatform {
public:
    SimRegistry registry;
    SimFileSystem files;
    SimEnvironment environment;
    SimShell shell;
    SimInternetCache internetCache;
    SimUrlHistory urlHistory;
    SimMemory memory;
    SimWindowing windowing;
    SimGraphics graphics;
    Windows1252Text narrowText;
    SimProcesses processes;

    // Deleting a cache entry deletes the file the cache keeps for it.
    SimPlatform() { internetCache.attachFileSystem(files); }
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    Platform bundle() {
        return Platform{registry, files,     environment, shell,      internetCache, urlHistory,
                        memory,   windowing, graphics,    narrowText, processes};
    }
};

} // namespace vp::sim
