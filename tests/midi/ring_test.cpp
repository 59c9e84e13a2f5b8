#include "midi/circular_buffer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

TMidiBufferItem shortItem(std::uint32_t n) {
    return {n, n, nullptr};
}

struct RingTest : testing::Test {
    CircbufPtr ring{CircbufAlloc(4)};
};

TEST_F(RingTest, HoldsCapacityItemsAndRefusesTheNext) {
    for (std::uint32_t n = 0; n < 4; ++n)
        EXPECT_TRUE(CircbufPutEvent(ring.get(), shortItem(n)));
    EXPECT_FALSE(CircbufPutEvent(ring.get(), shortItem(4)));
    EXPECT_EQ(ring->Count(), 4);
}

TEST_F(RingTest, ReadLeavesTheItemQueuedAndRemoveTakesIt) {
    CircbufPutEvent(ring.get(), shortItem(7));
    TMidiBufferItem item;
    ASSERT_TRUE(CircbufReadEvent(ring.get(), item));
    ASSERT_TRUE(CircbufReadEvent(ring.get(), item));
    EXPECT_EQ(item.ShortMessage, 7u);
    EXPECT_EQ(ring->Count(), 1);
    EXPECT_TRUE(CircbufRemoveEvent(ring.get()));
    EXPECT_FALSE(CircbufReadEvent(ring.get(), item));
    EXPECT_FALSE(CircbufRemoveEvent(ring.get()));
}

TEST_F(RingTest, KeepsOrderAcrossTheWrap) {
    std::uint32_t next = 0;
    std::uint32_t expected = 0;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(CircbufPutEvent(ring.get(), shortItem(next++)));
        for (int i = 0; i < 3; ++i) {
            TMidiBufferItem item;
            ASSERT_TRUE(CircbufReadEvent(ring.get(), item));
            EXPECT_EQ(item.ShortMessage, expected++);
            CircbufRemoveEvent(ring.get());
        }
    }
}

TEST(RingEdges, ACapacityOfZeroTakesNothing) {
    CircbufPtr ring(CircbufAlloc(0));
    ASSERT_TRUE(ring);
    EXPECT_FALSE(CircbufPutEvent(ring.get(), shortItem(1)));
    EXPECT_EQ(ring->Count(), 0);
}

// One producer and one consumer on their own threads: every item arrives once, in order, and
// when the producer drops on a full ring, exactly the dropped ones are missing.
void stress(bool producerWaitsWhenFull) {
    constexpr std::uint32_t Total = 500000;
    CircbufPtr ring(CircbufAlloc(1024));
    std::vector<bool> dropped(Total, false);
    std::atomic<bool> finished{false};
    std::thread producer([&] {
        for (std::uint32_t n = 0; n < Total; ++n) {
            while (!CircbufPutEvent(ring.get(), shortItem(n))) {
                if (!producerWaitsWhenFull) {
                    dropped[n] = true;
                    break;
                }
                std::this_thread::yield();
            }
        }
        finished = true;
    });
    std::vector<std::uint32_t> received;
    received.reserve(Total);
    for (;;) {
        TMidiBufferItem item;
        if (CircbufReadEvent(ring.get(), item)) {
            received.push_back(item.ShortMessage);
            EXPECT_EQ(item.TimeStamp, item.ShortMessage) << "torn entry";
            CircbufRemoveEvent(ring.get());
        } else if (finished && ring->Count() == 0) {
            break;
        }
    }
    producer.join();
    std::vector<std::uint32_t> expected;
    for (std::uint32_t n = 0; n < Total; ++n)
        if (!dropped[n])
            expected.push_back(n);
    EXPECT_EQ(received, expected);
}

TEST(RingAcrossThreads, DeliversEveryItemOnceInOrder) {
    stress(true);
}

TEST(RingAcrossThreads, LosesOnlyWhatWasRefusedWhenFull) {
    stress(false);
}

} // namespace
