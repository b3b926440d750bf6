#include "HostileTree.h"

namespace vp::test {

namespace Attr = FileAttribute;

void plantHostileTree(sim::SimFileSystem& files, const std::string& root,
                      const std::string& canary) {
    files.file(root + R"(\a.txt)")
        .file(root + R"(\ro.txt)", {.attributes = Attr::ReadOnly})
        .file(root + R"(\busy.txt)", {.inUse = true})
        .file(hiddenFileOf(root), {.attributes = Attr::Hidden})
        .file(systemFileOf(root), {.attributes = Attr::System | Attr::Archive})
        .file(root + R"(\sub\deep\x.txt)")
        .file(root + R"(\zzz\z.txt)")
        .file(canary + R"(\letter.doc)", {.contents = "dear"})
        .file(canary + R"(\inner\notes.txt)", {.contents = "notes"})
        .file(canary + R"(\secret.txt)", {.attributes = Attr::Hidden, .contents = "secret"})
        .file(canary + R"(\shared.txt)", {.attributes = Attr::ReadOnly, .contents = "shared"})
        .folder(canary + R"(\empty)");
    // Another name in the tree for one of the user's read-only files: clearing read-only
    // through it would clear it on the user's file too.
    files.hardLink(root + R"(\linked.txt)", canary + R"(\shared.txt)");
}

std::string hiddenFileOf(const std::string& root) {
    return root + R"(\sub\h.txt)";
}

std::string systemFileOf(const std::string& root) {
    return root + R"(\sub\s.dat)";
}

namespace {

// Moves the file at `file` aside (inside the tree) and puts `plant` in its place.
HostileChange swapFile(const std::string& what, const std::string& file,
                       std::function<void(sim::SimFileSystem&)> plant, std::uint32_t survivor = 0) {
    return {what + " at " + file,
            [file, plant](sim::SimFileSystem& files) {
                if (!files.exists(file)) {
                    return false;
                }
                files.rename(file, file + "-old");
                plant(files);
                return true;
            },
            file, survivor != 0 ? file : std::string(), survivor};
}

// Moves the folder at `folder` aside, when it is there, and makes `plant`.
HostileChange swapFolder(const std::string& what, const std::string& folder,
                         std::function<void(sim::SimFileSystem&)> plant) {
    return {what + " at " + folder,
            [folder, plant](sim::SimFileSystem& files) {
                if (files.exists(folder)) {
                    files.rename(folder, folder + "-old");
                }
                plant(files);
                return true;
            },
            folder};
}

} // namespace

std::vector<HostileChange> hostileChanges(const std::string& root, const std::string& canary) {
    std::vector<HostileChange> out;
    const std::string sub = root + R"(\sub)";
    const std::string zzz = root + R"(\zzz)";
    for (const std::string& folder : {sub, sub + R"(\deep)", zzz}) {
        out.push_back(swapFolder("folder link", folder, [folder, canary](auto& files) {
            files.folderLink(folder, canary);
        }));
        out.push_back(swapFolder("empty folder link", folder, [folder, canary](auto& files) {
            files.folderLink(folder, canary + R"(\empty)");
        }));
        out.push_back({"unlistable " + folder,
                       [folder](sim::SimFileSystem& files) {
                           if (!files.exists(folder)) {
                               return false;
                           }
                           files.folder(folder, {.unlistable = true});
                           return true;
                       },
                       folder});
    }
    for (const std::string& folder : {sub, zzz}) {
        // Not a link: a real folder the listing never showed, with files of its own.
        out.push_back({"another folder at " + folder,
                       [folder](sim::SimFileSystem& files) {
                           if (!files.exists(folder)) {
                               return false;
                           }
                           files.rename(folder, folder + "-old");
                           files.file(folder + R"(\planted.txt)", {.contents = "planted"});
                           return true;
                       },
                       folder});
    }
    for (const std::string& file : {root + R"(\a.txt)", root + R"(\ro.txt)",
                                    root + R"(\sub\deep\x.txt)", root + R"(\zzz\z.txt)"}) {
        out.push_back(swapFile("file link", file, [file, canary](sim::SimFileSystem& files) {
            files.fileLink(file, canary + R"(\letter.doc)");
        }));
        out.push_back(swapFile("another plain file", file, [file](sim::SimFileSystem& files) {
            files.file(file, {.contents = "planted"});
        }));
        for (const std::uint32_t spared : {Attr::Hidden, Attr::System}) {
            out.push_back(swapFile(
                spared == Attr::Hidden ? "a hidden file" : "a system file", file,
                [file, spared](sim::SimFileSystem& files) {
                    files.file(file, {.attributes = spared, .contents = "planted"});
                },
                spared));
            // The listed file itself, hidden or system now: same identity, other attributes.
            out.push_back({file + (spared == Attr::Hidden ? " made hidden" : " made system"),
                           [file, spared](sim::SimFileSystem& files) {
                               if (!files.exists(file)) {
                                   return false;
                               }
                               files.setAttributes(file, spared);
                               return true;
                           },
                           file, file, spared});
        }
        out.push_back(swapFile("a hard link to a hidden file of the user's", file,
                               [file, canary](sim::SimFileSystem& files) {
                                   files.hardLink(file, canary + R"(\secret.txt)");
                               }));
    }
    return out;
}

} // namespace vp::test
