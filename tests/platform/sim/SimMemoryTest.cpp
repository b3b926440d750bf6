#include "platform/sim/SimMemory.h"

#include "support/Addresses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace vp::test {
namespace {

TEST(SimMemory, AnswersOnlyForItsBlocksAndSharedBuffersAndRefusesToCopyElsewhere) {
    sim::SimMemory memory;
    const std::uintptr_t block = memory.allocate(1);
    EXPECT_FALSE(memory.isBadReadPtr(block + 4095, 1));
    EXPECT_TRUE(memory.isBadReadPtr(block + 4095, 2)) << "past the page";
    EXPECT_TRUE(memory.isBadReadPtr(block - 1, 1));
    EXPECT_FALSE(memory.isBadReadPtr(0, 0)) << "an empty range touches nothing";
    EXPECT_TRUE(memory.isBadStringPtr(0, 1));
    EXPECT_FALSE(memory.isBadStringPtr(block, 100000)) << "zeroed: the string ends at once";

    char local[4] = {'a', 'b', 'c', 'd'};
    EXPECT_TRUE(memory.isBadWritePtr(addressOf(local), 4));
    memory.shareBuffer(addressOf(local), 4);
    EXPECT_FALSE(memory.isBadWritePtr(addressOf(local), 4));
    EXPECT_TRUE(memory.isBadStringPtr(addressOf(local), 5));
    EXPECT_FALSE(memory.isBadStringPtr(addressOf(local), 4));
    memory.move(block, addressOf(local), 4);
    EXPECT_EQ(std::memcmp(bytesAt(block), "abcd", 4), 0);
    memory.unshareBuffer(addressOf(local));
    EXPECT_THROW(memory.move(addressOf(local), block, 4), std::logic_error);

    memory.decommit(block, 4096);
    EXPECT_TRUE(memory.isBadReadPtr(block, 1)) << "decommitted pages are gone";
    EXPECT_TRUE(memory.release(block));
    EXPECT_FALSE(memory.release(block));
}

} // namespace
} // namespace vp::test
