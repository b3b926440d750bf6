// The directory sweeper. It walks the tree with an explicit stack instead of recursion, so a
// tree thousands of folders deep cannot exhaust the call stack, and keeps one path buffer that
// grows and shrinks with the walk, so memory follows the depth, not the depth squared.
#include "app/Form1.h"

#include "platform/FileSystem.h"

#include <vector>

namespace vp {
namespace {

// One folder being swept: where its path ends in the shared buffer, and its subfolders (the
// listing taken once, before the first is swept, which is also the order of removal).
struct SweepFrame {
    std::size_t pathLength;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
};

bool exists(FileSystem& fileSystem, const std::string& path) {
    const auto attributes = fileSystem.attributes(path);
    return attributes && (*attributes & FileAttribute::Directory) == 0;
}

} // namespace

void Form1::ClearD(std::string_view strPath) {
    FileSystem& fileSystem = platform_.fileSystem;
    std::string path(strPath);
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    if (path == "\\") {
        return;
    }
    // The folder handed in is swept only if it is a real folder: a link is never acted through.
    if (const auto attributes = fileSystem.attributes(path);
        attributes && (*attributes & FileAttribute::ReparsePoint) != 0) {
        return;
    }

    std::vector<SweepFrame> stack;
    // Steps for one folder whose path (ending in a backslash) is in `path`: list it, clear its
    // attributes, delete and log its files, and push it with its subfolders.
    auto enter = [&] {
        if (!Dir1.setPath(path)) { // Dir1's change event points File1 at the same folder
            return;
        }
        fileSystem.setAttributes(path, FileAttribute::Archive);
        const std::size_t folderLength = path.size();
        for (int i = 0; i < File1.listCount(); ++i) {
            path.resize(folderLength);
            path += File1.name(i);
            fileSystem.setAttributes(path, FileAttribute::Archive);
            fileSystem.deleteFile(path);
            if (!exists(fileSystem, path)) {
                AppendLogLine(path);
            }
        }
        path.resize(folderLength);
        SweepFrame frame{folderLength, {}, 0};
        frame.subfolders.reserve(static_cast<std::size_t>(Dir1.listCount()));
        for (int i = 0; i < Dir1.listCount(); ++i) {
            frame.subfolders.push_back(Dir1.name(i));
        }
        stack.push_back(std::move(frame));
    };

    enter();
    while (!stack.empty()) {
        SweepFrame& top = stack.back();
        path.resize(top.pathLength);
        if (top.next < top.subfolders.size()) {
            path += top.subfolders[top.next++];
            path += '\\';
            enter();
            continue;
        }
        // Every subfolder has been swept: remove them, in the order they were swept. Those
        // that still hold something stay.
        for (const std::string& name : top.subfolders) {
            path.resize(top.pathLength);
            path += name;
            fileSystem.removeFolder(path);
        }
        stack.pop_back();
    }
}

} // namespace vp
