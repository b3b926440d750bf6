#include "registry/RegistryHelpers.h"

#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

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
        std::string text = GetRegString(platform, CurrentUserHive, path, name, Default);
        EXPECT_EQ(registry.openHandles(), 0) << "after reading " << name << " in " << path;
        return text;
    }
    void remove(std::string_view name, std::string_view path = Key) {
        DeleteRegValue(platform, CurrentUserHive, path, name);
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

    EXPECT_EQ(read("few", std::string(Key) + "\\"), "notepad\\1");
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
        // Stored without a terminator: the zeroed buffer supplies the end of the 127...
        .setRaw(Key, "127bare", sim::REG_BINARY, std::string(127, 'b'))
        // ...but 128 bytes without a zero fill the buffer and have no end inside it.
        .setRaw(Key, "128bare", StringValueType, std::string(128, 'c'));

    EXPECT_EQ(read("127"), longest);
    EXPECT_EQ(read("128"), Default);
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

TEST_F(RegistryHelpersTest, ALinkAnywhereInThePathIsNeitherReadNorDeletedThrough) {
    // RunMRU, or a key above it, made a link to another key of the user's.
    const std::string runMru = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)";
    registry.setString(R"(Software\Canary)", "a", "precious")
        .setString(R"(Software\Canary)", "MRUList", "a");
    const std::string canary = registry.exportRegText(R"(Software\Canary)");
    for (const auto& [link, path] : std::vector<std::pair<std::string, std::string>>{
             {runMru, runMru},
             {R"(Software\Microsoft\Windows\CurrentVersion\Explorer)", runMru},
             {R"(Software\Elsewhere)", R"(Software\Elsewhere\)"}}) {
        registry.link(link, path == runMru && link != runMru ? R"(Software\Decoy)"
                                                             : R"(Software\Canary)");
        registry.setString(R"(Software\Decoy\RunMRU)", "a", "precious");
        EXPECT_EQ(read("a", path), Default) << link;
        remove("a", path);
        remove("MRUList", path);
        EXPECT_EQ(registry.exportRegText(R"(Software\Canary)"), canary) << link;
        EXPECT_EQ(registry.stringValue(R"(Software\Decoy\RunMRU)", "a"), "precious") << link;
        registry.removeKey(link);
    }
    // A link is refused as a whole, values of its own included.
    registry.link(runMru, R"(Software\Canary)").setString(runMru, "a", "on the link itself");
    EXPECT_EQ(read("a", runMru), Default);
    remove("a", runMru);
    EXPECT_TRUE(registry.hasValue(runMru, "a"));
    registry.removeKey(runMru);

    // Without the links, the same paths read and delete as usual.
    registry.setString(runMru, "a", "cmd");
    EXPECT_EQ(read("a", runMru), "cmd");
    remove("a", runMru);
    EXPECT_FALSE(registry.hasValue(runMru, "a"));
}

TEST_F(RegistryHelpersTest, DeletesOnlyTheNamedValueWhateverItsCase) {
    registry.setString(Key, "MRUList", "ba")
        .setString(Key, "a", "first")
        .setString(Key, "b", "second")
        .key(std::string(Key) + R"(\mrulist)");

    remove("mrulist", std::string(Key) + "\\"); // a trailing backslash names the same key
    remove("A");

    EXPECT_EQ(registry.valueNames(Key), std::vector<std::string>{"b"})
        << registry.exportRegText(Key);
    EXPECT_EQ(registry.subkeyNames(Key), std::vector<std::string>{"mrulist"})
        << "a subkey named like the value stays";
}

TEST_F(RegistryHelpersTest, TextCrossesTheRegistryInTheNarrowCodePage) {
    const std::string folder = R"(Software\Vexoma\Éléments récents)";
    // Bytes as a Western European Windows stores them: é is the single byte 0xE9.
    registry
        .setRaw(folder, "Élément", StringValueType,
                "R\xE9"
                "cent.doc\0"sv)
        .setString(folder, "other", "");

    EXPECT_EQ(read("élément", folder), "Récent.doc");
    remove("ÉLÉMENT", folder);
    EXPECT_EQ(registry.valueNames(folder), std::vector<std::string>{"other"});
}

} // namespace
} // namespace vp
