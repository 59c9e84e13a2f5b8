#include "support/virtual_ports.h"

namespace {

using InputPort = VirtualPorts;

TEST_F(InputPort, QueuesShortMessagesInArrivalOrder) {
    synthIn();
    send({0xB0, 0x07, 0x64});
    send({0xC3, 0x05});
    send({0xF6});
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(bytesOf(*events[0]), Bytes({0xB0, 0x07, 0x64}));
    EXPECT_EQ(bytesOf(*events[1]), Bytes({0xC3, 0x05, 0x00}));
    EXPECT_EQ(bytesOf(*events[2]), Bytes({0xF6, 0x00, 0x00}));
    EXPECT_EQ(events[0]->SysexSize, 0);
    EXPECT_EQ(events[0]->SysexBytes, nullptr);
}

TEST_F(InputPort, FiltersTheBareClockAndSensingBytesOnly) {
    synthIn();
    for (const Bytes& message : {Bytes{0xF8}, Bytes{0xFE}, Bytes{0xF1, 0x23}, Bytes{0x90, 60, 1}})
        send(message);
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(bytesOf(*events[0]), Bytes({0xF1, 0x23, 0x00}));
}

TEST_F(InputPort, SysexOnlyDropsShortMessagesButKeepsSysex) {
    synthIn().SetSysexOnly(true);
    send({0x90, 60, 100});
    send({0xF0, 0x43, 0x10, 0xF7});
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(bytesOf(*events[0]), Bytes({0xF0, 0x43, 0x10, 0xF7}));
}

TEST_F(InputPort, SplitsALongSysexAcrossConsecutiveBuffers) {
    synthIn();
    Bytes message(10000, 0x11);
    message.front() = 0xF0;
    message.back() = 0xF7;
    send(message);
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 3u);
    Bytes joined;
    for (const auto& event : events) {
        EXPECT_EQ(event->StatusByte, 0xF0);
        EXPECT_EQ(event->DataByte1, 0);
        const Bytes part = bytesOf(*event);
        joined.insert(joined.end(), part.begin(), part.end());
    }
    EXPECT_EQ(events[0]->SysexSize, 4096);
    EXPECT_EQ(events[1]->SysexSize, 4096);
    EXPECT_EQ(events[2]->SysexSize, 1808);
    EXPECT_NE(events[1]->SysexBytes[0], 0xF0);
    EXPECT_NE(events[1]->SysexBytes[4095], 0xF7);
    EXPECT_EQ(joined, message);
}

TEST_F(InputPort, AnEmptySysexBufferGivesAnEventWithoutBytes) {
    synthIn();
    send({});
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]->StatusByte, 0xF0);
    EXPECT_EQ(events[0]->SysexSize, 0);
    EXPECT_EQ(events[0]->SysexBytes, nullptr);
}

TEST_F(InputPort, DropsTheEventThatFindsTheQueueFullAndSaysSo) {
    int overflows = 0;
    input.OnEventsDropped = [&](std::uint32_t) { ++overflows; };
    synthIn();
    for (int n = 0; n < 1025; ++n)
        send({0xB0, std::uint8_t(n / 128), std::uint8_t(n % 128)});
    service.WaitIdle();
    EXPECT_EQ(input.GetEventCount(), 1024);
    SettleMidi(service);
    EXPECT_EQ(overflows, 1);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 1024u);
    for (int n = 0; n < 1024; ++n)
        ASSERT_EQ(bytesOf(*events[std::size_t(n)]),
                  Bytes({0xB0, std::uint8_t(n / 128), std::uint8_t(n % 128)}));
}

TEST_F(InputPort, SysexWaitsForAFreeBufferAndIsDroppedWithoutOne) {
    int overflows = 0;
    TMidiInput& small = smallSynthIn({.SysexBufferCount = 2});
    small.OnEventsDropped = [&](std::uint32_t) { ++overflows; };
    for (std::uint8_t n = 1; n <= 3; ++n)
        send({0xF0, n, 0xF7});
    SettleMidi(service);
    EXPECT_EQ(overflows, 1);
    auto events = drain(small);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(bytesOf(*events[1]), Bytes({0xF0, 2, 0xF7}));

    // Both buffers came back when their events were taken.
    send({0xF0, 4, 0xF7});
    send({0xF0, 5, 0xF7});
    SettleMidi(service);
    EXPECT_EQ(drain(small).size(), 2u);
}

