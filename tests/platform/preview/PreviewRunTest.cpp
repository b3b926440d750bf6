// The preview is the real run on a platform that records instead of changing: on profiles made
// at random, its run log is the real run's, line for line, it leaves the profile exactly as it
// was, and the sizes it reports, and every item it names, are what the real run frees and names.
#include "app/Form1.h"
#include "platform/preview/PreviewPlatform.h"
#include "platform/record/RecordingPlatform.h"
#include "support/PropertyCases.h"
#include "support/RandomProfile.h"

#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>

namespace vp::test {
namespace {

constexpr int Profiles = test::PropertyCases(300);

struct RunResult {
    std::vector<std::string> log;
    Totals totals;
    std::vector<record::JournalEntry> items;
};

RunResult runTargets(Platform platform, const std::vector<int>& targets) {
    Form1* running = nullptr;
    record::ItemJournal journal(
        [&running] { return running != nullptr ? running->totals.currentTarget() : 0; });
    record::RecordingPlatform recording(platform, journal);
    Platform recorded = recording.bundle();
    Form1 form(recorded);
    running = &form;
    form.Form_Load();
    for (int n = 1; n <= TargetCount(); ++n) {
        form.ch(n).setValue(0);
    }
    for (const int n : targets) {
        form.ch(n).setValue(1);
    }
    form.Command1_Click();
    RunResult result;
    for (int i = 0; i < form.List1->listCount(); ++i) {
        result.log.push_back(form.List1->list(i));
    }
    result.totals = form.totals.sum();
    result.items = journal.entries();
    return result;
}

// The items named add up to the run's counts, kind by kind.
void ExpectItemsMatchTotals(const RunResult& run) {
    Totals named;
    for (const record::JournalEntry& entry : run.items) {
        const ItemRecord& item = entry.item;
        const bool done = item.outcome == Outcome::Done;
        switch (item.kind) {
        case ItemKind::File:
            ++(done ? named.files : named.keptFiles);
            named.fileBytes += done ? item.bytes : 0;
            break;
        case ItemKind::Folder:
            ++(done ? named.folders : named.keptFolders);
            break;
        case ItemKind::RegistryValue:
            named.registryValues += done ? 1 : 0;
            break;
        case ItemKind::RegistryKey:
            ADD_FAILURE() << "no target deletes a registry key";
            break;
        case ItemKind::CacheEntry:
            named.cacheEntries += done ? 1 : 0;
            named.cacheBytes += done ? item.bytes : 0;
            break;
        case ItemKind::BinItem:
            (done ? named.recycledItems : named.keptRecycledItems) += item.count;
            named.recycledBytes += done ? item.bytes : 0;
            break;
        }
    }
    named.refused = run.totals.refused;
    EXPECT_EQ(named, run.totals);
}

// Everything a run may change, as text.
std::string stateOf(sim::SimPlatform& sim) {
    std::ostringstream out;
    out << sim.files.snapshot("C:\\") << sim.registry.exportRegText();
    for (const auto& name : sim.internetCache.names()) {
        out << "cache " << name << '\n';
    }
    for (const auto& item : sim.shell.recycleBinItems()) {
        out << "bin " << item << '\n';
    }
    for (const auto& url : sim.urlHistory.urls()) {
        out << "history " << url << '\n';
    }
    return out.str();
}

std::vector<int> randomTargets(std::uint32_t seed) {
    std::mt19937 random(seed ^ 0x5eedu);
    std::vector<int> targets;
    for (int n = 1; n <= TargetCount(); ++n) {
        if (std::uniform_int_distribution<int>(0, 2)(random) != 0) {
            targets.push_back(n);
        }
    }
    return targets;
}

// Files below C:\ with their sizes, by path.
std::map<std::string, std::size_t> filesOf(const sim::SimFileSystem& files) {
    std::map<std::string, std::size_t> out;
    for (const auto& path : files.tree("C:\\")) {
        if (path.back() != '\\') {
            out[path] = files.contents(path).size();
        }
    }
    return out;
}

std::size_t foldersOf(const sim::SimFileSystem& files) {
    std::size_t count = 0;
    for (const auto& path : files.tree("C:\\")) {
        count += path.back() == '\\' ? 1 : 0;
    }
    return count;
}

std::size_t registryValuesOf(const sim::SimRegistry& registry, const std::string& key = "") {
    std::size_t count = registry.valueNames(key).size();
    for (const auto& sub : registry.subkeyNames(key)) {
        std::string path = key;
        if (!path.empty()) {
            path += '\\';
        }
        path += sub;
        count += registryValuesOf(registry, path);
    }
    return count;
}

TEST(PreviewRun, EqualsTheRealRunAndChangesNothingOnRandomProfiles) {
    int tried = 0;
    for (std::uint32_t seed = 1; seed <= Profiles; ++seed) {
        SCOPED_TRACE("profile seed " + std::to_string(seed));
        const std::vector<int> targets = randomTargets(seed);

        sim::SimPlatform real;
        RandomProfile(seed).build(real);
        const RunResult cleaned = runTargets(real.bundle(), targets);

        sim::SimPlatform previewed;
        RandomProfile(seed).build(previewed);
        const std::string before = stateOf(previewed);
        const Platform inner = previewed.bundle();
        preview::PreviewPlatform preview(inner);
        const RunResult shown = runTargets(preview.bundle(), targets);

        ASSERT_EQ(shown.log, cleaned.log);
        ASSERT_EQ(stateOf(previewed), before);
        ASSERT_EQ(shown.totals, cleaned.totals);
        ASSERT_EQ(shown.items, cleaned.items);
        ExpectItemsMatchTotals(cleaned);
        ++tried;
    }
    std::cout << "[ PreviewRun ] " << tried << " generated profiles tried\n";
}

TEST(PreviewRun, SizesAddUpToWhatTheRealRunFrees) {
    Totals all;
    for (std::uint32_t seed = 1; seed <= Profiles; ++seed) {
        SCOPED_TRACE("profile seed " + std::to_string(seed));
        sim::SimPlatform sim;
        RandomProfile(seed).build(sim);
        const auto filesBefore = filesOf(sim.files);
        const std::size_t foldersBefore = foldersOf(sim.files);
        const std::size_t valuesBefore = registryValuesOf(sim.registry);
        const std::size_t entriesBefore = sim.internetCache.names().size();
        const auto binBefore = *sim.shell.queryRecycleBin("");

        const RunResult run = runTargets(sim.bundle(), randomTargets(seed));

        const auto filesAfter = filesOf(sim.files);
        std::uint64_t goneFiles = 0;
        std::uint64_t goneBytes = 0;
        for (const auto& [path, size] : filesBefore) {
            if (filesAfter.count(path) == 0) {
                ++goneFiles;
                goneBytes += size;
            }
        }
        const Totals& t = run.totals;
        // Every cache entry keeps a file, which goes with it.
        EXPECT_EQ(goneFiles, t.files + t.cacheEntries);
        EXPECT_EQ(goneBytes, t.fileBytes + t.cacheBytes);
        EXPECT_EQ(foldersBefore - foldersOf(sim.files), t.folders);
        EXPECT_EQ(valuesBefore - registryValuesOf(sim.registry), t.registryValues);
        EXPECT_EQ(entriesBefore - sim.internetCache.names().size(), t.cacheEntries);
        const auto binAfter = *sim.shell.queryRecycleBin("");
        EXPECT_EQ(binBefore.items - binAfter.items, t.recycledItems);
        EXPECT_EQ(binBefore.bytes - binAfter.bytes, t.recycledBytes);
        all += t;
    }
    // The profiles give every kind of change something to count.
    EXPECT_GT(all.files, 0u);
    EXPECT_GT(all.keptFiles, 0u);
    EXPECT_GT(all.folders, 0u);
    EXPECT_GT(all.keptFolders, 0u);
    EXPECT_GT(all.registryValues, 0u);
    EXPECT_GT(all.cacheEntries, 0u);
    EXPECT_GT(all.recycledBytes, 0u);
}

} // namespace
} // namespace vp::test
