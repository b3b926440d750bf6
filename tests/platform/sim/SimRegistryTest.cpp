#include "platform/sim/SimRegistry.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vp::sim {
namespace {

constexpr std::string_view Key = R"(Software\Vexoma)";

class SimRegistryTest : public ::testing::Test {
protected:
    SimRegistry registry;

    long open(std::string_view path, std::uint32_t access, RegHandle& handle) {
        return registry.openKey(CurrentUserHive, path, 0, access, handle);
    }
};

TEST_F(SimRegistryTest, AMalformedPathOpensNothingAndIsRefusedByTheBuilders) {
    registry.key(R"(Software\Vexoma)");
    for (const std::string_view path :
         {R"(\Software\Vexoma)", R"(Software\\Vexoma)", R"(Software\Vexoma\\)"}) {
        RegHandle handle = 1;
        EXPECT_NE(open(path, KEY_READ, handle), RegStatus::Success) << path;
        EXPECT_EQ(handle, 0u) << path;
        EXPECT_THROW(registry.key(path), std::invalid_argument) << path;
    }
    EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(SimRegistryTest, AReadOnlyKeyOpensForReadingAndItsHandleCannotDelete) {
    registry.setString(Key, "a", "x").readOnly(Key);
    RegHandle handle = 0;
    EXPECT_EQ(open(Key, KeyAllAccess, handle), RegStatus::AccessDenied);
    EXPECT_EQ(handle, 0u);
    ASSERT_EQ(open(Key, KEY_READ, handle), RegStatus::Success);
    EXPECT_EQ(registry.deleteValue(handle, "a"), RegStatus::AccessDenied);
    registry.closeKey(handle);
    EXPECT_TRUE(registry.hasValue(Key, "a"));
}

TEST_F(SimRegistryTest, AQueryTooLargeForTheBufferLeavesItUntouchedAndTellsTheSize) {
    registry.setString(Key, "Long", "0123456789");
    RegHandle handle = 0;
    ASSERT_EQ(open(R"(SOFTWARE\vexoma\)", KEY_READ, handle), RegStatus::Success) << "any case";
    unsigned char buffer[8] = {'k', 'e', 'e', 'p', 0, 0, 0, 0};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(registry.queryValue(handle, "long", type, buffer, size), RegStatus::MoreData);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(type, StringValueType);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "keep");
    registry.closeKey(handle);
}

TEST_F(SimRegistryTest, HandlesAreCountedUntilClosedAndOutliveNoKey) {
    registry.setString(Key, "a", "x");
    RegHandle first = 0;
    RegHandle second = 0;
    open(Key, KeyAllAccess, first);
    open(Key, KeyAllAccess, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(registry.openHandles(), 2);

    registry.removeKey("Software");
    EXPECT_EQ(registry.deleteValue(first, "a"), RegStatusMore::KeyDeleted);
    EXPECT_EQ(registry.closeKey(first), RegStatus::Success);
    EXPECT_NE(registry.closeKey(first), RegStatus::Success) << "closed twice";
    EXPECT_EQ(registry.openHandles(), 1);
}

} // namespace
} // namespace vp::sim
