#include "registry/RegistryHelpers.h"

#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace vp {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view Key = R"(Software\Vexoma\Lists)";
constexpr std::string_view Default = "<default>";

class RegistryHelpersTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    Platform platform = sim.bundle();
    sim::SimRegistry& registry = sim.registry;

    // Every read and deletion, whatever its path, must leave no key open.
    std::string read(std::string_view name, std::string_view path = Key) {
        std::string text = GetRegString(platform, HKEY_CURRENT_USER, path, name, Default);
        EXPECT_EQ(registry.openHandles(), 0) << "after reading " << name << " in " << path;
        return text;
    }
    void remove(std::string_view name, std::string_view path = Key) {
        DeleteRegValue(platform, HKEY_CURRENT_USER, path, name);
        EXPECT_EQ(registry.openHandles(), 0) << "after deleting " << name << " in " << path;
    }
};

TEST_F(RegistryHelpersTest, ReadsTheDataOfAnyTypeUpToItsFirstZeroByte) {
    registry.setString(Key, "few", "notepad\\1")
        .setString(Key, "empty", "")
        .setExpandString(Key, "expand", R"(%USERPROFILE%\Recent)")
        .setMultiString(Key, "multi", {"first", "second"})
        .setDword(Key, "dword", 0x00434241)
        .setBinary(Key, "binary", {'h', 'i', 0, 'x'})
        .setBinary(Key, "zeroFirst", {0, 'x'});

    EXPECT_EQ(read("few"), "notepad\\1");
    EXPECT_EQ(read("empty"), "");
    EXPECT_EQ(read("expand"), R"(%USERPROFILE%\Recent)") << "nothing is expanded";
    EXPECT_EQ(read("multi"), "first");
    EXPECT_EQ(read("dword"), "ABC");
    EXPECT_EQ(read("binary"), "hi");
    EXPECT_EQ(read("zeroFirst"), "");
}

TEST_F(RegistryHelpersTest, TheLongestReadableStringIs127Characters) {
    const std::string longest(127, 'x');
    registry.setString(Key, "127", longest)
        .setString(Key, "128", std::string(128, 'y'))
        .setString(Key, "300", std::string(300, 'z'))
        // Stored without a terminator: the zeroed buffer supplies the end of the 127...
        .setRaw(Key, "127bare", sim::REG_BINARY, std::string(127, 'b'))
        // ...but 128 bytes without a zero fill the buffer and have no end inside it.
        .setRaw(Key, "128bare", REG_SZ, std::string(128, 'c'));

    EXPECT_EQ(read("127"), longest);
    EXPECT_EQ(read("128"), Default);
    EXPECT_EQ(read("300"), Default);
    EXPECT_EQ(read("127bare"), std::string(127, 'b'));
    EXPECT_EQ(read("128bare"), Default);
}

TEST_F(RegistryHelpersTest, WhatCannotBeOpenedWithFullAccessOrFoundReadsAsTheDefault) {
    const std::string locked = R"(Software\Vexoma\Locked)";
    registry.setString(Key, "present", "x").setString(locked, "a", "visible").readOnly(locked);
    const std::string before = registry.exportRegText();

    EXPECT_EQ(read("absent"), Default);
    EXPECT_EQ(read("present", R"(Software\Vexoma\Missing)"), Default);
    EXPECT_EQ(read("a", locked), Default) << "full access is asked for even to read";

    remove("absent");
    remove("present", R"(Software\Vexoma\Missing)");
    remove("a", locked);
    EXPECT_EQ(registry.exportRegText(), before);
}

TEST_F(RegistryHelpersTest, DeletesOnlyTheNamedValueWhateverItsCase) {
    registry.setString(Key, "MRUList", "ba")
        .setString(Key, "a", "first")
        .setString(Key, "b", "second")
        .key(std::string(Key) + R"(\mrulist)");

    remove("mrulist");
    remove("A");

    EXPECT_EQ(registry.valueNames(Key), std::vector<std::string>{"b"})
        << registry.exportRegText(Key);
    EXPECT_EQ(registry.subkeyNames(Key), std::vector<std::string>{"mrulist"})
        << "a subkey named like the value stays";
}

TEST_F(RegistryHelpersTest, APathWithATrailingBackslashNamesTheSameKey) {
    const std::string slashed = std::string(Key) + "\\";
    registry.setString(Key, "a", "found");

    EXPECT_EQ(read("a", slashed), "found");
    remove("a", slashed);
    EXPECT_FALSE(registry.hasValue(Key, "a"));
}

