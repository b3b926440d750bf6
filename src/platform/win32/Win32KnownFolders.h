// The known folders on Windows: asked of the shell, and of the registry's 64-bit view where
// the shell answers a 32-bit program with its own (redirected) folders.
#pragma once

#include "platform/KnownFolders.h"

namespace vp::win32 {

class Win32KnownFolders final : public KnownFolders {
public:
    std::optional<std::string> path(KnownFolder folder) override;
};

} // namespace vp::win32
