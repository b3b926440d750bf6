#include "support/FormFixture.h"

namespace vp::test {
namespace {

class CacheListingTest : public FormFixture {
protected:
    std::vector<std::string> cookies() const { return lines(*form->List2); }
    std::vector<std::string> others() const { return lines(*form->List3); }
    const sim::InternetCacheCounters& cache() const { return sim.internetCache.counters(); }
};

TEST_F(CacheListingTest, CookieEntriesGoToList2AndAllOthersToList3InTheCachesOrder) {
    sim.internetCache.entry("Cookie:anne@example.com/")
        .entry("http://www.example.com/index.html")
        .entry("cookie:lower@example.com/")
        .entry("Cookie:anne@shop.example/cart")
        .entry("Visited: anne@http://café.example/");
    startProgram();
    EXPECT_EQ(cookies(), (std::vector<std::string>{"Cookie:anne@example.com/",
                                                   "Cookie:anne@shop.example/cart"}));
    EXPECT_EQ(others(), (std::vector<std::string>{"http://www.example.com/index.html",
                                                  "cookie:lower@example.com/",
                                                  "Visited: anne@http://café.example/"}));
    EXPECT_EQ(form->List2->listIndex(), -1) << "nothing is selected";
    EXPECT_EQ(sim.internetCache.openSearches(), 0);
    EXPECT_EQ(sim.memory.liveBlocks(), 0u) << "the entry buffer went with the listing";
}

TEST_F(CacheListingTest, AnEntryThatGrowsBeforeItsFetchIsAskedForAgainAndListedOnce) {
    // The first entry growing matters too: a failed first fetch opens no search, and the
    // listing must not take that for the end of the cache.
    sim.internetCache.entry("Cookie:first@grows/", {.growBy = 300})
        .entry("http://a/")
        .entry("http://b/", {.growBy = 5000})
        .entry("http://c/");
    startProgram();
    EXPECT_EQ(cookies(), std::vector<std::string>{"Cookie:first@grows/"});
    EXPECT_EQ(others(), (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
    EXPECT_EQ(cache().failedFetches, 2);
    EXPECT_EQ(sim.internetCache.openSearches(), 0);
}

TEST_F(CacheListingTest, ARefusedEntryBufferEndsTheListingWithWhatItHas) {
    // The third block is refused. Reading on would go through the second entry's address in a
    // block already given back (the simulated copy throws for that) or ask for the third
    // entry for ever (the test would not end).
    sim.internetCache.entry("Cookie:one@x/")
        .entry("http://two/")
        .entry("http://three/")
        .entry("Cookie:four@x/");
    sim.memory.refuseAllocationsFrom(3);
    ASSERT_NO_THROW(startProgram());
    EXPECT_EQ(cookies(), std::vector<std::string>{"Cookie:one@x/"});
    EXPECT_EQ(others(), std::vector<std::string>{"http://two/"});
    EXPECT_EQ(sim.internetCache.openSearches(), 0);
    EXPECT_EQ(sim.memory.liveBlocks(), 0u);

    // Refused from the very first entry: nothing listed, and no search was opened to close.
    sim::SimPlatform other;
    other.internetCache.entry("http://x/");
    other.memory.refuseAllocationsFrom(1);
    Platform otherPlatform = other.bundle();
    Form1 otherForm(otherPlatform);
    otherForm.Form_Load();
    EXPECT_EQ(otherForm.List3->listCount(), 0);
    EXPECT_EQ(other.internetCache.counters().findFirst, 1);
}

TEST_F(CacheListingTest, AnEntryThatKeepsGrowingEndsTheListingInsteadOfBeingAskedForForever) {
    sim.internetCache.entry("http://before/")
        .entry("http://twice/", {.growBy = 100, .growTimes = 2})
        .entry("http://restless/", {.growBy = 100, .growTimes = -1})
        .entry("http://after/");
    startProgram();
    EXPECT_EQ(others(), (std::vector<std::string>{"http://before/", "http://twice/"}));
    EXPECT_LT(cache().failedFetches, 10);
    EXPECT_EQ(sim.internetCache.openSearches(), 0);
    EXPECT_EQ(sim.memory.liveBlocks(), 0u);
}

} // namespace
} // namespace vp::test
