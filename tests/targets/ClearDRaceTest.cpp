// The sweeper against someone who changes the tree while it runs: every change is made between
// two calls of the file service, at every point of a sweep in turn. Each check the sweep makes
// on an item before changing it (not a link, still the listed item, not hidden or system, no
// other names) has a swap here that it alone stops.
#include "support/FormFixture.h"

#include <functional>
#include <set>
#include <string>

namespace vp::test {
namespace {

namespace Attr = FileAttribute;

constexpr const char* Canary = R"(C:\Docs)";

// The tree a test sweeps, and a folder of the user's outside it that must survive anything.
void plantHostileTree(sim::SimFileSystem& files) {
    files.file(R"(C:\T\a.txt)")
        .file(R"(C:\T\ro.txt)", {.attributes = Attr::ReadOnly})
        .file(R"(C:\T\busy.txt)", {.inUse = true})
        .file(R"(C:\T\sub\h.txt)", {.attributes = Attr::Hidden})
        .file(R"(C:\T\sub\s.dat)", {.attributes = Attr::System | Attr::Archive})
        .file(R"(C:\T\sub\deep\x.txt)")
        .file(R"(C:\T\zzz\z.txt)")
        .file(R"(C:\Docs\letter.doc)", {.contents = "dear"})
        .file(R"(C:\Docs\inner\notes.txt)", {.contents = "notes"})
        .file(R"(C:\Docs\secret.txt)", {.attributes = Attr::Hidden, .contents = "secret"})
        .file(R"(C:\Docs\shared.txt)", {.attributes = Attr::ReadOnly, .contents = "shared"})
        .folder(R"(C:\Docs\empty)");
    // Another name in the tree for one of the user's read-only files: clearing read-only
    // through it would clear it on the user's file too.
    files.hardLink(R"(C:\T\linked.txt)", R"(C:\Docs\shared.txt)");
}

struct Mutation {
    std::string what;
    std::function<bool(sim::SimFileSystem&)> apply; // false when there was nothing to change
    // An item the change leaves that must be there, with these attributes, after the sweep,
    // whenever the change was made (it was never the listed item, or never listed at all).
    std::string survivor;
    std::uint32_t survivorAttributes = 0;
};

// Moves the file at `file` aside (inside the tree) and puts `plant` in its place.
Mutation swapFile(const std::string& what, const std::string& file,
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
            survivor != 0 ? file : std::string(), survivor};
}

// Each way an attacker may turn an item of the tree against the sweep: a folder or a file
// swapped for a link into the user's documents or for another item (the original moved aside,
// inside the tree), a listed file made hidden or system, a folder whose listing starts failing.
std::vector<Mutation> mutations() {
    std::vector<Mutation> out;
    for (const std::string folder : {R"(C:\T\sub)", R"(C:\T\sub\deep)", R"(C:\T\zzz)"}) {
        out.push_back({"folder link at " + folder, [folder](sim::SimFileSystem& files) {
                           if (files.exists(folder)) {
                               files.rename(folder, folder + "-old");
                           }
                           files.folderLink(folder, Canary);
                           return true;
                       }});
        out.push_back({"empty folder link at " + folder, [folder](sim::SimFileSystem& files) {
                           if (files.exists(folder)) {
                               files.rename(folder, folder + "-old");
                           }
                           files.folderLink(folder, R"(C:\Docs\empty)");
                           return true;
                       }});
        out.push_back({"unlistable " + folder, [folder](sim::SimFileSystem& files) {
                           if (!files.exists(folder)) {
                               return false;
                           }
                           files.folder(folder, {.unlistable = true});
                           return true;
                       }});
    }
    for (const std::string folder : {R"(C:\T\sub)", R"(C:\T\zzz)"}) {
        // Not a link: a real folder the listing never showed, with files of its own.
        out.push_back({"another folder at " + folder, [folder](sim::SimFileSystem& files) {
                           if (!files.exists(folder)) {
                               return false;
                           }
                           files.rename(folder, folder + "-old");
                           files.file(folder + R"(\planted.txt)", {.contents = "planted"});
                           return true;
                       }});
    }
    for (const std::string file :
         {R"(C:\T\a.txt)", R"(C:\T\ro.txt)", R"(C:\T\sub\deep\x.txt)", R"(C:\T\zzz\z.txt)"}) {
        out.push_back(swapFile("file link", file, [file](sim::SimFileSystem& files) {
            files.fileLink(file, R"(C:\Docs\letter.doc)");
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
                           file, spared});
        }
        out.push_back(swapFile(
            "a hard link to a hidden file of the user's", file,
            [file](sim::SimFileSystem& files) { files.hardLink(file, R"(C:\Docs\secret.txt)"); }));
    }
    return out;
}

// Sweeps a fresh hostile tree, with `change` made just before call `call` of the sweep.
template <typename Check>
void sweepWith(long call, const std::function<bool(sim::SimFileSystem&)>& change, Check check) {
    sim::SimPlatform sim;
    Platform platform = sim.bundle();
    plantHostileTree(sim.files);
    const std::string canaryBefore = sim.files.snapshot(Canary);
    Form1 form(platform);
    form.Form_Load();
    form.List1->clear();
    bool applied = false;
    if (change) {
        sim.files.beforeCall(sim.files.calls() + call,
                             [&sim, &change, &applied] { applied = change(sim.files); });
    }
    form.ClearD(R"(C:\T)");
    std::vector<std::string> log;
    for (int i = 0; i < form.List1->listCount(); ++i) {
        log.push_back(form.List1->list(i));
    }
    check(log, sim.files, canaryBefore, applied);
}

TEST(ClearDRaces, NoInterleavingTurnsTheSweepAgainstAnythingOutsideItOrHiddenInside) {
    long callsOfASweep = 0;
    sweepWith(0, nullptr, [&](const auto&, sim::SimFileSystem& files, const std::string&, bool) {
        callsOfASweep = files.calls();
    });
    ASSERT_GT(callsOfASweep, 10);

    long tried = 0;
    for (const Mutation& mutation : mutations()) {
        for (long call = 0; call <= callsOfASweep; ++call) {
            ++tried;
            sweepWith(call, mutation.apply,
                      [&](const std::vector<std::string>& log, sim::SimFileSystem& files,
                          const std::string& canaryBefore, bool applied) {
                          const std::string where =
                              mutation.what + " before call " + std::to_string(call);
                          EXPECT_EQ(files.snapshot(Canary), canaryBefore) << where;
                          for (const std::string& line : log) {
                              EXPECT_EQ(line.rfind(R"(C:\T\)", 0), 0u) << where << ": " << line;
                              EXPECT_FALSE(files.exists(line))
                                  << where << ": logged but there: " << line;
                          }
                          EXPECT_EQ(files.attributesOf(R"(C:\T\sub\h.txt)") |
                                        files.attributesOf(R"(C:\T\sub-old\h.txt)"),
                                    Attr::Hidden)
                              << where;
                          EXPECT_EQ(files.attributesOf(R"(C:\T\sub\s.dat)") |
                                        files.attributesOf(R"(C:\T\sub-old\s.dat)"),
                                    Attr::System | Attr::Archive)
                              << where;
                          EXPECT_EQ(files.actedOnUnlisted(), std::vector<std::string>{})
                              << where << ": deleted or entered what no listing showed";
                          if (!mutation.survivor.empty() && applied) {
                              EXPECT_EQ(files.attributesOf(mutation.survivor),
                                        mutation.survivorAttributes)
                                  << where << ": " << mutation.survivor;
                          }
                      });
        }
    }
    RecordProperty("interleavings", static_cast<int>(tried));
    std::printf("[ ClearDRaces ] %ld interleavings of %ld calls tried\n", tried, callsOfASweep);
}

class ClearDHostileTest : public FormFixture {
protected:
    std::vector<std::string> sweep(std::string_view path) {
        form->List1->clear();
        form->ClearD(path);
        return runLog();
    }
};

TEST_F(ClearDHostileTest, AFolderSwappedForALinkWhileASiblingIsSweptIsNotEntered) {
    sim.files.file(R"(C:\T\aaa\1.tmp)").file(R"(C:\T\aaa\2.tmp)").file(R"(C:\T\zzz\z.tmp)");
    sim.files.file(R"(C:\Docs\letter.doc)");
    startProgram();
    // Once the sweep is inside aaa, zzz becomes a link to the user's documents.
    sim.files.beforeCall(sim.files.calls() + 4, [this] {
        sim.files.remove(R"(C:\T\zzz)").folderLink(R"(C:\T\zzz)", R"(C:\Docs)");
    });
    EXPECT_EQ(sweep(R"(C:\T)"),
              (std::vector<std::string>{R"(C:\T\aaa\1.tmp)", R"(C:\T\aaa\2.tmp)"}));
    EXPECT_TRUE(sim.files.exists(R"(C:\Docs\letter.doc)"));
}

TEST_F(ClearDHostileTest, AFolderThatCannotBeListedNeverGetsAnEarlierFoldersNames) {
    sim.files.file(R"(C:\T\first\a.txt)")
        .file(R"(C:\T\second\a.txt)", {.attributes = Attr::Hidden | Attr::System})
        .folder(R"(C:\T\second)", {.unlistable = true});
    startProgram();
    EXPECT_EQ(sweep(R"(C:\T)"), std::vector<std::string>{R"(C:\T\first\a.txt)"});
    EXPECT_EQ(sim.files.attributesOf(R"(C:\T\second\a.txt)"), Attr::Hidden | Attr::System);

    // The listing controls too: a folder that cannot be listed lists nothing.
    EXPECT_TRUE(form->Dir1.setPath(R"(C:\T)"));
    sim.files.file(R"(C:\T\visible.txt)");
    EXPECT_TRUE(form->File1.setPath(R"(C:\T)"));
    EXPECT_EQ(form->File1.listCount(), 1);
    EXPECT_FALSE(form->Dir1.setPath(R"(C:\T\second)"));
    EXPECT_EQ(form->File1.listCount(), 0);
}

TEST_F(ClearDHostileTest, AFileWhoseNameTheSystemRefusesIsNotLoggedAsDeleted) {
    sim.files.file(R"(C:\T\odd)", {.refusedName = true}).file(R"(C:\T\ok.txt)");
    startProgram();
    EXPECT_EQ(sweep(R"(C:\T)"), std::vector<std::string>{R"(C:\T\ok.txt)"});
    EXPECT_TRUE(sim.files.exists(R"(C:\T\odd)"));
}

TEST_F(ClearDHostileTest, AFileLinkIsLeftAloneAndItsTargetKept) {
    sim.files.file(R"(C:\Docs\letter.doc)", {.contents = "dear"})
        .fileLink(R"(C:\T\letter.doc)", R"(C:\Docs\letter.doc)")
        .file(R"(C:\T\junk.tmp)");
    startProgram();
    EXPECT_EQ(sweep(R"(C:\T)"), std::vector<std::string>{R"(C:\T\junk.tmp)"});
    EXPECT_EQ(sim.files.contents(R"(C:\Docs\letter.doc)"), "dear");
}

TEST_F(ClearDHostileTest, AFileWithOtherNamesIsDeletedByNameAndItsAttributesNeverChange) {
    constexpr std::uint32_t Indexed = Attr::Archive | 0x2000; // not content indexed
    sim.files.file(R"(C:\Docs\shared.txt)", {.attributes = Attr::ReadOnly, .contents = "ro"})
        .file(R"(C:\Docs\plain.txt)", {.attributes = Indexed, .contents = "plain"})
        .hardLink(R"(C:\T\ro-link.txt)", R"(C:\Docs\shared.txt)")
        .hardLink(R"(C:\T\plain-link.txt)", R"(C:\Docs\plain.txt)");
    startProgram();
    const std::string docs = sim.files.snapshot(R"(C:\Docs)");
    EXPECT_EQ(sweep(R"(C:\T)"), std::vector<std::string>{R"(C:\T\plain-link.txt)"});
    EXPECT_EQ(sim.files.snapshot(R"(C:\Docs)"), docs)
        << "clearing read-only, or setting archive, through a link changes the user's file";
    EXPECT_TRUE(sim.files.exists(R"(C:\T\ro-link.txt)"));
    EXPECT_EQ(form->totals.current().keptFiles, 1u);
}

TEST_F(ClearDHostileTest, AFileSomeoneElseDeletedMeanwhileIsNotLogged) {
    sim.files.file(R"(C:\T\a.tmp)").file(R"(C:\T\b.tmp)");
    startProgram();
    // Once the folder is listed, another program deletes a.tmp.
    sim.files.beforeCall(sim.files.calls() + 3, [this] { sim.files.remove(R"(C:\T\a.tmp)"); });
    EXPECT_EQ(sweep(R"(C:\T)"), std::vector<std::string>{R"(C:\T\b.tmp)"});
}

} // namespace
} // namespace vp::test
