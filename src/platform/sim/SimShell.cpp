// Simulated shell: in memory only; never reaches the host's trash or browser.
#include "platform/sim/SimShell.h"

#include <cctype>

namespace vp::sim {
namespace {

char driveOf(std::string_view path) {
    return path.empty() ? '\0'
                        : static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
}

} // namespace

SimShell& SimShell::recycled(std::string_view originalPath, std::uint64_t bytes, bool stays) {
    bins_[driveOf(originalPath)].push_back({std::string(originalPath), bytes, stays});
    return *this;
}

std::vector<std::string> SimShell::recycleBinItems() const {
    std::vector<std::string> out;
    for (const auto& [drive, items] : bins_) {
        for (const Item& item : items) {
            out.push_back(item.originalPath);
        }
    }
    return out;
}

std::optional<RecycleBinContents> SimShell::queryRecycleBin(std::string_view root) {
    RecycleBinContents contents;
    for (const auto& [drive, items] : bins_) {
        if (!root.empty() && drive != driveOf(root)) {
            continue;
        }
        for (const Item& item : items) {
            ++contents.items;
            contents.bytes += item.bytes;
        }
    }
    return contents;
}

std::optional<RecycleBinContents> SimShell::recycleBinLeftovers(std::string_view root) {
    RecycleBinContents left;
    for (const auto& [drive, items] : bins_) {
        for (const Item& item : items) {
            if (item.stays && (root.empty() || drive == driveOf(root))) {
                ++left.items;
                left.bytes += item.bytes;
            }
        }
    }
    return left;
}

long SimShell::emptyRecycleBin(std::uintptr_t owner, std::string_view root, std::uint32_t flags) {
    emptyCalls_.push_back({owner, std::string(root), flags});
    if ((flags & NoConfirmation) == 0) {
        ++confirmationsAsked_; // the simulated user answers yes
    }
    for (auto& [drive, items] : bins_) {
        if (root.empty() || drive == driveOf(root)) {
            std::erase_if(items, [](const Item& item) { return !item.stays; });
        }
    }
    return 0; // S_OK, an already empty bin included
}

long SimShell::updateRecycleBinIcon() {
    ++iconUpdates_;
    return 0;
}

std::intptr_t SimShell::execute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                                std::string_view parameters, std::string_view folder, int show) {
    executed_.push_back({owner, std::string(verb), std::string(file), std::string(parameters),
                         std::string(folder), show});
    return 42; // above 32: success
}

} // namespace vp::sim
