#include "support/jack_fixture.h"

namespace {

using JackFlood = JackPortsOnPeer;

// Ten times what a MIDI cable carries, answered as the editor answers a controller: a parameter
// change for every change that comes in. Each way it could go missing is counted, so that a
// failure says where.
TEST_F(JackFlood, TenThousandChangesASecondLoseNothing) {
    openOnPeer(*peer, *input, *output);
    int handled = 0;
    int refused = 0;
    std::uint32_t dropped = 0;
    input->OnEventsDropped = [&](std::uint32_t count) { dropped += count; };
    input->OnMidiInput = [&] {
        while (auto event = input->GetMidiEvent()) {
            ++handled;
            const std::uint8_t change[] = {
                0xF0, 0x43, 0x10, 0x12, event->DataByte1, event->DataByte2, 0xF7};
            try {
                output->PutLong(change, sizeof change);
            } catch (const EMidiOutputError&) {
                ++refused;
            }
        }
    };
    constexpr int Count = 15000;
    peer->Flood(10000, Count);
    WaitUntil([&] { return peer->ReceivedCount() >= Count; }, 20000);
    EXPECT_EQ(dropped, 0u) << "dropped by the input's queue";
    EXPECT_EQ(refused, 0) << "refused by the output";
    EXPECT_EQ(handled + int(dropped), Count) << "lost before our input (a JACK cycle missed)";
    const std::vector<Bytes> received = peer->Received();
    ASSERT_EQ(received.size(), std::size_t(Count)) << "lost after our output (a JACK cycle missed)";
    for (int n = 0; n < Count; ++n)
        ASSERT_EQ(received[std::size_t(n)], Bytes({0xF0, 0x43, 0x10, 0x12, std::uint8_t(n >> 7),
                                                   std::uint8_t(n & 0x7F), 0xF7}))
            << "message " << n;
}

} // namespace
