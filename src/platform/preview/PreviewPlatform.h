// A preview: the platform a run goes through to show what it would do without doing it. It
// wraps any platform; reads reach that platform, changes stay in the preview's own record.
// The logic run on it cannot tell it from the platform it wraps.
#pragma once

#include "platform/Platform.h"
#include "platform/preview/PreviewFileSystem.h"
#include "platform/preview/PreviewRegistry.h"
#include "platform/preview/PreviewServices.h"

namespace vp::preview {

class PreviewPlatform {
public:
    explicit PreviewPlatform(const Platform& inner)
        : inner_(inner), registry(inner.registry), files(inner.fileSystem), shell(inner.shell),
          internetCache(inner.internetCache, files.overlay(), inner.narrowText) {
        files.holdOpen(inner.internetCache.storeFiles());
    }
    PreviewPlatform(const PreviewPlatform&) = delete;
    PreviewPlatform& operator=(const PreviewPlatform&) = delete;

    Platform bundle() {
        return Platform{
            registry,        files,         inner_.environment, shell,           internetCache,
            urlHistory,      inner_.memory, inner_.windowing,   inner_.graphics, inner_.narrowText,
            inner_.processes};
    }

private:
    Platform inner_;

public:
    PreviewRegistry registry;
    PreviewFileSystem files;
    PreviewShell shell;
    PreviewInternetCache internetCache;
    PreviewUrlHistory urlHistory;
};

} // namespace vp::preview
