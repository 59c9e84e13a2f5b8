#include "sim/simulated_synth_device.h"
#include "support/virtual_ports.h"

namespace {

struct SimulatedSynthDeviceTest : VirtualPorts {
    SimulatedSynthDevice tq5{service, QStringLiteral("TQ5")};

    void openOnTq5() {
        input.SetProductName(QStringLiteral("TQ5"));
        input.OpenAndStart();
        output.SetProductName(QStringLiteral("TQ5"));
        ASSERT_TRUE(output.Open());
    }
};

TEST_F(SimulatedSynthDeviceTest, AnswersADumpRequestThroughThePorts) {
    openOnTq5();
    const std::uint8_t change[] = {0xF0, 0x43, 0x10, 0x12, 0x27, 0x14, 0xF7};
    output.PutLong(change, sizeof change);
    output.PutLong(Sysex::VoiceDumpRequest.data(), Sysex::RequestLength);
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 4u);
    const Bytes block = bytesOf(*events[0]);
    ASSERT_EQ(Sysex::HeaderKind(block, 0), Sysex::Kind::VoiceBlock);
    EXPECT_EQ(block[45], 20);
    EXPECT_EQ(tq5.Snapshot().CurrentVoice().Block[39], 20);
    EXPECT_EQ(tq5.Changes().first(), QStringLiteral("voice block byte 39: 31 -> 20"));
}

TEST_F(SimulatedSynthDeviceTest, SendsAProgramChangeWhenAVoiceIsChosenOnIt) {
    openOnTq5();
    EXPECT_TRUE(tq5.SelectVoice(2));
    EXPECT_FALSE(tq5.SelectVoice(99));
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(bytesOf(*events[0]), Bytes({0xC0, 0x02, 0x00}));
}

} // namespace
