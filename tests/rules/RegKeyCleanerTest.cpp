// RegKey on the simulated registry: a whole key deepest first, one value, links left in place,
// exclusions, and keys the user may not change reported with their reason.
#include "RulesRunFixture.h"

namespace vp::rules::test {
namespace {

class RegKeyCleanerTest : public RulesRunFixture {
public:
    RegKeyCleanerTest() {
        sim.registry.setString(R"(Software\Contoso\Viewer\Recent)", "File1", "a.cvw")
            .setString(R"(Software\Contoso\Viewer\Recent)", "File2", "b.cvw")
            .setString(R"(Software\Contoso\Viewer\Recent\Deep\Deeper)", "X", "1")
            .setString(R"(Software\Contoso\Viewer)", "Theme", "dark")
            .setString(R"(Software\Contoso\Settings)", "Keep", "yes");
    }
};

TEST_F(RegKeyCleanerTest, AWholeKeyGoesDeepestFirstAndItsParentStays) {
    load("[Contoso *]\nRegKey1=HKCU\\Software\\Contoso\\Viewer\n");
    clean("Contoso");
    EXPECT_FALSE(sim.registry.hasKey(R"(Software\Contoso\Viewer)"));
    EXPECT_TRUE(sim.registry.hasValue(R"(Software\Contoso\Settings)", "Keep"));
    EXPECT_EQ(log,
              (Paths{R"(HKCU\Software\Contoso\Viewer|Theme)",
                     R"(HKCU\Software\Contoso\Viewer\Recent|File1)",
                     R"(HKCU\Software\Contoso\Viewer\Recent|File2)",
                     R"(HKCU\Software\Contoso\Viewer\Recent\Deep\Deeper|X)",
                     R"(HKCU\Software\Contoso\Viewer\Recent\Deep\Deeper)",
                     R"(HKCU\Software\Contoso\Viewer\Recent\Deep)",
                     R"(HKCU\Software\Contoso\Viewer\Recent)", R"(HKCU\Software\Contoso\Viewer)"}));
    EXPECT_EQ(sim.registry.openHandles(), 0);
}

TEST_F(RegKeyCleanerTest, OneValueGoesAndNothingElse) {
    load("[Contoso *]\nRegKey1=HKCU\\Software\\Contoso\\Viewer\\Recent|File2\n"
         "RegKey2=HKCU\\Software\\Contoso\\Missing|File1\n");
    clean("Contoso");
    EXPECT_EQ(sim.registry.valueNames(R"(Software\Contoso\Viewer\Recent)"), Paths{"File1"});
    EXPECT_EQ(totals.target(1).registryValues, 1u);
    EXPECT_TRUE(kept.empty());
}

TEST_F(RegKeyCleanerTest, ALinkInsideTheKeyIsLeftAndItsTargetUntouched) {
    sim.registry.link(R"(Software\Contoso\Viewer\Recent\Jump)", R"(Software\Contoso\Settings)");
    load("[Contoso *]\nRegKey1=HKCU\\Software\\Contoso\\Viewer\n"
         "RegKey2=HKCU\\Software\\Contoso\\Viewer\\Recent\\Jump|Keep\n");
    clean("Contoso");
    EXPECT_TRUE(sim.registry.hasValue(R"(Software\Contoso\Settings)", "Keep"));
    EXPECT_TRUE(sim.registry.hasKey(R"(Software\Contoso\Viewer\Recent)"));
    EXPECT_FALSE(sim.registry.hasKey(R"(Software\Contoso\Viewer\Recent\Deep)"));
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept[0].reason, Outcome::Link);
}

TEST_F(RegKeyCleanerTest, ExclusionsKeepValuesKeysAndWhatHoldsThem) {
    load("[Contoso *]\nRegKey1=HKCU\\Software\\Contoso\\Viewer\n"
         "ExcludeKey1=REG|HKCU\\Software\\Contoso\\Viewer\\Recent|File1\n"
         "ExcludeKey2=REG|HKCU\\Software\\Contoso\\Viewer\\Recent\\Deep\\Deeper\n");
    // A key whose name merely starts like the excluded one's is not excluded.
    sim.registry.setString(R"(Software\Contoso\Viewer\Recent\Deep\Deeper2)", "Y", "2");
    clean("Contoso");
    EXPECT_FALSE(sim.registry.hasKey(R"(Software\Contoso\Viewer\Recent\Deep\Deeper2)"));
    EXPECT_EQ(sim.registry.valueNames(R"(Software\Contoso\Viewer\Recent)"), Paths{"File1"});
    EXPECT_TRUE(sim.registry.hasValue(R"(Software\Contoso\Viewer\Recent\Deep\Deeper)", "X"));
    EXPECT_FALSE(sim.registry.hasValue(R"(Software\Contoso\Viewer)", "Theme"));
}

TEST_F(RegKeyCleanerTest, KeysTheUserMayNotChangeAreKeptForLackOfRights) {
    sim.registry.readOnly(R"(Software\Contoso\Viewer\Recent)");
    load("[Contoso *]\nRegKey1=HKCU\\Software\\Contoso\\Viewer\nRegKey2=HKLM\\Software\\Contoso\n");
    clean("Contoso");
    EXPECT_TRUE(sim.registry.hasValue(R"(Software\Contoso\Viewer\Recent)", "File1"));
    EXPECT_FALSE(sim.registry.hasValue(R"(Software\Contoso\Viewer)", "Theme"));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].path, R"(HKCU\Software\Contoso\Viewer\Recent)");
    EXPECT_EQ(frenchKeptReason(kept[0].reason), "droits insuffisants");
}

} // namespace
} // namespace vp::rules::test
