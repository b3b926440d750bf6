// The simulated platform's known folders: whatever a test sets, nothing else.
#pragma once

#include "platform/KnownFolders.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vp::sim {

class SimKnownFolders final : public KnownFolders {
public:
    SimKnownFolders& set(KnownFolder folder, std::string_view path);
    SimKnownFolders& unset(KnownFolder folder);

    // Every folder of a Windows 7 to 11 profile of `user` on drive C:, with both Program Files
    // folders when `sixtyFourBit` (on a 32-bit Windows both names give the same folder).
    SimKnownFolders& setTypicalProfile(std::string_view user, bool sixtyFourBit);

    std::optional<std::string> path(KnownFolder folder) override;

private:
    std::array<std::optional<std::string>, KnownFolderCount> paths_;
};

} // namespace vp::sim
