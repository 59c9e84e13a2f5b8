#include "support/jack_fixture.h"

#include <chrono>
#include <thread>

namespace {

std::vector<Bytes> eventBytes(TMidiInput& input) {
    std::vector<Bytes> events;
    while (auto event = input.GetMidiEvent()) {
        if (event->SysexBytes)
            events.emplace_back(event->SysexBytes.get(),
                                event->SysexBytes.get() + event->SysexSize);
        else
            events.push_back({event->StatusByte, event->DataByte1, event->DataByte2});
    }
    return events;
}

class JackPorts : public JackPortsOnPeer {
protected:
    void openBoth() { openOnPeer(*peer, *input, *output); }

    // Collects what the input receives until count events have come.
    std::vector<Bytes> receive(std::size_t count) {
        std::vector<Bytes> events;
        EXPECT_TRUE(WaitUntil([&] {
            for (Bytes& bytes : eventBytes(*input))
                events.push_back(std::move(bytes));
            return events.size() >= count;
        })) << "received "
            << events.size() << " of " << count;
        return events;
    }
};

TEST_F(JackPorts, ListDevicesByNameButNotTheirOwnPorts) {
    EXPECT_TRUE(service->InputDevices().contains(peer->SendingPort()));
    EXPECT_TRUE(service->OutputDevices().contains(peer->ReceivingPort()));
    openBoth();
    for (const QString& name : service->InputDevices() + service->OutputDevices())
        EXPECT_FALSE(name.startsWith(QStringLiteral("Marrowlink"))) << name.toStdString();
}

TEST_F(JackPorts, CarryShortAndLongMessagesBothWays) {
    openBoth();
    const Bytes sysex{0xF0, 0x43, 0x10, 0x12, 0x27, 0x14, 0xF7};
    for (const Bytes& message : {Bytes{0xB0, 0x07, 0x64}, Bytes{0xF8}, Bytes{0xFE},
                                 Bytes{0xF1, 0x23}, sysex, Bytes{0xC2, 0x05}})
        peer->Send(message);
    EXPECT_EQ(receive(4), std::vector<Bytes>(
                              {{0xB0, 0x07, 0x64}, {0xF1, 0x23, 0x00}, sysex, {0xC2, 0x05, 0x00}}));

    int done = 0;
    output->OnMidiOutput = [&] { ++done; };
    output->PutShort(0xB3, 7, 100);
    output->PutLong(sysex.data(), std::uint16_t(sysex.size()));
    output->PutShort(0xC0, 9, 9);
    ASSERT_TRUE(WaitUntil([&] { return peer->ReceivedCount() == 3 && done == 1; }));
    EXPECT_EQ(peer->Received(), std::vector<Bytes>({{0xB3, 0x07, 0x64}, sysex, {0xC0, 0x09}}));
}

TEST_F(JackPorts, SplitALongSysexIntoBufferSizedEvents) {
    openBoth();
    Bytes message(10000, 0x22);
    message.front() = 0xF0;
    message.back() = 0xF7;
    peer->Send(message);
    const std::vector<Bytes> events = receive(3);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].size(), 4096u);
    EXPECT_EQ(events[1].size(), 4096u);
    EXPECT_EQ(events[2].size(), 1808u);
    EXPECT_EQ(events[0].front(), 0xF0);
    EXPECT_EQ(events[2].back(), 0xF7);
}

TEST_F(JackPorts, DropTheEventAfterAFullQueueAndSaySo) {
    int overflows = 0;
    input->OnEventsDropped = [&](std::uint32_t) { ++overflows; };
    openBoth();
    const int before = PortNotifier::Outstanding();
    for (int n = 0; n < 1025; ++n)
        peer->Send({0xB0, std::uint8_t(n / 128), std::uint8_t(n % 128)});
    // Nothing is drained meanwhile: the Qt loop does not run until all have arrived.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (PortNotifier::Outstanding() < before + 1025 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(input->GetEventCount(), 1024);
    ASSERT_TRUE(WaitUntil([&] { return overflows == 1; }));
    const std::vector<Bytes> events = eventBytes(*input);
    ASSERT_EQ(events.size(), 1024u);
    for (int n = 0; n < 1024; ++n)
        ASSERT_EQ(events[std::size_t(n)],
                  Bytes({0xB0, std::uint8_t(n / 128), std::uint8_t(n % 128)}));
}

TEST_F(JackPorts, ALoneSysexStartSilencesNothingAfterIt) {
    openBoth();
    peer->Send({0xF0, 0x7D, 0x01});
    std::vector<Bytes> changes;
    for (int n = 0; n < 1000; ++n)
        changes.push_back({0xB0, std::uint8_t(n / 128), std::uint8_t(n % 128)});
    for (std::size_t first = 0; first < changes.size(); first += 100)
        peer->SendInOneCycle({changes.begin() + std::ptrdiff_t(first),
                              changes.begin() + std::ptrdiff_t(first + 100)});
    EXPECT_EQ(receive(1000), changes);
}

TEST_F(JackPorts, ADumpInChunksWithRealTimeBytesBetweenThemArrivesClean) {
    openBoth();
    const Bytes dump{0xF0, 0x7D, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xF7};
    peer->Send({0xF0, 0x7D, 0x01, 0x02});
    peer->Send({0xF8});
    peer->Send({0x03, 0xF8, 0x04});
    peer->SendInOneCycle({{0xFE}, {0x05, 0x06, 0xF7}});
    EXPECT_EQ(receive(1), std::vector<Bytes>({dump}));
}

TEST_F(JackPorts, DropEventsThatStartWithADataByte) {
    openBoth();
    peer->SendInOneCycle({{0x07, 0x65}, {0x40}, {0x90, 0x3C, 0x64, 0x3E, 0x64}});
    EXPECT_EQ(receive(2), std::vector<Bytes>({{0x90, 0x3C, 0x64}, {0x90, 0x3E, 0x64}}));
}

TEST_F(JackPorts, WorkAgainAfterCloseAndReopen) {
    openBoth();
    input->StopAndClose();
    EXPECT_TRUE(output->Close());
    openBoth();
    peer->Send({0x90, 60, 100});
    EXPECT_EQ(receive(1), std::vector<Bytes>({{0x90, 60, 100}}));
    output->PutShort(0x80, 60, 0);
    ASSERT_TRUE(WaitUntil([&] { return peer->ReceivedCount() == 1; }));
}

TEST_F(JackPorts, SurviveADeviceThatDisappears) {
    openBoth();
    peer.reset();
    // The service notices within a tenth of a second; until then sends go nowhere.
    QString raised;
    EXPECT_TRUE(WaitUntil(
        [&] {
            try {
                output->PutShort(0x90, 60, 100);
            } catch (const EMidiOutputError& error) {
                raised = error.Message();
            }
            return !raised.isEmpty();
        },
        2000));
    EXPECT_EQ(raised, QStringLiteral("The MIDI device is no longer present."));
    EXPECT_EQ(input->GetEventCount(), 0);
    input->StopAndClose();
    EXPECT_THROW(input->OpenAndStart(), EMidiInputError);
}

} // namespace
