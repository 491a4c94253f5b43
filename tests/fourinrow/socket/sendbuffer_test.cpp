#include "fourinrow/socket/sendbuffer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace fs = fourinrow::socket;

namespace {
std::string Unsent(const fs::TBuffer& buffer) {
    int length = 0;
    const char* data = buffer.Peek(length);
    return data ? std::string(data, static_cast<std::size_t>(length)) : std::string();
}
} // namespace

TEST(TBuffer, NonPositiveSizeMeansDefaultBlock) {
    for (int size : {0, -5})
        EXPECT_EQ(fs::TBuffer(size).Size(), 1514) << size;
    EXPECT_EQ(fs::TBuffer(10).Size(), 10);
}

TEST(TBuffer, WriteCopiesOnlyWhatFits) {
    fs::TBuffer buffer(8);
    EXPECT_EQ(buffer.Write("abcde", 5), 5);
    EXPECT_EQ(buffer.Write("fghij", 5), 3);
    EXPECT_EQ(buffer.Write("x", 1), 0);
    EXPECT_EQ(Unsent(buffer), "abcdefgh");
}

TEST(TBuffer, PeekOfEmptyBlockGivesNoPointer) {
    fs::TBuffer buffer(8);
    int length = 99;
    EXPECT_EQ(buffer.Peek(length), nullptr);
    EXPECT_EQ(length, 0);
}

TEST(TBuffer, RemoveNeverPassesTheUnsentBytes) {
    fs::TBuffer buffer(8);
    buffer.Write("abcdef", 6);
    EXPECT_EQ(buffer.Remove(2), 2);
    EXPECT_EQ(Unsent(buffer), "cdef");
    EXPECT_EQ(buffer.Remove(100), 4);
    EXPECT_EQ(buffer.Remove(1), 0);
}

TEST(TBuffer, SpaceIsReusedOnlyOnceTheBlockIsEmpty) {
    fs::TBuffer buffer(4);
    buffer.Write("abcd", 4);
    buffer.Remove(3);
    // Three bytes are sent, but the room before the read count is not reused yet.
    EXPECT_EQ(buffer.Write("x", 1), 0);
    buffer.Remove(1);
    EXPECT_EQ(buffer.Write("wxyz", 4), 4);
    EXPECT_EQ(Unsent(buffer), "wxyz");
}

TEST(SendQueue, LargeDataFillsBlocksOfTheBlockSize) {
    fs::SendQueue queue;
    std::vector<char> data(3000);
    std::iota(data.begin(), data.end(), 0);
    queue.Put(data.data(), 3000);
    ASSERT_EQ(queue.BlockCount(), 2u);
    EXPECT_EQ(queue.Block(0).Unsent(), 1514);
    EXPECT_EQ(queue.Block(1).Unsent(), 1486);
    EXPECT_EQ(Unsent(queue.Block(1)), std::string(data.begin() + 1514, data.end()));
}

TEST(SendQueue, LaterDataIsAppendedToTheLastBlockWhileItHasRoom) {
    fs::SendQueue queue(10);
    queue.Put("abcdef", 6);
    queue.Front().Remove(2);
    queue.Put("ghij", 4);
    ASSERT_EQ(queue.BlockCount(), 1u);
    EXPECT_EQ(Unsent(queue.Front()), "cdefghij");
    queue.Put("k", 1);
    ASSERT_EQ(queue.BlockCount(), 2u);
    EXPECT_EQ(Unsent(queue.Block(1)), "k");
}

TEST(SendQueue, NothingIsQueuedForNonPositiveLengths) {
    fs::SendQueue queue;
    queue.Put("abc", 0);
    queue.Put("abc", -1);
    EXPECT_TRUE(queue.Empty());
}

TEST(SendQueue, UnsentBytesCountsWhatIsLeftInEveryBlock) {
    fs::SendQueue queue(10);
    EXPECT_EQ(queue.UnsentBytes(), 0u);
    queue.Put("abcdefghijklmnop", 16); // a full block and six bytes in a second one
    queue.Front().Remove(7);
    EXPECT_EQ(queue.UnsentBytes(), 9u);
    queue.Front().Remove(3);
    EXPECT_EQ(queue.UnsentBytes(), 6u); // an emptied block counts for nothing
    queue.Clear();
    EXPECT_EQ(queue.UnsentBytes(), 0u);
}
