// The send buffer and the queue of chunks in front of the socket.
#include "net/SendQueue.h"
#include "net/TBuffer.h"

#include <gtest/gtest.h>

#include <string>

namespace tuvako {
namespace {

std::string Text(std::span<const char> bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(TBuffer, WritesWhatFitsAndReusesItsSpaceOnlyOnceEverythingIsRead) {
    TBuffer chunk(4);
    EXPECT_EQ(chunk.Write("abcdef", 6), 4);
    EXPECT_EQ(chunk.Remove(3), 3);
    EXPECT_EQ(chunk.Write("x", 1), 0) << "the space before the read count is not reused";
    EXPECT_EQ(chunk.Remove(10), 1);
    EXPECT_EQ(chunk.Write("xyz", 3), 3);
    EXPECT_EQ(Text(chunk.Peek()), "xyz");
    EXPECT_EQ(TBuffer(0).Capacity(), 1514);
    EXPECT_EQ(TBuffer(-5).Capacity(), 1514);
}

TEST(SendQueue, SplitsDataIntoChunksOf1460AndQueuesNewDataBehindAHalfSentRest) {
    SendQueue queue;
    const std::string data(5000, 'a');
    queue.Append(data.data(), 1460);
    EXPECT_EQ(queue.ChunkCount(), 1u) << "an exact chunk needs no second one";
    queue.Append(data.data() + 1460, 3540);
    queue.Append(nullptr, 5);
    queue.Append("z", 0);
    EXPECT_EQ(queue.ChunkCount(), 4u);
    EXPECT_EQ(queue.Buffered(), 5000) << "nothing is queued for no bytes";
    std::string drained;
    std::vector<std::size_t> offers;
    for (; !queue.Front().empty(); queue.Consume(int(offers.back()))) {
        offers.push_back(queue.Front().size());
        drained += Text(queue.Front());
    }
    EXPECT_EQ(offers, (std::vector<std::size_t>{1460, 1460, 1460, 620}));
    EXPECT_EQ(drained, data);
    EXPECT_EQ(queue.ChunkCount(), 1u) << "the last chunk stays for reuse";

    queue.Append("0123456789", 10);
    EXPECT_EQ(Text(queue.Front()), "0123456789")
        << "an emptied only chunk takes data from its start";
    queue.Consume(4);
    queue.Append("abc", 3);
    EXPECT_EQ(Text(queue.Front()), "456789abc");
    queue.Discard();
    EXPECT_EQ(queue.Buffered(), 0);
    EXPECT_TRUE(queue.Front().empty());
}

}  // namespace
}  // namespace tuvako
