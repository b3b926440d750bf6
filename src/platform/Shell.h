// Shell services: the recycle bins and opening an address in the user's browser.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vp {

// What the recycle bins hold.
struct RecycleBinContents {
    std::uint64_t items = 0;
    std::uint64_t bytes = 0;
    bool operator==(const RecycleBinContents&) const = default;
};

class Shell {
public:
    virtual ~Shell() = default;

    // SHEmptyRecycleBinA(owner, root, flags); a null root (empty text) means every drive.
    // Flag 1 asks for no confirmation.
    virtual long emptyRecycleBin(std::uintptr_t owner, std::string_view root,
                                 std::uint32_t flags) = 0;
    // SHQueryRecycleBinW(root): the items and bytes in the bins (empty text: every drive);
    // nullopt when the shell cannot say.
    virtual std::optional<RecycleBinContents> queryRecycleBin(std::string_view root) = 0;
    // What emptying the bins (empty text: every drive) would leave in them: the items the shell
    // cannot remove. Asked without changing anything, to preview an emptying; nullopt when
    // the shell cannot say.
    virtual std::optional<RecycleBinContents> recycleBinLeftovers(std::string_view root) = 0;
    // SHUpdateRecycleBinIcon.
    virtual long updateRecycleBinIcon() = 0;
    // ShellExecuteA(owner, verb, file, parameters, folder, show).
    virtual std::intptr_t execute(std::uintptr_t owner, std::string_view verb,
                                  std::string_view file, std::string_view parameters,
                                  std::string_view folder, int show) = 0;
};

} // namespace vp
