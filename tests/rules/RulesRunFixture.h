// A simulated machine to detect and clean rules entries on: a typical profile of the user
// "Camille" on a 64-bit Windows, its known folders and protected places, the run's totals and
// log, and the rules file a test writes.
#pragma once

#include "app/RunTotals.h"
#include "platform/sim/SimKnownFolders.h"
#include "platform/sim/SimPlatform.h"
#include "rules/EntryCleaner.h"
#include "rules/ItemTally.h"
#include "rules/RootExpansion.h"
#include "rules/RuleSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp::rules::test {

class RulesRunFixture : public ::testing::Test {
public:
    RulesRunFixture() {
        folders.setTypicalProfile("Camille", true);
        sim.files.protectedPlace(R"(C:\Windows)", PlaceKind::Windows)
            .protectedPlace(R"(C:\Program Files)", PlaceKind::ProgramFiles)
            .protectedPlace(R"(C:\Program Files (x86))", PlaceKind::ProgramFiles)
            .protectedPlace(R"(C:\ProgramData)", PlaceKind::ProgramData)
            .protectedPlace(R"(C:\Users)", PlaceKind::Users)
            .protectedPlace(R"(C:\Users\Camille)", PlaceKind::Profile)
            .protectedPlace(R"(C:\Users\Camille\AppData\Roaming)", PlaceKind::KnownFolder)
            .protectedPlace(R"(C:\Users\Camille\AppData\Local)", PlaceKind::KnownFolder)
            .protectedPlace(R"(C:\Users\Camille\Documents)", PlaceKind::KnownFolder);
        sim.files.folder(R"(C:\Users\Camille\AppData\Roaming)")
            .folder(R"(C:\Users\Camille\AppData\Local)")
            .folder(R"(C:\Windows)");
        totals.beginTarget(1);
    }

    // Reads `text` as a rules file; the entries it holds stay readable until the next call.
    const RuleSet& load(std::string text) {
        rules = parseRules(std::move(text), "test.ini");
        return rules;
    }

    // Cleans the entry of that name on `platform` (the simulated one by default); its log
    // lines go to `log`.
    void clean(std::string_view name) { clean(name, sim.bundle()); }
    void clean(std::string_view name, const Platform& platform) {
        const Entry* entry = rules.find(name);
        ASSERT_NE(entry, nullptr) << name;
        RootExpander expander(folders, sim.environment);
        ItemTally tally(totals, [this](std::string_view line) { log.emplace_back(line); });
        cleanEntry(platform, *entry, expander, tally);
        kept = tally.kept();
    }

    // What is left below `root`, as the simulated file system lists it.
    std::vector<std::string> tree(std::string_view root) const { return sim.files.tree(root); }

    sim::SimPlatform sim;
    sim::SimKnownFolders folders;
    RuleSet rules = parseRules({}, "empty.ini");
    RunTotals totals{1};
    std::vector<std::string> log;
    std::vector<KeptItem> kept;
};

using Paths = std::vector<std::string>;

} // namespace vp::rules::test
