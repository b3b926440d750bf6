// The Win32 shell: recycle bins and opening addresses.
#pragma once

#include "platform/Shell.h"

namespace vp::win32 {

class Win32Shell final : public Shell {
public:
    long emptyRecycleBin(std::uintptr_t owner, std::string_view root, std::uint32_t flags) override;
    std::optional<RecycleBinContents> queryRecycleBin(std::string_view root) override;
    std::optional<RecycleBinContents> recycleBinLeftovers(std::string_view root) override;
    long updateRecycleBinIcon() override;
    std::intptr_t execute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                          std::string_view parameters, std::string_view folder, int show) override;
};

} // namespace vp::win32
