#include "midi/sysex_pool.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(SysexPool, HandsOutEachBufferOnceUntilGivenBack) {
    SysexPool pool;
    pool.Allocate(3, 16);
    std::set<TMyMidiHdr*> taken;
    for (int i = 0; i < 3; ++i) {
        TMyMidiHdr* buffer = pool.Take();
        ASSERT_NE(buffer, nullptr);
        EXPECT_EQ(buffer->BufferLength, 16);
        taken.insert(buffer);
    }
    EXPECT_EQ(taken.size(), 3u);
    EXPECT_EQ(pool.Take(), nullptr);

    TMyMidiHdr* back = *taken.begin();
    back->BytesRecorded = 9;
    pool.GiveBack(back);
    EXPECT_EQ(pool.Take(), back);
    EXPECT_EQ(back->BytesRecorded, 0);
}

TEST(SysexPool, AReclaimedBufferIsTakenFirst) {
    SysexPool pool;
    pool.Allocate(2, 8);
    TMyMidiHdr* first = pool.Take();
    pool.Reclaim(first);
    EXPECT_EQ(pool.Take(), first);
    EXPECT_NE(pool.Take(), nullptr);
    EXPECT_EQ(pool.Take(), nullptr);
}

TEST(SysexPool, NoBuffersWhenCountOrSizeIsZero) {
    SysexPool pool;
    pool.Allocate(0, 4096);
    EXPECT_EQ(pool.Take(), nullptr);
    pool.Allocate(16, 0);
    EXPECT_EQ(pool.Take(), nullptr);
    pool.Release();
    EXPECT_EQ(pool.Take(), nullptr);
}

} // namespace