TEST_F(InputPort, ABufferWhoseEventFoundTheQueueFullIsNotLost) {
    TMidiInput& small = smallSynthIn({.Capacity = 1, .SysexBufferCount = 2});
    send({0x90, 60, 1});
    for (int n = 0; n < 20; ++n)
        send({0xF0, 0x7D, 0xF7});
    SettleMidi(service);
    EXPECT_EQ(drain(small).size(), 1u);
    send({0xF0, 1, 0xF7});
    SettleMidi(service);
    EXPECT_EQ(drain(small).size(), 1u);
    send({0xF0, 2, 0xF7});
    SettleMidi(service);
    EXPECT_EQ(drain(small).size(), 1u);
}

TEST_F(InputPort, DropsMessagesThatStartWithADataByte) {
    synthIn();
    send({0x07, 0x65});
    send({0x40});
    send({0xB0, 0x07, 0x64});
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(bytesOf(*events[0]), Bytes({0xB0, 0x07, 0x64}));
}

TEST_F(InputPort, AnUnfinishedSysexGivesItsBufferBackAndSilencesNothing) {
    TMidiInput& small = smallSynthIn({.SysexBufferCount = 1});
    send({0xF0, 0x7D, 0x01});
    send({0xB0, 0x07, 0x64});
    send({0xF0, 0x7D, 0x02, 0xF7});
    SettleMidi(service);
    const auto events = drain(small);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(bytesOf(*events[0]), Bytes({0xB0, 0x07, 0x64}));
    EXPECT_EQ(bytesOf(*events[1]), Bytes({0xF0, 0x7D, 0x02, 0xF7}));
}

TEST_F(InputPort, CountsEveryDropAlsoWhenTheNotificationPipeIsFull) {
    std::uint32_t reported = 0;
    TMidiInput& small = smallSynthIn({.Capacity = 1});
    small.OnEventsDropped = [&](std::uint32_t dropped) { reported += dropped; };
    // More notifications than a pipe holds (64 KiB) are posted before the Qt loop runs again.
    constexpr std::uint32_t Sent = 70000;
    for (std::uint32_t n = 0; n < Sent; ++n)
        send({0xB0, 0x07, std::uint8_t(n % 128)});
    SettleMidi(service);
    EXPECT_EQ(reported, Sent - 1);
    EXPECT_EQ(drain(small).size(), 1u);
}

TEST_F(InputPort, ClosingDiscardsQueuedEventsAndReopeningStartsEmpty) {
    synthIn();
    send({0x90, 60, 100});
    send({0xF0, 1, 0xF7});
    service.WaitIdle();
    input.Close();
    EXPECT_EQ(input.PortState(), misClosed);
    EXPECT_EQ(input.GetEventCount(), 0);
    EXPECT_EQ(input.GetMidiEvent(), nullptr);
    input.OpenAndStart();
    EXPECT_EQ(input.GetEventCount(), 0);
    SettleMidi(service);
    EXPECT_EQ(input.GetEventCount(), 0);
}

TEST_F(InputPort, ReceivesOnlyBetweenStartAndStop) {
    input.SetProductName(QStringLiteral("Synth"));
    input.Open();
    send({0x90, 60, 100});
    SettleMidi(service);
    EXPECT_EQ(input.GetEventCount(), 0);
    input.Start();
    send({0x90, 61, 100});
    SettleMidi(service);
    input.Stop();
    send({0x90, 62, 100});
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]->DataByte1, 61);
}

TEST_F(InputPort, RaisesOnMidiInputOnlyWhileEventsWait) {
    int raised = 0;
    input.OnMidiInput = [&] {
        ++raised;
        drain(input);
    };
    synthIn();
    for (int n = 0; n < 5; ++n)
        send({0x90, 60, 100});
    service.WaitIdle();
    SettleMidi(service);
    EXPECT_EQ(raised, 1);
}

} // namespace
