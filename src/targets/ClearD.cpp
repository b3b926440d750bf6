// The directory sweeper. Every folder is opened once, as a handle, and everything done inside
// it goes through that handle with the bare names its listing gave: a name swapped for a link
// after the listing is refused by the handle instead of being followed (see FileSystem.h). The
// walk keeps an explicit stack instead of recursing, so a tree thousands of folders deep cannot
// exhaust the call stack, and one path buffer, used only for the run log. A folder that is a
// protected place is never swept (ProtectedPlaces.h): the run log then keeps the caller's own
// lines only, and the refusal is counted beside it.
#include "app/Form1.h"

#include "platform/FileSystem.h"
#include "platform/ProtectedPlaces.h"

#include <memory>
#include <vector>

namespace vp {
namespace {

// One folder being swept: its handle, where its path ends in the shared buffer, and its
// subfolders (listed once, before the first is swept, which is also the order of removal).
struct SweepFrame {
    std::unique_ptr<Folder> folder;
    std::size_t pathLength;
    std::vector<DirEntry> subfolders;
    std::size_t next = 0;
};

// A file that vanished was neither deleted nor kept.
void CountDeletion(Totals& totals, const DirEntry& file, Outcome outcome) {
    if (outcome == Outcome::Done) {
        ++totals.files;
        totals.fileBytes += file.size;
    } else if (outcome != Outcome::Vanished) {
        ++totals.keptFiles;
    }
}

constexpr std::uint32_t SweptFolderAttributes = FileAttribute::Directory | FileAttribute::Archive;

} // namespace

void Form1::ClearD(std::string_view strPath) {
    // "." and ".." are settled first, so that the folder judged, swept and logged is the one
    // the system would reach ("...\Temp\.." is the folder above Temp).
    std::string path = strPath.empty() ? std::string() : ResolveDots(strPath);
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    if (path == "\\") {
        return;
    }
    // Opening refuses a link: the folder handed in is swept only if it is a real folder.
    std::unique_ptr<Folder> root = platform_.fileSystem.openFolder(path);
    if (!root) {
        return;
    }
    if (const auto place = RefusedSweepRoot(path, *root, platform_.fileSystem)) {
        totals.current().refused.push_back(
            {path.size() > 3 ? path.substr(0, path.size() - 1) : path, Outcome::ProtectedPlace,
             place});
        return;
    }

    std::vector<SweepFrame> stack;
    // One folder, opened and named by `path` (ending in a backslash): list it once, give it
    // archive-only attributes unless it has them, delete and log its files, and push it with its
    // subfolders. A folder that cannot be listed is left as it is: nothing of an earlier
    // listing is ever used for it.
    auto enter = [&](std::unique_ptr<Folder> folder, std::optional<std::uint32_t> attributes) {
        auto entries = folder->list();
        if (!entries) {
            return;
        }
        if (attributes != SweptFolderAttributes) {
            folder->setAttributes(FileAttribute::Archive);
        }
        FolderListing listing = SplitListing(std::move(*entries));
        const std::size_t folderLength = path.size();
        for (const DirEntry& file : listing.files) {
            // Archive only is what lets a read-only file go; a file that has it already is not
            // touched twice.
            std::optional<std::uint32_t> archiveOnly;
            if (file.attributes != FileAttribute::Archive) {
                archiveOnly = FileAttribute::Archive;
            }
            const Outcome outcome = folder->deleteFile(file.name, archiveOnly, &file);
            CountDeletion(totals.current(), file, outcome);
            if (isGone(outcome)) {
                path.resize(folderLength);
                path += file.name;
                AppendLogLine(path);
            }
        }
        path.resize(folderLength);
        // Hidden, system and link entries are never touched, but they stay: counted as kept.
        for (const DirEntry& entry : listing.unlisted) {
            const bool isFolder = (entry.attributes & FileAttribute::Directory) != 0;
            ++(isFolder ? totals.current().keptFolders : totals.current().keptFiles);
            folder->leaveAlone(entry, (entry.attributes & FileAttribute::ReparsePoint) != 0
                                          ? Outcome::Link
                                          : Outcome::HiddenOrSystem);
        }
        stack.push_back({std::move(folder), folderLength, std::move(listing.folders), 0});
    };

    enter(std::move(root), std::nullopt);
    while (!stack.empty()) {
        SweepFrame& top = stack.back();
        path.resize(top.pathLength);
        if (top.next < top.subfolders.size()) {
            const DirEntry& subfolder = top.subfolders[top.next++];
            // Only the folder the listing named is entered: one swapped for a link, or for
            // another folder, since then is not.
            if (auto opened = top.folder->openFolder(subfolder.name, &subfolder)) {
                path += subfolder.name;
                path += '\\';
                enter(std::move(opened), subfolder.attributes);
            }
            continue;
        }
        // Every subfolder has been swept: remove them, in the order they were swept. Those
        // that still hold something stay.
        for (const DirEntry& subfolder : top.subfolders) {
            const bool removed = top.folder->removeFolder(subfolder.name);
            ++(removed ? totals.current().folders : totals.current().keptFolders);
        }
        stack.pop_back();
    }
}

} // namespace vp
