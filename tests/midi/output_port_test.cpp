#include "midi/midi_errors.h"
#include "support/virtual_ports.h"

#include <functional>

namespace {

using OutputPort = VirtualPorts;

TEST_F(OutputPort, ShortMessagesCarryAsManyBytesAsTheirStatusImplies) {
    TMidiOutput& out = synthOut();
    out.PutShort(0xB3, 7, 100);
    out.PutShort(0xC0, 5, 9);
    out.PutShort(0xD2, 40, 9);
    out.PutShort(0xF1, 0x23, 9);
    out.PutShort(0xF2, 1, 2);
    out.PutShort(0xF3, 4, 9);
    out.PutShort(0xF6, 9, 9);
    out.PutShort(0xF8, 9, 9);
    out.PutShort(0xFF, 9, 9);
    EXPECT_EQ(sentToSynth(), std::vector<Bytes>({{0xB3, 0x07, 0x64},
                                                 {0xC0, 5},
                                                 {0xD2, 40},
                                                 {0xF1, 0x23},
                                                 {0xF2, 1, 2},
                                                 {0xF3, 4},
                                                 {0xF6},
                                                 {0xF8},
                                                 {0xFF}}));
}

TEST_F(OutputPort, AShortMessageWithoutAStatusByteIsRefusedAndNotSent) {
    TMidiOutput& out = synthOut();
    TMyMidiEvent sysexStatusOnly;
    sysexStatusOnly.StatusByte = 0xF0;
    const QString refused = QStringLiteral(
        "(Short Msg) The application sent a message without a status byte to a stream handle.");
    for (const std::function<void()>& send : std::initializer_list<std::function<void()>>{
             [&] { out.PutShort(0xF0, 0, 0); }, [&] { out.PutShort(0xF7, 0, 0); },
             [&] { out.PutShort(0x07, 0x65, 0); }, [&] { out.PutShort(0x7F, 0, 0); },
             [&] { out.PutMidiEvent(sysexStatusOnly); }}) {
        try {
            send();
            ADD_FAILURE() << "nothing raised";
        } catch (const EMidiOutputError& error) {
            EXPECT_EQ(error.Message(), refused);
        }
    }
    EXPECT_EQ(out.Error(), MidiNoStatusByte);
    out.PutShort(0x80, 0x3C, 0);
    SettleMidi(service);
    EXPECT_EQ(sentToSynth(), std::vector<Bytes>({{0x80, 0x3C, 0x00}}));
}

TEST_F(OutputPort, LongMessagesAreCopiedAndReportedDoneInOrder) {
    int done = 0;
    output.OnMidiOutput = [&] { ++done; };
    TMidiOutput& out = synthOut();
    Bytes message{0xF0, 0x43, 0x10, 0x12, 0x27, 0x14, 0xF7};
    out.PutLong(message.data(), std::uint16_t(message.size()));
    const Bytes sent = message;
    message.assign(message.size(), 0); // the caller's buffer is free at once
    out.PutShort(0x90, 60, 1);
    out.PutLong(sent.data(), 3);
    SettleMidi(service);
    EXPECT_EQ(sentToSynth(), std::vector<Bytes>({sent, {0x90, 60, 1}, {0xF0, 0x43, 0x10}}));
    EXPECT_EQ(done, 2);
}

TEST_F(OutputPort, ALongMessageOfNoBytesSendsNothing) {
    int done = 0;
    output.OnMidiOutput = [&] { ++done; };
    const std::uint8_t byte = 0xF0;
    synthOut().PutLong(&byte, 0);
    synthOut().PutLong(nullptr, 0);
    SettleMidi(service);
    EXPECT_TRUE(sentToSynth().empty());
    EXPECT_EQ(done, 0);
}

TEST_F(OutputPort, PutMidiEventChoosesByTheBytesNotTheStatus) {
    TMyMidiEvent withBytes;
    withBytes.StatusByte = 0x90;
    withBytes.SysexSize = 3;
    withBytes.SysexBytes.reset(new std::uint8_t[3]{0xF0, 0x01, 0xF7});
    TMyMidiEvent withoutBytes;
    withoutBytes.StatusByte = 0xF2;
    synthOut().PutMidiEvent(withBytes);
    synthOut().PutMidiEvent(withoutBytes);
    SettleMidi(service);
    EXPECT_EQ(sentToSynth(), std::vector<Bytes>({{0xF0, 0x01, 0xF7}, {0xF2, 0x00, 0x00}}));
}

TEST_F(OutputPort, SendingOnAClosedPortRaisesItsOwnText) {
    const std::uint8_t bytes[] = {0xF0, 0xF7};
    auto textOf = [](auto send) {
        try {
            send();
        } catch (const EMidiOutputError& error) {
            return error.Message();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(textOf([&] { output.PutShort(0x90, 1, 1); }),
              QStringLiteral("(Short Msg) Device not opened."));
    EXPECT_EQ(textOf([&] { output.PutLong(bytes, 2); }),
              QStringLiteral("(Long Msg) Device not opened."));
    EXPECT_EQ(textOf([&] { output.PutMidiEvent(TMyMidiEvent{}); }),
              QStringLiteral("MIDI Output device not open"));
}

TEST_F(OutputPort, ADeviceThatCannotBeOpenedLeavesThePortClosedQuietly) {
    output.SetProductName(QStringLiteral("Controller"));
    service.RemoveDevice(QStringLiteral("Controller"));
    EXPECT_FALSE(output.Open());
    EXPECT_EQ(output.PortState(), mosClosed);
    EXPECT_THROW(output.PutShort(0x90, 1, 1), EMidiOutputError);
}

TEST_F(OutputPort, ChangeDeviceReopensOnlyWhenAsked) {
    EXPECT_FALSE(output.Close());
    synthOut();
    EXPECT_FALSE(output.ChangeDevice(1, false));
    EXPECT_EQ(output.PortState(), mosClosed);
    EXPECT_EQ(output.ProductName(), QStringLiteral("Controller"));
    EXPECT_TRUE(output.ChangeDevice(0, true));
    EXPECT_EQ(output.ProductName(), QStringLiteral("Synth"));
}

} // namespace
