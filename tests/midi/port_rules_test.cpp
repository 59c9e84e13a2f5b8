#include "midi/midi_errors.h"
#include "support/virtual_ports.h"

namespace {

using PortRules = VirtualPorts;

template <class Error, class Action> QString raisedText(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error.Message();
    }
    return QStringLiteral("nothing raised");
}

TEST_F(PortRules, ListsDevicesByDirection) {
    EXPECT_EQ(input.DeviceCount(), 3u);
    EXPECT_EQ(output.DeviceCount(), 2u);
    EXPECT_EQ(input.ProductName(), QStringLiteral("Synth"));
    EXPECT_EQ(input.DeviceID(), 0u);
    EXPECT_EQ(output.ProductName(), QString());
    input.SetDeviceID(2);
    EXPECT_EQ(input.ProductName(), QStringLiteral("Keyboard"));
    output.SetDeviceID(1);
    EXPECT_EQ(output.ProductName(), QStringLiteral("Controller"));
}

TEST_F(PortRules, DeviceIdsBeyondTheListAreRefused) {
    EXPECT_EQ(raisedText<EMidiInputError>([&] { input.SetDeviceID(3); }),
              QStringLiteral("Invalid device ID"));
    EXPECT_EQ(raisedText<EMidiInputError>([&] { input.SetDeviceID(0xFFFFFFFF); }),
              QStringLiteral("Invalid device ID"));
    EXPECT_EQ(raisedText<EMidiOutputError>([&] { output.SetDeviceID(2); }),
              QStringLiteral("Invalid device ID"));
    EXPECT_EQ(input.DeviceID(), 0u);
}

TEST_F(PortRules, NamesThatMatchNoDeviceAreRefusedWithTheirOwnTexts) {
    EXPECT_EQ(raisedText<EMidiInputError>([&] { input.SetProductName(QStringLiteral("Nope")); }),
              QStringLiteral("MIDI Input Device Nope not installed "));
    EXPECT_EQ(
        raisedText<EMidiOutputError>([&] { output.SetProductName(QStringLiteral("Keyboard")); }),
        QStringLiteral("MIDI output Device Keyboard not installed"));
}

TEST_F(PortRules, SelectionCannotChangeWhileOpen) {
    synthIn();
    synthOut();
    EXPECT_EQ(raisedText<EMidiInputError>([&] { input.SetDeviceID(1); }),
              QStringLiteral("Change to DeviceID while device was open"));
    EXPECT_EQ(raisedText<EMidiOutputError>([&] { output.SetDeviceID(1); }),
              QStringLiteral("Change to DeviceID while device was open"));
    EXPECT_EQ(raisedText<EMidiInputError>([&] { input.SetProductName(QStringLiteral("Synth")); }),
              QStringLiteral("Change to ProductName while device was open"));
}

TEST_F(PortRules, StartWithTheDefaults) {
    EXPECT_EQ(input.PortState(), misClosed);
    EXPECT_EQ(output.PortState(), mosClosed);
    EXPECT_FALSE(input.SysexOnly());
}

TEST_F(PortRules, AFailedOpenRaisesTheServiceTextAndStaysClosed) {
    TMidiInput none(service);
    service.RemoveDevice(QStringLiteral("Synth"));
    EXPECT_EQ(raisedText<EMidiInputError>([&] { none.Open(); }),
              QStringLiteral("The MIDI device is no longer present."));
    EXPECT_EQ(none.PortState(), misClosed);
    EXPECT_EQ(none.Error(), MidiNoDevice);
}

TEST_F(PortRules, SelectingADeviceRaisesOnDeviceChanged) {
    int changes = 0;
    input.OnDeviceChanged = [&] { ++changes; };
    input.SetDeviceID(1);
    input.SetProductName(QStringLiteral("Keyboard"));
    EXPECT_EQ(changes, 2);
    input.ChangeDevice(2, false);
    EXPECT_EQ(changes, 2);
}

TEST_F(PortRules, ANameFindsItsDeviceAgainAfterAReplug) {
    service.AddDevice(QStringLiteral("Keys 2"), VirtualMidiService::SendsToComputer);
    input.SetProductName(QStringLiteral("Keys 2"));
    service.RemoveDevice(QStringLiteral("Keyboard"));
    service.RemoveDevice(QStringLiteral("Keys 2"));
    service.AddDevice(QStringLiteral("Keys 2"), VirtualMidiService::SendsToComputer);
    input.OpenAndStart();
    EXPECT_EQ(input.DeviceID(), 2u);
    ASSERT_TRUE(service.Inject(QStringLiteral("Keys 2"), {0x90, 60, 1}));
    SettleMidi(service);
    EXPECT_EQ(input.GetEventCount(), 1);
}

TEST_F(PortRules, ADeviceThatDisappearsStopsInputAndFailsSends) {
    synthIn();
    synthOut();
    service.RemoveDevice(QStringLiteral("Synth"));
    EXPECT_FALSE(service.Inject(QStringLiteral("Synth"), {0x90, 60, 1}));
    EXPECT_EQ(raisedText<EMidiOutputError>([&] { output.PutShort(0x90, 60, 1); }),
              QStringLiteral("The MIDI device is no longer present."));
    const std::uint8_t bytes[] = {0xF0, 0xF7};
    EXPECT_EQ(raisedText<EMidiOutputError>([&] { output.PutLong(bytes, 2); }),
              QStringLiteral("The MIDI device is no longer present."));
    SettleMidi(service);
    EXPECT_EQ(input.GetEventCount(), 0);
}

TEST(ErrorTexts, FollowTheOutputContext) {
    using enum TMIDIErrorContext;
    EXPECT_EQ(MidiOutErrorString(5, ecPutShort),
              QStringLiteral("(Short Msg) The specified device handle is invalid."));
    EXPECT_EQ(MidiOutErrorString(67, ecPutLong),
              QStringLiteral("(Long Msg) The hardware is busy with other data."));
    EXPECT_EQ(MidiOutErrorString(7, ecOutPrepareHeader),
              QStringLiteral("(Prep Header) The system is unable to allocate or lock memory."));
    EXPECT_EQ(MidiInErrorString(5), QStringLiteral("Specified error number is out of range"));
    EXPECT_EQ(MidiInErrorString(2),
              QStringLiteral("The specified device identifier is out of range."));
    EXPECT_EQ(MidiOutErrorString(68, ecPutShort),
              QStringLiteral("The MIDI device is no longer present."));
    EXPECT_EQ(MidiInErrorString(999), QStringLiteral("Specified error number is out of range"));
}

} // namespace
