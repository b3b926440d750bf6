// Command5: saves the run log to a file the user names. Every failure ends the command
// silently; an earlier file of that name survives any failure.
#include "app/Form1.h"
#include "app/RunLogText.h"

#include "platform/FileSystem.h"
#include "platform/NarrowText.h"
#include "platform/Windowing.h"

#include <string>

namespace vp {
namespace {

constexpr std::string_view SaveFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
constexpr std::string_view Header = "Brumwick - Version 1.1";
constexpr std::string_view LineEnd = "\r\n";
constexpr int InformationIcon = 64;

} // namespace

std::string RunLogFileBytes(const ListBox& runLog, const NarrowText& narrow) {
    std::string text(Header);
    text += LineEnd;
    text += LineEnd;
    for (int i = 0; i < runLog.listCount(); ++i) {
        text += runLog.list(i);
        text += LineEnd;
    }
    return narrow.toNarrow(text);
}

void Form1::Command5_Click() {
    const std::optional<std::string> path = window_->showSaveDialog(SaveFilter);
    if (!path || path->empty()) {
        return;
    }
    // The new content replaces the old file only once it is completely written, so a full
    // disk or a refused write never leaves the user with a truncated earlier log.
    if (!platform_.fileSystem.replaceFileContents(*path,
                                                  RunLogFileBytes(*List1, platform_.narrowText))) {
        return;
    }
    window_->messageBox(" ENREGISTRE ! ", InformationIcon, "Vexoma Dustrel");
}

} // namespace vp
