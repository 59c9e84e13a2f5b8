#include "midi/rtmidi_endpoint.h"
#include "support/jack_fixture.h"

namespace {

using RtMidiEndpointOnJack = JackTest;

// As tq5-sim answers a request: the handler sends through the endpoint that called it, so the
// endpoint must be in place before anything can arrive.
TEST_F(RtMidiEndpointOnJack, ReceivesOnlyOnceStartedSoTheHandlerCanAnswerThroughIt) {
    const std::unique_ptr<MidiService> service = MakeMidiService(MidiBackend::Jack);
    std::unique_ptr<RtMidiEndpoint> endpoint =
        std::make_unique<RtMidiEndpoint>(MidiBackend::Jack, uniqueName("endpoint"));
    ASSERT_TRUE(endpoint->Problem().isEmpty()) << endpoint->Problem().toStdString();
    EXPECT_FALSE(service->OutputDevices().contains(endpoint->ReceivingPort()));

    endpoint->Start([&](std::span<const std::uint8_t> message) {
        Bytes answer(message.begin(), message.end());
        answer[1] = 0x7F;
        endpoint->Send(answer);
    });
    EXPECT_TRUE(service->OutputDevices().contains(endpoint->ReceivingPort()));
    TMidiOutput out(*service);
    out.SetProductName(endpoint->ReceivingPort());
    ASSERT_TRUE(out.Open());
    TMidiInput in(*service);
    in.SetProductName(endpoint->SendingPort());
    in.OpenAndStart();
    // Sent again now and then: a new connection needs a moment before data flows through it.
    bool answered = false;
    for (int attempt = 0; attempt < 20 && !answered; ++attempt) {
        out.PutShort(0x90, 60, 100);
        answered = WaitUntil([&] { return in.GetEventCount() > 0; }, 500);
    }
    ASSERT_TRUE(answered);
    const auto answer = in.GetMidiEvent();
    EXPECT_EQ(answer->StatusByte, 0x90);
    EXPECT_EQ(answer->DataByte1, 0x7F);
    endpoint->Stop();
}

} // namespace
