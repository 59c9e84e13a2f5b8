#include "midi/midi_errors.h"
#include "support/virtual_ports.h"

#include <QCoreApplication>
#include <thread>

namespace {

using VirtualService = VirtualPorts;

TEST_F(VirtualService, ADeviceAnswersThroughItsReceiveHandlerOnTheServiceThread) {
    const auto qtThread = std::this_thread::get_id();
    std::thread::id handlerThread;
    service.SetReceiveHandler(QStringLiteral("Synth"), [&](std::span<const std::uint8_t> bytes) {
        handlerThread = std::this_thread::get_id();
        Bytes answer(bytes.begin(), bytes.end());
        answer[1] = 0x7F;
        service.Inject(QStringLiteral("Synth"), answer);
    });
    synthIn();
    const Bytes request{0xF0, 0x43, 0x20, 0xF7};
    synthOut().PutLong(request.data(), 4);
    SettleMidi(service);
    EXPECT_NE(handlerThread, qtThread);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(bytesOf(*events[0]), Bytes({0xF0, 0x7F, 0x20, 0xF7}));
    service.SetReceiveHandler(QStringLiteral("Synth"), nullptr);
}

TEST_F(VirtualService, KeepsWhatEachDeviceReceivedApart) {
    TMidiOutput controllerOut(service);
    controllerOut.SetProductName(QStringLiteral("Controller"));
    ASSERT_TRUE(controllerOut.Open());
    synthOut().PutShort(0xC0, 1, 0);
    controllerOut.PutShort(0xB0, 1, 2);
    EXPECT_EQ(sentToSynth(), std::vector<Bytes>({{0xC0, 1}}));
    EXPECT_EQ(service.Received(QStringLiteral("Controller")), std::vector<Bytes>({{0xB0, 1, 2}}));
    service.ClearReceived(QStringLiteral("Synth"));
    EXPECT_TRUE(sentToSynth().empty());
}

TEST_F(VirtualService, AddressesDevicesOfEqualNamesByTheirSuffix) {
    service.AddDevice(QStringLiteral("Synth"));
    EXPECT_EQ(service.OutputDevices(),
              QStringList({QStringLiteral("Synth"), QStringLiteral("Controller"),
                           QStringLiteral("Synth #2")}));
    output.SetProductName(QStringLiteral("Synth #2"));
    ASSERT_TRUE(output.Open());
    output.PutShort(0xF6, 0, 0);
    EXPECT_TRUE(sentToSynth().empty());
    EXPECT_EQ(service.Received(QStringLiteral("Synth #2")), std::vector<Bytes>({{0xF6}}));
}

TEST_F(VirtualService, EveryDeviceOfARepeatedNameIsReachedByItsOwnName) {
    service.AddDevice(QStringLiteral("Synth"));
    service.AddDevice(QStringLiteral("Synth #2"));
    EXPECT_EQ(service.OutputDevices(),
              QStringList({QStringLiteral("Synth"), QStringLiteral("Controller"),
                           QStringLiteral("Synth #3"), QStringLiteral("Synth #2")}));
    for (const QString& name : {QStringLiteral("Synth #2"), QStringLiteral("Synth #3")}) {
        TMidiOutput out(service);
        out.SetProductName(name);
        ASSERT_TRUE(out.Open());
        out.PutShort(0xF6, 0, 0);
    }
    EXPECT_EQ(service.Received(QStringLiteral("Synth #2")), std::vector<Bytes>({{0xF6}}));
    EXPECT_EQ(service.Received(QStringLiteral("Synth #3")), std::vector<Bytes>({{0xF6}}));
}

TEST_F(VirtualService, OnlyDevicesThatSendCanBeInjectedFrom) {
    service.AddDevice(QStringLiteral("Sound module"), VirtualMidiService::ReceivesFromComputer);
    EXPECT_FALSE(service.Inject(QStringLiteral("Sound module"), {0x90, 1, 1}));
    EXPECT_FALSE(service.Inject(QStringLiteral("Nobody"), {0x90, 1, 1}));
    EXPECT_TRUE(service.Inject(QStringLiteral("Keyboard"), {0x90, 1, 1}));
}

TEST_F(VirtualService, ChangeHandlersRunOnTheEventLoopInOrderOnceForWhatCameBefore) {
    QStringList heard;
    const int first = service.AddChangeHandler([&] { heard << QStringLiteral("first"); });
    service.AddChangeHandler([&] { heard << QStringLiteral("second"); });
    service.NoticeDeviceChanges();
    service.StopSystem();
    EXPECT_TRUE(heard.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(heard, (QStringList{"first", "second"}));
    service.RemoveChangeHandler(first);
    service.StartSystem();
    QCoreApplication::processEvents();
    EXPECT_EQ(heard, (QStringList{"first", "second", "second"}));
}

TEST_F(VirtualService, AStoppedSystemOffersNothingAndWhatWasOpenStaysDeadAfterIt) {
    synthIn();
    synthOut();
    service.StopSystem();
    EXPECT_FALSE(service.SystemRunning());
    EXPECT_TRUE(service.InputDevices().isEmpty());
    EXPECT_TRUE(service.OutputDevices().isEmpty());
    TMidiOutput other(service);
    EXPECT_THROW(other.SetProductName(QStringLiteral("Controller")), EMidiOutputError);

    service.StartSystem();
    EXPECT_TRUE(service.SystemRunning());
    EXPECT_EQ(service.OutputDevices(), (QStringList{"Synth", "Controller"}));
    try {
        output.PutShort(0x90, 60, 100);
        ADD_FAILURE() << "a port of the stopped system still sends";
    } catch (const EMidiOutputError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("(Short Msg) The specified device handle is "
                                                  "invalid."));
    }
    send({0x90, 60, 100});
    SettleMidi(service);
    EXPECT_EQ(input.GetEventCount(), 0);
    // Opened again, the devices work as before.
    input.StopAndClose();
    output.Close();
    synthIn();
    synthOut().PutShort(0x90, 61, 100);
    send({0x80, 61, 0});
    SettleMidi(service);
    EXPECT_EQ(sentToSynth().back(), (Bytes{0x90, 61, 100}));
    EXPECT_EQ(input.GetEventCount(), 1);
}

} // namespace
