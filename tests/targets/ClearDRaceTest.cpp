// The sweeper against someone who changes the tree while it runs: every change is made between
// two calls of the file service, at every point of a sweep in turn. Each check the sweep makes
// on an item before changing it (not a link, still the listed item, not hidden or system, no
// other names) has a swap here that it alone stops.
#include "support/FormFixture.h"
#include "support/HostileTree.h"

#include <functional>
#include <set>
#include <string>

namespace vp::test {
namespace {

namespace Attr = FileAttribute;

constexpr const char* Root = R"(C:\T)";
constexpr const char* Canary = R"(C:\Docs)";

// Sweeps a fresh hostile tree, with `change` made just before call `call` of the sweep.
template <typename Check>
void sweepWith(long call, const std::function<bool(sim::SimFileSystem&)>& change, Check check) {
    sim::SimPlatform sim;
    Platform platform = sim.bundle();
    plantHostileTree(sim.files, Root, Canary);
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
    for (const HostileChange& mutation : hostileChanges(Root, Canary)) {
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
                          EXPECT_EQ(files.attributesOf(hiddenFileOf(Root)) |
                                        files.attributesOf(R"(C:\T\sub-old\h.txt)"),
                                    Attr::Hidden)
                              << where;
                          EXPECT_EQ(files.attributesOf(systemFileOf(Root)) |
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
