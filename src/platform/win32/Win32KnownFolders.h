// The known folders on Windows: asked of the shell, and of the registry's 64-bit view where
// the shell answers a 32-bit program with its own (redirected) folders.
#pragma once

#include "platform/KnownFolders.h"

namespace vp::win32 {

class Win32KnownFolders final : public KnownFolders {
public:
    std::optional<std::string> path(KnownFolder folder) override;

    // The system's own Program Files (or Common Files) folder as the registry's 64-bit view
    // records it: what a 32-bit program gets for ProgramFiles, which the shell refuses to tell
    // it. Public so that a 64-bit test can check it too.
    static std::optional<std::string> systemViewProgramFolder(bool commonFiles);
};

} // namespace vp::win32
