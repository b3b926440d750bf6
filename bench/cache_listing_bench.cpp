// Start-up cache listing over a simulated cache of 10,000 entries, against a bare first and
// next loop over the same cache (the same size query and fetch per entry, into one reused
// buffer, reading nothing). Prints the best of several rounds of each and their ratio; for
// context also the bare loop fetching into a fresh zeroed block per entry from the memory
// service, which is what the listing's entry buffer costs before it reads anything.
#include "app/Form1.h"
#include "platform/CacheEntryInfo.h"
#include "platform/sim/SimPlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Entries = 10000;
constexpr int Rounds = 15;

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// `fit` gives a buffer of at least the size asked for.
template <typename Fit> long bareLoop(vp::InternetCache& cache, Fit fit) {
    long count = 0;
    std::int32_t size = 0;
    cache.findFirstEntry(0, size);
    if (size < 1) {
        return 0;
    }
    const vp::CacheSearchHandle search = cache.findFirstEntry(fit(size), size);
    while (search != 0) {
        ++count;
        size = 0;
        cache.findNextEntry(search, 0, size);
        if (size < 1 || !cache.findNextEntry(search, fit(size), size)) {
            break;
        }
    }
    cache.findClose(search);
    return count;
}

long bareLoop(vp::InternetCache& cache) {
    std::vector<std::uint64_t> buffer;
    return bareLoop(cache, [&](std::int32_t size) {
        buffer.resize(static_cast<std::size_t>(size) / sizeof(std::uint64_t) + 1);
        return reinterpret_cast<std::uintptr_t>(buffer.data());
    });
}

long blockPerEntryLoop(vp::InternetCache& cache, vp::Memory& memory) {
    std::uintptr_t block = 0;
    const long count = bareLoop(cache, [&](std::int32_t size) {
        if (block != 0) {
            memory.release(block);
        }
        block = memory.allocate(static_cast<std::size_t>(size));
        return block;
    });
    memory.release(block);
    return count;
}

} // namespace

int main() {
    vp::sim::SimPlatform sim;
    for (int i = 0; i < Entries; ++i) {
        const std::string n = std::to_string(i);
        if (i % 3 == 0) {
            sim.internetCache.entry("Cookie:anne@site" + n + ".example.com/");
        } else {
            sim.internetCache.entry("http://www.site" + n + ".example.com/images/picture" + n +
                                        ".jpg",
                                    {.localFile = R"(C:\Documents and Settings\anne\Local )"
                                                  R"(Settings\Temporary Internet Files\)"
                                                  R"(Content.IE5\K3J\picture)" +
                                                  n + "[1].jpg"});
        }
    }
    vp::Platform platform = sim.bundle();

    double bestListing = 1e9;
    double bestBare = 1e9;
    double bestBlocks = 1e9;
    int listed = 0;
    long walked = 0;
    for (int round = 0; round < Rounds; ++round) {
        vp::Form1 form(platform);
        const auto start = Clock::now();
        form.Form_Load();
        bestListing = std::min(bestListing, seconds(Clock::now() - start));
        listed = form.List2->listCount() + form.List3->listCount();

        const auto bareStart = Clock::now();
        walked = bareLoop(sim.internetCache);
        bestBare = std::min(bestBare, seconds(Clock::now() - bareStart));

        const auto blocksStart = Clock::now();
        blockPerEntryLoop(sim.internetCache, sim.memory);
        bestBlocks = std::min(bestBlocks, seconds(Clock::now() - blocksStart));
    }
    std::printf("cache listing at load: %d entries in %.3f ms (best of %d)\n", listed,
                bestListing * 1e3, Rounds);
    std::printf("bare first/next loop:  %ld entries in %.3f ms (best of %d)\n", walked,
                bestBare * 1e3, Rounds);
    std::printf("bare loop, fresh zeroed block per entry: %.3f ms\n", bestBlocks * 1e3);
    std::printf("ratio listing / bare loop: %.2f (goal: at most 1.5)\n", bestListing / bestBare);
    std::printf("ratio listing / bare loop with a block per entry: %.2f\n",
                bestListing / bestBlocks);
    return listed == Entries && walked == Entries ? 0 : 1;
}
