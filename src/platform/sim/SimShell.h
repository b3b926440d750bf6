// The simulated shell: one recycle bin per drive, the desktop's recycle-bin icon, and the
// addresses it was asked to open, all recorded for assertions.
#pragma once

#include "platform/Shell.h"

#include <map>
#include <string>
#include <vector>

namespace vp::sim {

struct EmptyRecycleBinCall {
    std::uintptr_t owner = 0;
    std::string root; // empty: every drive
    std::uint32_t flags = 0;
    bool operator==(const EmptyRecycleBinCall&) const = default;
};

struct ShellExecuteCall {
    std::uintptr_t owner = 0;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string folder;
    int show = 0;
    bool operator==(const ShellExecuteCall&) const = default;
};

class SimShell final : public Shell {
public:
    static constexpr std::uint32_t NoConfirmation = 0x1;

    // Builder: puts an item (by its original path) into the recycle bin of its drive; one that
    // `stays` is left there by every emptying, as a shell that cannot remove it would.
    SimShell& recycled(std::string_view originalPath, std::uint64_t bytes = 0, bool stays = false);

    // The items in every bin, drive by drive in letter order.
    std::vector<std::string> recycleBinItems() const;
    // How many times the user would have been asked to confirm the emptying.
    long confirmationsAsked() const { return confirmationsAsked_; }
    const std::vector<EmptyRecycleBinCall>& emptyCalls() const { return emptyCalls_; }
    long iconUpdates() const { return iconUpdates_; }
    const std::vector<ShellExecuteCall>& executed() const { return executed_; }

    long emptyRecycleBin(std::uintptr_t owner, std::string_view root, std::uint32_t flags) override;
    std::optional<RecycleBinContents> queryRecycleBin(std::string_view root) override;
    std::optional<RecycleBinContents> recycleBinLeftovers(std::string_view root) override;
    long updateRecycleBinIcon() override;
    std::intptr_t execute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                          std::string_view parameters, std::string_view folder, int show) override;

private:
    struct Item {
        std::string originalPath;
        std::uint64_t bytes = 0;
        bool stays = false;
    };
    std::map<char, std::vector<Item>> bins_; // by upper-case drive letter
    std::vector<EmptyRecycleBinCall> emptyCalls_;
    std::vector<ShellExecuteCall> executed_;
    long confirmationsAsked_ = 0;
    long iconUpdates_ = 0;
};

} // namespace vp::sim
