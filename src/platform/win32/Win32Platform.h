// The whole Win32 platform: one object owning every real service, handed to the logic as a
// Platform bundle. Assembled once, in the program's entry point or a Windows test driver.
#pragma once

#include "platform/Platform.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Graphics.h"
#include "platform/win32/Win32InternetCache.h"
#include "platform/win32/Win32Memory.h"
#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32UrlHistory.h"
#include "platform/win32/Win32Windowing.h"

namespace vp::win32 {

class Win32Platform {
public:
    Win32Registry registry;
    Win32FileSystem files;
    Win32Environment environment;
    Win32Shell shell;
    Win32InternetCache internetCache;
    Win32UrlHistory urlHistory;
    Win32Memory memory;
    Win32Windowing windowing;
    Win32Graphics graphics;
    Win32NarrowText narrowText;
    Win32Processes processes;

    Platform bundle() {
        return Platform{registry, files,     environment, shell,      internetCache, urlHistory,
                        memory,   windowing, graphics,    narrowText, processes};
    }
};

} // namespace vp::win32
