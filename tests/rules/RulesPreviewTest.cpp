// Preview ≡ clean for rules: on profiles and rules files made at random, an entry run on the
// preview platform leaves the machine exactly as it was, and logs and counts what the real
// run then deletes, item for item.
#include "RulesRunFixture.h"
#include "platform/preview/PreviewPlatform.h"
#include "support/PropertyCases.h"

#include <random>

namespace vp::rules::test {
namespace {

constexpr int Machines = vp::test::PropertyCases(60);

struct Machine : RulesRunFixture {
    void TestBody() override {}

    std::string state() const {
        return sim.files.snapshot(R"(C:\)") + sim.registry.exportRegText();
    }
};

// The same profile and rules for the same seed: a few applications with nested folders of
// files (some hidden, read-only or in use), folder links out of them, and registry trees.
void build(Machine& m, std::uint32_t seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::vector<std::string> names = {"a.tmp", "b.log", "c.dat", "D.TMP", "e", "f.log.old"};
    const std::vector<std::string> keys = {"*", "*.*", "*.tmp", "*.log;c.dat", "?.tmp", "e;D.tmp"};
    const std::vector<std::string> flags = {"", "|RECURSE", "|REMOVESELF"};
    std::string rules;
    for (int app = 0; app < 3; ++app) {
        const std::string root = R"(C:\Users\Camille\AppData\Roaming\App)" + std::to_string(app);
        std::vector<std::string> folders = {root};
        for (int i = 0; i < 4; ++i) {
            folders.push_back(
                folders[static_cast<std::size_t>(pick(static_cast<int>(folders.size())))] + "\\F" +
                std::to_string(i));
            m.sim.files.folder(folders.back());
        }
        for (int i = 0; i < 10; ++i) {
            sim::FileOptions options;
            options.contents = std::string(static_cast<std::size_t>(pick(50)), 'x');
            const int kind = pick(8);
            options.attributes = kind == 0   ? FileAttribute::Hidden
                                 : kind == 1 ? FileAttribute::ReadOnly
                                             : FileAttribute::Archive;
            options.inUse = kind == 2;
            m.sim.files.file(folders[static_cast<std::size_t>(pick(5))] + "\\" +
                                 names[static_cast<std::size_t>(pick(6))],
                             options);
        }
        if (pick(2) == 0) {
            m.sim.files.folderLink(folders[static_cast<std::size_t>(pick(5))] + "\\Link",
                                   R"(C:\Users\Camille\Documents)");
        }
        const std::string regRoot = "Software\\App" + std::to_string(app);
        m.sim.registry.setString(regRoot + "\\MRU", "1", "x").setString(regRoot, "Keep", "y");
        if (pick(2) == 0) {
            m.sim.registry.setString(regRoot + "\\MRU\\Sub", "2", "z");
        }
        if (pick(3) == 0) {
            m.sim.registry.readOnly(regRoot + "\\MRU");
        }
        rules += "[App" + std::to_string(app) + " *]\n";
        for (int k = 1; k <= 3; ++k) {
            const std::string sub = pick(3) == 0 ? "\\F*" : "";
            rules += "FileKey" + std::to_string(k) + "=%AppData%\\App" + std::to_string(app) + sub +
                     "|" + keys[static_cast<std::size_t>(pick(6))] +
                     flags[static_cast<std::size_t>(pick(3))] + "\n";
        }
        rules += "RegKey1=HKCU\\" + regRoot + "\\MRU\nRegKey2=HKCU\\" + regRoot + "|Keep\n";
        if (pick(2) == 0) {
            rules += "ExcludeKey1=PATH|%AppData%\\App" + std::to_string(app) + "\\|*.log\n";
        }
    }
    m.sim.files.file(R"(C:\Users\Camille\Documents\precious.tmp)");
    m.load(std::move(rules));
}

TEST(RulesPreviewTest, APreviewChangesNothingAndAnnouncesExactlyWhatTheCleanDoes) {
    Totals all; // what the cleans did, to know the profiles exercise every kind of item
    for (int seed = 1; seed <= Machines; ++seed) {
        Machine previewed;
        Machine cleaned;
        build(previewed, static_cast<std::uint32_t>(seed));
        build(cleaned, static_cast<std::uint32_t>(seed));
        const std::string before = previewed.state();
        preview::PreviewPlatform preview(previewed.sim.bundle());
        for (const Entry& entry : previewed.rules.entries()) {
            previewed.clean(entry.name, preview.bundle());
            cleaned.clean(entry.name);
        }
        ASSERT_EQ(previewed.state(), before) << "seed " << seed;
        EXPECT_EQ(previewed.log, cleaned.log) << "seed " << seed;
        EXPECT_EQ(previewed.totals.target(1), cleaned.totals.target(1)) << "seed " << seed;
        all += cleaned.totals.target(1);
        EXPECT_TRUE(cleaned.sim.files.exists(R"(C:\Users\Camille\Documents\precious.tmp)"));
        // Only the folders a rule spells are opened by name; everything deleted was listed.
        for (const std::string& name : cleaned.sim.files.actedOnUnlisted()) {
            EXPECT_TRUE(name.starts_with("App")) << name << ", seed " << seed;
        }
    }
    EXPECT_GT(all.files, 0u);
    EXPECT_GT(all.keptFiles, 0u);
    EXPECT_GT(all.folders, 0u);
    EXPECT_GT(all.registryValues, 0u);
}

} // namespace
} // namespace vp::rules::test
