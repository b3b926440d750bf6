#include "support/FormFixture.h"

namespace vp::test {
namespace {

namespace Attr = FileAttribute;
using Lines = std::vector<std::string>;

constexpr const char* Profile = R"(C:\Documents and Settings\anne)";

class AppFileTargetsTest : public FormFixture {
protected:
    void SetUp() override {
        sim.environment.set("USERNAME", "anne");
        startProgram();
    }
    std::string inProfile(std::string_view rest) const { return Profile + std::string(rest); }
};

TEST_F(AppFileTargetsTest, AzureusDeletesTheLogsOfTheUserNamedInLabel10Only) {
    const std::string logs = inProfile(R"(\Application Data\Azureus\logs\)");
    sim.files.file(logs + "debug_1.log")
        .file(logs + "debug_2.log", {.attributes = Attr::ReadOnly})
        .file(logs + "alerts.LOG")
        .file(logs + "readme.txt")
        .file(R"(C:\Documents and Settings\bob\Application Data\Azureus\logs\b.log)");
    EXPECT_EQ(logOf(*form, &Form1::Azureus), Lines{""});
    EXPECT_EQ(sim.files.tree(logs), Lines{logs + "readme.txt"});

    // The name is read at the time of the call.
    form->Label10->setCaption("bob");
    EXPECT_EQ(logOf(*form, &Form1::Azureus), Lines{""});
    EXPECT_FALSE(
        sim.files.exists(R"(C:\Documents and Settings\bob\Application Data\Azureus\logs\b.log)"));
}

TEST_F(AppFileTargetsTest, AProfileWithoutTheFoldersOrWithoutAUserNameChangesNothing) {
    // Joined without a name, the fixed parts would name this folder of no user.
    const std::string stray = R"(C:\Documents and Settings\Application Data\Azureus\logs\x.log)";
    const std::string strayFlash =
        R"(C:\Documents and Settings\Application Data\Macromedia\Flash Player\macromedia.com\support\flashplayer\sys\settings.sol)";
    sim.files.file(stray).file(strayFlash);
    for (const char* name : {"", "..", R"(..\anne)"}) {
        form->Label10->setCaption(name);
        EXPECT_EQ(logOf(*form, &Form1::Azureus), Lines{""});
        EXPECT_EQ(logOf(*form, &Form1::MPlayerF), Lines{""});
    }
    EXPECT_TRUE(sim.files.exists(stray));
    EXPECT_TRUE(sim.files.exists(strayFlash));
}

TEST_F(AppFileTargetsTest, DonkeyAndMuleDeleteTheirFixedFilesEachOnItsOwn) {
    sim.files.file(R"(C:\Program Files\eDonkey2000\log.txt)", {.attributes = Attr::ReadOnly})
        .file(R"(C:\Program Files\eDonkey2000\other.txt)");
    EXPECT_EQ(logOf(*form, &Form1::Donkey), Lines{""});
    EXPECT_EQ(sim.files.tree(R"(C:\Program Files\eDonkey2000)"),
              Lines{R"(C:\Program Files\eDonkey2000\other.txt)"});

    const std::string mule = R"(C:\Program Files\eMule\)";
    sim.files.file(mule + R"(config\known.met)");
    EXPECT_EQ(logOf(*form, &Form1::Mule), Lines{""});
    EXPECT_FALSE(sim.files.exists(mule + R"(config\known.met)")) << "the first one was missing";

    sim.files.file(mule + R"(config\AC_SearchStrings.dat)", {.inUse = true})
        .file(mule + R"(config\known.met)")
        .file(mule + "downloads.txt", {.attributes = Attr::ReadOnly});
    EXPECT_EQ(logOf(*form, &Form1::Mule), Lines{""});
    EXPECT_EQ(sim.files.tree(mule),
              (Lines{mule + R"(config\)", mule + R"(config\AC_SearchStrings.dat)"}));
}

TEST_F(AppFileTargetsTest, FlashPlayerSettingsGoButTheFoldersBelowStay) {
    const std::string sys = inProfile(
        R"(\Application Data\Macromedia\Flash Player\macromedia.com\support\flashplayer\sys\)");
    sim.files.file(sys + "settings.sol")
        .file(sys + "noext", {.attributes = Attr::ReadOnly})
        .file(sys + R"(#local\settings.sol)");
    EXPECT_EQ(logOf(*form, &Form1::MPlayerF), Lines{""});
    EXPECT_EQ(sim.files.tree(sys), (Lines{sys + R"(#local\)", sys + R"(#local\settings.sol)"}));
}

} // namespace
} // namespace vp::test
