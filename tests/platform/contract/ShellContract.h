// The shell's recycle bin (platform/Shell.h) as every platform keeps it: what the bin holds
// is counted, and an emptying without confirmation leaves only what the shell says it would.
#pragma once

#include "platform/Shell.h"
#include "platform/contract/PlatformUnderTest.h"

#include <gtest/gtest.h>

namespace vp::contract {

inline constexpr std::uint32_t NoConfirmation = 0x1;

template <PlatformUnderTest P> class ShellContract : public ::testing::Test {
protected:
    P platform;
    Platform services = platform.bundle();
    Shell& shell = services.shell;
};

TYPED_TEST_SUITE_P(ShellContract);

TYPED_TEST_P(ShellContract, TheBinCountsItsItemsAndAnEmptyingLeavesWhatTheShellSaid) {
    const auto before = this->shell.queryRecycleBin("");
    ASSERT_TRUE(before.has_value());
    if (!this->platform.recycle("12345")) {
        GTEST_SKIP() << "this platform puts nothing into its recycle bin here";
    }
    const auto holding = this->shell.queryRecycleBin("");
    ASSERT_TRUE(holding.has_value());
    EXPECT_EQ(holding->items, before->items + 1);
    EXPECT_EQ(holding->bytes, before->bytes + 5);

    const auto leftovers = this->shell.recycleBinLeftovers("");
    ASSERT_TRUE(leftovers.has_value());
    EXPECT_EQ(this->shell.emptyRecycleBin(0, "", NoConfirmation), 0);
    EXPECT_EQ(this->shell.queryRecycleBin(""), leftovers);
}

REGISTER_TYPED_TEST_SUITE_P(ShellContract, TheBinCountsItsItemsAndAnEmptyingLeavesWhatTheShellSaid);

} // namespace vp::contract
