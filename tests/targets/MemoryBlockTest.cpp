#include "targets/MemoryBlock.h"

#include "platform/NarrowText.h"
#include "platform/sim/SimMemory.h"

#include "support/Addresses.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace vp::test {
namespace {

class MemoryBlockTest : public ::testing::Test {
protected:
    sim::SimMemory memory;
    Windows1252Text narrow;

    // A buffer of the test's own, made known to the memory service as the program does.
    template <std::size_t N> std::uintptr_t share(std::array<char, N>& buffer) {
        memory.shareBuffer(addressOf(buffer.data()), N);
        return addressOf(buffer.data());
    }
};

TEST_F(MemoryBlockTest, AFreshBlockIsLockedAndReadsAsZerosAndBytesRoundTrip) {
    MemoryBlock block(memory, narrow);
    block.Allocate(100);
    ASSERT_NE(block.handle(), 0u);
    EXPECT_TRUE(memory.isLocked(block.handle()));

    std::array<char, 100> out{};
    out.fill('x');
    block.ReadFrom(share(out), 100);
    EXPECT_EQ(std::string(out.data(), 100), std::string(100, '\0'));
    std::array<char, 100> in{};
    for (std::size_t i = 0; i < in.size(); ++i) {
        in[i] = static_cast<char>(i * 7 + 1);
    }
    block.WriteTo(share(in), 100);
    block.ReadFrom(addressOf(out.data()), 100);
    EXPECT_EQ(out, in);
}

TEST_F(MemoryBlockTest, CopiesThroughAnAddressThatIsNotValidDoNothingAtAll) {
    MemoryBlock block(memory, narrow);
    block.Allocate(16);
    block.WriteTo(addressOf("ABCDEFGHIJKLMNOP") /* not shared: not trusted */, 16);
    EXPECT_EQ(std::string(bytesAt(block.handle()), 16), std::string(16, '\0'));

    std::array<char, 8> small{};
    small.fill('s');
    const std::uintptr_t smallAddress = share(small);
    block.ReadFrom(0, 16);            // may not be written
    block.ReadFrom(smallAddress, 16); // runs past the buffer: no partial copy either
    block.ReadFrom(smallAddress, -1);
    EXPECT_EQ(std::string(small.data(), 8), "ssssssss");

    MemoryBlock empty(memory, narrow); // no block: its side of every copy is invalid
    empty.ReadFrom(smallAddress, 8);
    empty.WriteTo(smallAddress, 8);
    EXPECT_EQ(std::string(small.data(), 8), "ssssssss");
}

TEST_F(MemoryBlockTest, ExtractStringTakesUpToTheZeroOrTheLimitAndNeverReadsBeyond) {
    std::array<char, 8> text{'a', 'b', 'c', '\0', 'd', 'e', 'f', 'g'};
    const std::uintptr_t at = share(text);
    MemoryBlock block(memory, narrow);
    EXPECT_EQ(block.ExtractString(at, 10), "abc");
    EXPECT_EQ(block.ExtractString(at, 3), "abc");
    EXPECT_EQ(block.ExtractString(at, 2), "ab");
    EXPECT_EQ(block.ExtractString(at, 0), "");
    EXPECT_EQ(block.ExtractString(0, 10), "");
    // No zero before the buffer ends: the string cannot be read up to `lMax`...
    EXPECT_EQ(block.ExtractString(at + 4, 10), "");
    // ...but it can be up to a limit that stays inside.
    EXPECT_EQ(block.ExtractString(at + 4, 4), "defg");
    EXPECT_EQ(block.ExtractString(addressOf("outside"), 10), "") << "an unshared address";

    std::array<char, 4> narrowBytes{'\xC9', 't', '\xE9', '\0'};
    EXPECT_EQ(block.ExtractString(share(narrowBytes), 4), "Été") << "decoded from the code page";
}

TEST_F(MemoryBlockTest, AllocateAgainAndEndingTheObjectGiveEveryBlockBack) {
    {
        MemoryBlock block(memory, narrow);
        block.Allocate(10);
        block.Allocate(20000);
        EXPECT_EQ(memory.liveBlocks(), 1u) << "the first block went before the second came";
        block.ReleaseMemory();
        block.ReleaseMemory();
        EXPECT_EQ(block.handle(), 0u);
        block.Allocate(5);
    }
    EXPECT_EQ(memory.liveBlocks(), 0u);
    const sim::MemoryCounters& c = memory.counters();
    EXPECT_EQ((std::array{c.allocations, c.unlocks, c.decommits, c.releases}),
              (std::array{3L, 3L, 3L, 3L}))
        << "allocations, unlocks, decommits, releases";
}

TEST_F(MemoryBlockTest, ARefusedAllocationLeavesNoBlockAndNothingReadable) {
    memory.refuseAllocationsFrom(2);
    MemoryBlock block(memory, narrow);
    block.Allocate(64);
    const std::uintptr_t old = block.handle();
    block.Allocate(64);
    EXPECT_EQ(block.handle(), 0u);
    EXPECT_TRUE(memory.isBadReadPtr(old, 1)) << "the earlier block was given back";
    std::array<char, 64> out{};
    out.fill('o');
    block.ReadFrom(share(out), 64);
    EXPECT_EQ(out[0], 'o');
    block.Allocate(0);
    block.Allocate(-5);
    EXPECT_EQ(block.handle(), 0u);
}

} // namespace
} // namespace vp::test
