// The shell-folder targets: the URL history, the temporary folder, the prefetch files and the
// recycle bins. Services only through the platform bundle.
#include "app/Form1.h"

#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/UrlHistory.h"
#include "platform/Utf8.h"
#include "platform/Windowing.h"
#include "registry/RegistryHelpers.h"
#include "targets/ShellFolders.h"

#include <algorithm>

namespace vp {

void Form1::HisTory() {
    BeginTarget(&Form1::HisTory);
    // A store that cannot be opened or cleared does not keep the folder from being swept.
    platform_.urlHistory.clearHistory();
    ClearD(GetRegString(platform_, CurrentUserHive, ShellFoldersKey, "History", ""));
    EndLogSection();
}

void Form1::Temp() {
    BeginTarget(&Form1::Temp);
    // The query writes into a buffer of 255 characters and reports the length it wrote, or the
    // length it would need when the path does not fit, leaving the buffer as it was (zeros).
    // Anything from the first zero on is not part of a path: left in, a failed query would
    // hand the sweeper a run of zeros that the system cuts to nothing, i.e. the current folder.
    constexpr std::uint32_t BufferLength = 255;
    std::string buffer(BufferLength, '\0');
    const std::uint32_t length = platform_.environment.tempPath(BufferLength, buffer);
    std::string_view path = utf8::prefix(buffer, std::min(length, BufferLength));
    path = path.substr(0, path.find('\0'));
    ClearD(path);
    EndLogSection();
}

void Form1::Prefetch() {
    BeginTarget(&Form1::Prefetch);
    // Without the Windows folder the pattern would start at the root of the current drive and
    // empty whatever "\Prefetch" folder lies there; nothing is deleted then.
    const std::string systemRoot = platform_.environment.variable("SystemRoot").value_or("");
    if (!systemRoot.empty()) {
        FileTally tally;
        platform_.fileSystem.deleteMatchingFiles(systemRoot + R"(\Prefetch\*.*)", true, &tally);
        CountFiles(tally);
    }
    EndLogSection();
}

void Form1::Corb() {
    BeginTarget(&Form1::Corb);
    constexpr std::uint32_t NoConfirmation = 0x1;
    // What the bins held before and still hold after is what the emptying freed.
    const auto before = platform_.shell.queryRecycleBin("");
    platform_.shell.emptyRecycleBin(window_->hWnd(), "", NoConfirmation);
    const auto after = platform_.shell.queryRecycleBin("");
    if (before && after) {
        Totals& counted = totals.current();
        counted.recycledItems += before->items > after->items ? before->items - after->items : 0;
        counted.recycledBytes += before->bytes > after->bytes ? before->bytes - after->bytes : 0;
        // What the shell could not remove stayed, as a file that could not be deleted does.
        counted.keptRecycledItems += std::min(before->items, after->items);
    }
    platform_.shell.updateRecycleBinIcon();
    EndLogSection();
}

} // namespace vp
