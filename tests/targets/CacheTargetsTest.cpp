#include "support/FormFixture.h"

#include "targets/ShellFolders.h"

namespace vp::test {
namespace {

constexpr const char* CookieFolder = R"(C:\Documents and Settings\anne\Cookies)";
constexpr const char* CacheFolder =
    R"(C:\Documents and Settings\anne\Local Settings\Temporary Internet Files)";

class CacheTargetsTest : public FormFixture {
protected:
    void SetUp() override {
        sim.environment.set("USERNAME", "anne");
        sim.registry.setString(ShellFoldersKey, "Cookies", CookieFolder)
            .setString(ShellFoldersKey, "Cache", CacheFolder);
    }
    std::string cookieFile(std::string_view name) const {
        return std::string(CookieFolder) + "\\" + std::string(name);
    }
    std::vector<std::string> runOnly(int box) {
        checkOnly({box});
        window().click("Command1");
        return runLog();
    }
};

TEST_F(CacheTargetsTest, FirstCookiesRunDeletesTheListedEntriesThenLaterRunsOnlySweep) {
    sim.files.file(cookieFile("anne@example[1].txt"))
        .file(cookieFile("anne@shop[2].txt"))
        .file(cookieFile("anne@stale[1].txt"))
        .file(cookieFile("index.dat"), {.inUse = true});
    sim.internetCache
        .entry("Cookie:anne@example.com/", {.localFile = cookieFile("anne@example[1].txt")})
        .entry("http://www.example.com/")
        .entry("Cookie:anne@shop.example/", {.localFile = cookieFile("anne@shop[2].txt")})
        .entry("Cookie:anne@gone.example/")
        .entry("Cookie:anne@busy.example/", {.inUse = true});
    startProgram();
    sim.internetCache.deleteEntry("Cookie:anne@gone.example/"); // vanished since start-up

    // The entries' own files went with them; only what the cache did not hold is swept.
    EXPECT_EQ(runOnly(2), (std::vector<std::string>{
                              " ", "Cookie:anne@example.com/", "Cookie:anne@shop.example/",
                              "Cookie:anne@gone.example/", "Cookie:anne@busy.example/",
                              cookieFile("anne@stale[1].txt"), ""}));
    EXPECT_EQ(lines(*form->List2), std::vector<std::string>(4, "Effacé"));
    EXPECT_EQ(sim.internetCache.names(),
              (std::vector<std::string>{"http://www.example.com/", "Cookie:anne@busy.example/"}));

    // A second run of the same start: the list is left alone, new cache entries stay, the
    // folder is swept again.
    sim.files.file(cookieFile("anne@new[1].txt"));
    sim.internetCache.entry("Cookie:anne@new.example/");
    EXPECT_EQ(runOnly(2), (std::vector<std::string>{" ", cookieFile("anne@new[1].txt"), ""}));
    EXPECT_EQ(lines(*form->List2), std::vector<std::string>(4, "Effacé"));
    EXPECT_EQ(sim.internetCache.names().back(), "Cookie:anne@new.example/");
    EXPECT_EQ(sim.files.tree(CookieFolder), std::vector<std::string>{cookieFile("index.dat")});
}

TEST_F(CacheTargetsTest, EveryLineIsReplacedInPlaceSoNoEntryIsSkipped) {
    const std::vector<std::string> names = {"http://a/", "http://b/é", "http://c/", "http://d/",
                                            "http://e/"};
    for (const auto& name : names) {
        sim.internetCache.entry(name);
    }
    startProgram();
    ASSERT_EQ(lines(*form->List3), names);

    std::vector<std::string> expected = names;
    expected.push_back(""); // nothing to sweep: no files
    EXPECT_EQ(logOf(*form, &Form1::IETemp), expected);
    EXPECT_EQ(lines(*form->List3), std::vector<std::string>(5, "Effacé"));
    EXPECT_TRUE(sim.internetCache.names().empty()) << "deleted by the names the listing gave";
    EXPECT_EQ(form->List1->listIndex(), 4) << "the last name is selected, the blank line not";
}

TEST_F(CacheTargetsTest, WithoutTheShellFolderValueTheListIsStillProcessedAndNothingSwept) {
    sim.registry.setString(ShellFoldersKey, "Cache", std::string(130, 'x')); // unreadable
    sim.files.file(R"(C:\x.htm)");
    sim.internetCache.entry("http://a/");
    startProgram();
    EXPECT_EQ(logOf(*form, &Form1::IETemp), (std::vector<std::string>{"http://a/", ""}));
    EXPECT_TRUE(sim.files.exists(R"(C:\x.htm)"));
}

} // namespace
} // namespace vp::test
