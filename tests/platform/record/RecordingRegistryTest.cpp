// The recording registry names each value and key a run deleted or could not delete, by the
// registry's answer; what was not there is no item.
#include "platform/record/RecordingRegistry.h"

#include "platform/NarrowText.h"
#include "platform/sim/SimRegistry.h"

#include <gtest/gtest.h>

namespace vp::record {
namespace {

struct RecordingRegistryTest : ::testing::Test {
    RecordingRegistryTest() {
        sim.setString("Software\\App", "old", "1");
        sim.setString("Software\\App\\Keep\\Below", "v", "2");
        sim.key("Software\\App\\Gone");
    }
    RegHandle open(std::uint32_t access) {
        RegHandle key = 0;
        EXPECT_EQ(registry.openKey(CurrentUserHive, "Software\\App", 0, access, key), 0);
        return key;
    }
    std::vector<std::pair<Outcome, std::string>> items() const {
        std::vector<std::pair<Outcome, std::string>> out;
        for (const JournalEntry& entry : journal.entries()) {
            out.emplace_back(entry.item.outcome, entry.item.path + "|" + entry.item.value);
        }
        return out;
    }

    sim::SimRegistry sim;
    Windows1252Text narrow;
    ItemJournal journal{[] { return 0; }};
    RecordingRegistry registry{sim, narrow, journal};
};

TEST_F(RecordingRegistryTest, ValuesAreNamedByTheRegistrysAnswer) {
    const RegHandle reading = open(KeyQueryValue);
    EXPECT_EQ(registry.deleteValue(reading, "old"), RegStatus::AccessDenied);
    const RegHandle writing = open(KeyAllAccess);
    EXPECT_EQ(registry.deleteValue(writing, "old"), RegStatus::Success);
    EXPECT_EQ(registry.deleteValue(writing, "old"), RegStatus::FileNotFound);
    registry.closeKey(reading);
    registry.closeKey(writing);
    const std::vector<std::pair<Outcome, std::string>> expected{
        {Outcome::AccessDenied, "HKEY_CURRENT_USER\\Software\\App|old"},
        {Outcome::Done, "HKEY_CURRENT_USER\\Software\\App|old"},
    };
    EXPECT_EQ(items(), expected);
}

TEST_F(RecordingRegistryTest, KeysAreNamedByTheirPath) {
    const RegHandle key = open(KeyAllAccess);
    EXPECT_EQ(registry.deleteKey(key, "Keep"), RegStatus::AccessDenied);
    EXPECT_EQ(registry.deleteKey(key, "Gone"), RegStatus::Success);
    EXPECT_EQ(registry.deleteKey(key, "Gone"), RegStatus::FileNotFound);
    registry.closeKey(key);
    const std::vector<std::pair<Outcome, std::string>> expected{
        {Outcome::AccessDenied, "HKEY_CURRENT_USER\\Software\\App\\Keep|"},
        {Outcome::Done, "HKEY_CURRENT_USER\\Software\\App\\Gone|"},
    };
    EXPECT_EQ(items(), expected);
}

} // namespace
} // namespace vp::record
