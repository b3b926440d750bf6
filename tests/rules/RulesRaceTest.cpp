// The rules engine against someone who changes the tree while an entry is cleaned: each change
// of the interleaving harness made before each call of the file service in turn, for a key of
// each flag and one whose folder is found by a wildcard. Nothing outside the key's folder may
// change, nothing hidden or system inside it, and nothing is logged that is still there.
#include "RulesRunFixture.h"
#include "support/HostileTree.h"

#include <cstdio>

namespace vp::rules::test {
namespace {

using vp::test::HostileChange;

namespace Attr = FileAttribute;

const std::string Root = R"(C:\Users\Camille\AppData\Local\Contoso\Cache)";
const std::string Canary = R"(C:\Users\Camille\Documents\Letters)";

struct RaceRun : RulesRunFixture {
    void TestBody() override {}
};

// The changes of the harness, and the key's own folder swapped for a link to the user's.
std::vector<HostileChange> changes() {
    std::vector<HostileChange> out = vp::test::hostileChanges(Root, Canary);
    out.push_back({"folder link at the key's folder",
                   [](sim::SimFileSystem& files) {
                       files.rename(Root, Root + "-old");
                       files.folderLink(Root, Canary);
                       return true;
                   },
                   Root});
    return out;
}

std::string withoutTrailingSeparator(std::string path) {
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

// Cleans `key` on a fresh hostile tree with `change` made just before call `call`; without a
// change, `calls` is how many calls of the file service the clean made.
void cleanWith(long& calls, std::string_view key, long call, const HostileChange* change) {
    RaceRun run;
    vp::test::plantHostileTree(run.sim.files, Root, Canary);
    const std::string canaryBefore = run.sim.files.snapshot(Canary);
    // The key's fixed folders are opened by name, not found by listing: list them once, so
    // that the harness counts only what the clean itself finds.
    for (const char* folder :
         {R"(C:\Users\Camille\AppData\Local)", R"(C:\Users\Camille\AppData\Local\Contoso)"}) {
        ASSERT_TRUE(run.sim.files.openFolder(folder)->list()) << folder;
    }
    run.load("[Contoso *]\nFileKey1=" + std::string(key) + "\n");
    bool applied = false;
    const long start = run.sim.files.calls();
    if (change != nullptr) {
        run.sim.files.beforeCall(start + call, [&] { applied = change->apply(run.sim.files); });
    }
    run.clean("Contoso");
    if (change == nullptr) {
        calls = run.sim.files.calls() - start;
        return;
    }
    const std::string where =
        std::string(key) + ", " + change->what + " before call " + std::to_string(call);
    auto& files = run.sim.files;
    // Where the key may act: its folder, or those its last segment's wildcard matches.
    const std::string keyFolder =
        key.find('*') < key.find('|') ? Root.substr(0, Root.size() - 3) : Root + '\\';
    EXPECT_EQ(files.snapshot(Canary), canaryBefore) << where;
    for (const std::string& line : run.log) {
        EXPECT_EQ(line.rfind(keyFolder, 0), 0u) << where << ": " << line;
        // A change made once the item was gone may plant something of the same name.
        EXPECT_TRUE(!files.exists(withoutTrailingSeparator(line)) ||
                    (applied && withoutTrailingSeparator(line) == change->at))
            << where << ": logged but there: " << line;
    }
    EXPECT_EQ(files.attributesOf(vp::test::hiddenFileOf(Root)) |
                  files.attributesOf(Root + R"(-old\sub\h.txt)") |
                  files.attributesOf(Root + R"(\sub-old\h.txt)"),
              Attr::Hidden)
        << where;
    EXPECT_EQ(files.attributesOf(vp::test::systemFileOf(Root)) |
                  files.attributesOf(Root + R"(-old\sub\s.dat)") |
                  files.attributesOf(Root + R"(\sub-old\s.dat)"),
              Attr::System | Attr::Archive)
        << where;
    EXPECT_EQ(files.actedOnUnlisted(), std::vector<std::string>{})
        << where << ": deleted or entered what no listing showed";
    if (!change->survivor.empty() && applied) {
        EXPECT_EQ(files.attributesOf(change->survivor), change->survivorAttributes)
            << where << ": " << change->survivor;
    }
}

TEST(RulesRaces, NoInterleavingTurnsAKeyAgainstAnythingOutsideItsFolderOrHiddenInside) {
    long tried = 0;
    for (const std::string_view key :
         {R"(%LocalAppData%\Contoso\Cache|*.*|REMOVESELF)",
          R"(%LocalAppData%\Contoso\Cache|*.txt|RECURSE)", R"(%LocalAppData%\Contoso\Ca*|*)"}) {
        long calls = 0;
        cleanWith(calls, key, 0, nullptr);
        ASSERT_GT(calls, 5) << key;
        for (const HostileChange& change : changes()) {
            for (long call = 0; call <= calls; ++call) {
                cleanWith(calls, key, call, &change);
                ++tried;
            }
        }
    }
    RecordProperty("interleavings", static_cast<int>(tried));
    std::printf("[ RulesRaces ] %ld interleavings tried\n", tried);
}

} // namespace
} // namespace vp::rules::test
