// A platform that journals every item a run changes or fails to change (ItemJournal.h), for a
// report item by item. It wraps any platform, a preview's too: it then journals what the run
// would do. The logic run on it cannot tell it from the platform it wraps.
#pragma once

#include "platform/Platform.h"
#include "platform/record/RecordingFileSystem.h"
#include "platform/record/RecordingRegistry.h"
#include "platform/record/RecordingServices.h"

namespace vp::record {

class RecordingPlatform {
public:
    RecordingPlatform(const Platform& inner, ItemJournal& journal)
        : inner_(inner), registry(inner.registry, inner.narrowText, journal),
          files(inner.fileSystem, journal), shell(inner.shell, journal),
          internetCache(inner.internetCache, inner.narrowText, journal) {}
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    Platform bundle() {
        return Platform{registry,           files,
                        inner_.environment, shell,
                        internetCache,      inner_.urlHistory,
                        inner_.memory,      inner_.windowing,
                        inner_.graphics,    inner_.narrowText,
                        inner_.processes};
    }

private:
    Platform inner_;

public:
    RecordingRegistry registry;
    RecordingFileSystem files;
    RecordingShell shell;
    RecordingInternetCache internetCache;
};

} // namespace vp::record