TEST_F(RegistryHelpersTest, TextCrossesTheRegistryInTheNarrowCodePage) {
    const std::string folder = R"(Software\Vexoma\Éléments récents)";
    // Bytes as a Western European Windows stores them: é is the single byte 0xE9.
    registry.setRaw(folder, "Élément", REG_SZ,
                    "R\xE9"
                    "cent.doc\0"sv);

    EXPECT_EQ(read("élément", folder), "Récent.doc");
    registry.setString(folder, "other", "Cœur €");
    EXPECT_EQ(*registry.rawValue(folder, "other"), "C\x9C"
                                                   "ur \x80"
                                                   "\0"sv);
    EXPECT_EQ(read("other", folder), "Cœur €");
    remove("ÉLÉMENT", folder);
    EXPECT_EQ(registry.valueNames(folder), std::vector<std::string>{"other"});
}

// A registry that records what the helpers ask of it and answers as it is told.
class RecordingRegistry final : public Registry {
public:
    long openStatus = RegStatus::Success;
    long queryStatus = RegStatus::Success;
    std::string data; // what a query writes at the start of the buffer

    std::vector<std::string> calls;
    bool bufferWasZeroed = false;
    std::uint32_t typeGiven = 0;
    std::uint32_t sizeGiven = 0;

    long openKey(RegHandle hive, std::string_view path, std::uint32_t options, std::uint32_t access,
                 RegHandle& key) override {
        char args[64];
        std::snprintf(args, sizeof args, "open %lx %u %lx ", static_cast<unsigned long>(hive),
                      options, static_cast<unsigned long>(access));
        calls.push_back(args + std::string(path));
        key = openStatus == RegStatus::Success ? 77 : 0;
        return openStatus;
    }
    long queryValue(RegHandle key, std::string_view name, std::uint32_t& type,
                    unsigned char* buffer, std::uint32_t& size) override {
        calls.push_back("query " + std::to_string(key) + " " + std::string(name));
        typeGiven = type;
        sizeGiven = size;
        bufferWasZeroed =
            std::all_of(buffer, buffer + size, [](unsigned char b) { return b == 0; });
        std::memcpy(buffer, data.data(), std::min<std::size_t>(data.size(), size));
        type = sim::REG_BINARY;
        size = 9999; // never to be trusted
        return queryStatus;
    }
    long deleteValue(RegHandle key, std::string_view name) override {
        calls.push_back("delete " + std::to_string(key) + " " + std::string(name));
        return RegStatus::FileNotFound;
    }
    long closeKey(RegHandle key) override {
        calls.push_back("close " + std::to_string(key));
        return RegStatus::Success;
    }
};

class RegistryHelpersCallsTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    RecordingRegistry fake;
    Platform platform{fake,           sim.files,  sim.environment, sim.shell,    sim.internetCache,
                      sim.urlHistory, sim.memory, sim.windowing,   sim.graphics, sim.narrowText};

    std::string read() {
        return GetRegString(platform, HKEY_CURRENT_USER, R"(Software\Récent\)", "Nom", "dflt");
    }
};

TEST_F(RegistryHelpersCallsTest, ReadOpensWithFullAccessQueriesAZeroedBufferOf128AndCloses) {
    fake.data = std::string("valeur\0junk", 11);
    EXPECT_EQ(read(), "valeur");
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"open 80000001 0 f003f Software\\R\xE9"
                                                    "cent\\",
                                                    "query 77 Nom", "close 77"}));
    EXPECT_TRUE(fake.bufferWasZeroed);
    EXPECT_EQ(fake.typeGiven, 1u);
    EXPECT_EQ(fake.sizeGiven, 128u);
}

TEST_F(RegistryHelpersCallsTest, AFailedQueryLeavesTheBufferUnreadAndStillClosesTheKey) {
    fake.data = "scribbled";
    for (const long status : {RegStatus::FileNotFound, RegStatus::MoreData}) {
        fake.calls.clear();
        fake.queryStatus = status;
        EXPECT_EQ(read(), "dflt") << status;
        EXPECT_EQ(fake.calls.back(), "close 77") << status;
    }
}

TEST_F(RegistryHelpersCallsTest, DeleteOpensWithFullAccessDeletesAndClosesIgnoringTheStatus) {
    DeleteRegValue(platform, HKEY_CURRENT_USER, R"(Software\Récent)", "MRUList");
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"open 80000001 0 f003f Software\\R\xE9"
                                                    "cent",
                                                    "delete 77 MRUList", "close 77"}));
}

} // namespace
} // namespace vp
