#include "midi/circular_buffer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

TMidiBufferItem shortItem(std::uint32_t n) {
    return {n, n, nullptr};
}

struct RingTest : testing::Test {
    TCircularBuffer ring{4};
};

TEST_F(RingTest, HoldsCapacityItemsAndRefusesTheNext) {
    for (std::uint32_t n = 0; n < 4; ++n)
        EXPECT_TRUE(ring.Put(shortItem(n)));
    EXPECT_FALSE(ring.Put(shortItem(4)));
    EXPECT_EQ(ring.Count(), 4);
}

TEST_F(RingTest, ReadLeavesTheItemQueuedAndRemoveTakesIt) {
    ring.Put(shortItem(7));
    TMidiBufferItem item;
    ASSERT_TRUE(ring.Read(item));
    ASSERT_TRUE(ring.Read(item));
    EXPECT_EQ(item.ShortMessage, 7u);
    EXPECT_EQ(ring.Count(), 1);
    EXPECT_TRUE(ring.Remove());
    EXPECT_FALSE(ring.Read(item));
    EXPECT_FALSE(ring.Remove());
}

TEST_F(RingTest, KeepsOrderAcrossTheWrap) {
    std::uint32_t next = 0;
    std::uint32_t expected = 0;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(ring.Put(shortItem(next++)));
        for (int i = 0; i < 3; ++i) {
            TMidiBufferItem item;
            ASSERT_TRUE(ring.Read(item));
            EXPECT_EQ(item.ShortMessage, expected++);
            ring.Remove();
        }
    }
}

TEST(RingEdges, ACapacityOfZeroTakesNothing) {
    TCircularBuffer ring(0);
    EXPECT_FALSE(ring.Put(shortItem(1)));
    EXPECT_EQ(ring.Count(), 0);
}

// One producer and one consumer on their own threads: every item arrives once, in order, and
// when the producer drops on a full ring, exactly the dropped ones are missing.
void stress(bool producerWaitsWhenFull) {
    constexpr std::uint32_t Total = 500000;
    TCircularBuffer ring(1024);
    std::vector<bool> dropped(Total, false);
    std::atomic<bool> finished{false};
    std::thread producer([&] {
        for (std::uint32_t n = 0; n < Total; ++n) {
            while (!ring.Put(shortItem(n))) {
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
        if (ring.Read(item)) {
            received.push_back(item.ShortMessage);
            EXPECT_EQ(item.TimeStamp, item.ShortMessage) << "torn entry";
            ring.Remove();
        } else if (finished && ring.Count() == 0) {
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
