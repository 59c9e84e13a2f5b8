#include "support/editor_fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;
using Port = Editor::Port;

QVariant stored(EditorFixture& f, const char* section, const char* key) {
    return f.settings.Value(QString::fromLatin1(section), QString::fromLatin1(key), QVariant());
}

TEST(StartUp, FirstRunWithoutSettings) {
    EditorFixture f;
    EXPECT_TRUE(f.editor.StartUp(3));
    f.settle();
    for (const char* key : {"Input", "Output", "CtrlInput", "CtrlOutput", "KbdInput"})
        EXPECT_EQ(stored(f, "MidiDevices", key), QVariant(QStringLiteral("None"))) << key;
    EXPECT_EQ(stored(f, "MouseWheel", "Jump"), QVariant(3));
    EXPECT_EQ(f.editor.State().ModGroup, 1);
    EXPECT_EQ(f.editor.State().SelectedOp, 0);
    EXPECT_EQ(f.editor.RandomPercent(), 5);
    EXPECT_TRUE(f.editor.TimeReverse());
    EXPECT_TRUE(f.toSynth().empty());
    EXPECT_EQ(f.editor.DeviceList(Editor::Port::SynthIn),
              (QStringList{"Synth", "BCR", "Keys", "None"}));
    EXPECT_EQ(f.editor.DeviceList(Editor::Port::SynthOut), (QStringList{"Synth", "BCR", "None"}));
    // The multi's start values, by number where no names file is.
    EXPECT_EQ(f.caption("lPatch1"), QStringLiteral("0"));
    EXPECT_EQ(f.caption("tlPatchBank1"), QStringLiteral("ROM"));
    EXPECT_EQ(f.caption("lMasterTune"), QStringLiteral("-64"));
    EXPECT_EQ(f.caption("lRxChannel4"), QStringLiteral("1"));
    EXPECT_EQ(f.caption("lMouseWheelSize"), QStringLiteral("Mouse Wheel Size : 3"));
    // The value buttons show the start values: nothing has come from a synth.
    EXPECT_EQ(f.caption("lVal14"), QStringLiteral("Saw"));
    EXPECT_EQ(f.caption("lVal16"), QStringLiteral("Ratio"));
    EXPECT_EQ(f.caption("lVal96"), QStringLiteral("On"));
    EXPECT_TRUE(f.prompts.shown.isEmpty());
    // Every control the editor looked for is one the screen has.
    EXPECT_EQ(f.editor.MissingControls(), QStringList());
}

TEST(StartUp, AVoiceNameFileThatIsTooLargeIsReported) {
    EditorFixture f;
    QFile names(f.folderFile(QStringLiteral("CARDNames.txt")));
    ASSERT_TRUE(names.open(QIODevice::WriteOnly));
    ASSERT_TRUE(names.resize(1 << 20));
    names.close();
    f.startWithDevices();
    ASSERT_FALSE(f.prompts.shown.isEmpty());
    EXPECT_TRUE(f.prompts.shown.first().startsWith(QStringLiteral("warning: The voice-name file")));
    EXPECT_TRUE(f.prompts.shown.first().contains(QStringLiteral("CARDNames.txt is too large")));
    EXPECT_TRUE(f.editor.Map().Lists.CardVoiceNames.isEmpty());
}

TEST(StartUp, StoredWheelJumpIsKept) {
    EditorFixture f;
    f.settings.SetValue("MouseWheel", "Jump", 5);
    f.editor.StartUp(3);
    EXPECT_EQ(f.editor.WheelDivider(), 5);
    EXPECT_EQ(stored(f, "MouseWheel", "Jump"), QVariant(5));
}

TEST(StartUp, RemembersDevicesByNameIgnoringCaseAndFetchesBothDumps) {
    EditorFixture f;
    f.settings.SetValue("MidiDevices", "Input", "synth");
    f.settings.SetValue("MidiDevices", "Output", "SYNTH");
    f.settings.SetValue("MidiDevices", "CtrlOutput", "BCR");
    f.settings.SetValue("MidiDevices", "KbdInput", "Gone Keyboard");
    f.editor.StartUp();
    f.settle();
    EXPECT_EQ(f.editor.DeviceIndex(Editor::Port::SynthIn), 0);
    EXPECT_EQ(f.editor.DeviceIndex(Editor::Port::SynthOut), 0);
    EXPECT_EQ(f.editor.DeviceIndex(Editor::Port::KbdIn), -1);
    // A device that is not there keeps its name, to be opened when it appears.
    EXPECT_EQ(stored(f, "MidiDevices", "KbdInput"), QVariant(QStringLiteral("Gone Keyboard")));
    EXPECT_EQ(stored(f, "MidiDevices", "Input"), QVariant(QStringLiteral("Synth")));
    // Operator 1's start values are not sent: only the mode messages and the dump requests.
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 3u + 2u + 2u + 2u);
    EXPECT_EQ(sent[0], paramChange(0x24, 0x7A, 0));
    EXPECT_EQ(sent[2], paramChange(0x24, 0x6D, 0x7F));
    EXPECT_EQ(sent[3][12], 'S');
    EXPECT_EQ(sent[4][12], 'S');
    EXPECT_EQ(sent[6], paramChange(0x24, 0x7A, 0x7F));
    EXPECT_EQ(sent[7][12], 'E');
    EXPECT_EQ(sent[8][12], 'E');
    EXPECT_FALSE(f.editor.State().MultiMode);
    EXPECT_TRUE(f.controls.Caption(QStringLiteral("bLoadBCR")).visible);
    // The controller heard operator 1's values.
    const Messages echoes = f.toController();
    EXPECT_NE(std::find(echoes.begin(), echoes.end(), echo(39, 90)), echoes.end());
}

TEST(DeviceChoice, TakingAnotherPortsDeviceAsksFirst) {
    EditorFixture f;
    f.editor.StartUp();
    f.editor.ChooseDevice(Port::SynthIn, 1);
    f.prompts.answers = {Answer::No};
    EXPECT_FALSE(f.editor.ChooseDevice(Port::CtrlIn, 1));
    EXPECT_EQ(
        f.prompts.shown.last(),
        QStringLiteral("errorquestion: The Midi input has this device.\nReset the Midi Input?"));
    EXPECT_EQ(f.editor.DeviceIndex(Editor::Port::SynthIn), 1);
    EXPECT_EQ(f.editor.DeviceIndex(Editor::Port::CtrlIn), -1);
    f.prompts.answers = {Answer::Yes};
    EXPECT_TRUE(f.editor.ChooseDevice(Port::CtrlIn, 1));
    EXPECT_EQ(f.editor.DeviceIndex(Editor::Port::SynthIn), -1);
    EXPECT_EQ(f.editor.DeviceIndex(Editor::Port::CtrlIn), 1);
    EXPECT_EQ(stored(f, "MidiDevices", "Input"), QVariant(QStringLiteral("None")));
    EXPECT_EQ(stored(f, "MidiDevices", "CtrlInput"), QVariant(QStringLiteral("BCR")));
}

TEST(DeviceChoice, KeyboardAndOutputsConflicts) {
    EditorFixture f;
    f.editor.StartUp();
    f.editor.ChooseDevice(Port::CtrlIn, 2);
    f.editor.ChooseDevice(Port::KbdIn, 2);
    EXPECT_EQ(
        f.prompts.shown.last(),
        QStringLiteral("errorquestion: The controller has this device.\nReset the controller?"));
    f.editor.ChooseDevice(Port::SynthOut, 0);
    EXPECT_FALSE(f.editor.ChooseDevice(Port::CtrlOut, 0));
    EXPECT_EQ(
        f.prompts.shown.last(),
        QStringLiteral("errorquestion: The Synth output has this device.\nReset the Midi Input?"));
    // An input and an output may share a name.
    EXPECT_TRUE(f.editor.ChooseDevice(Port::SynthIn, 0));
    EXPECT_EQ(f.editor.DeviceIndex(Editor::Port::SynthOut), 0);
}

TEST(DeviceChoice, ADeviceThatCannotBeOpenedIsReportedAndLeftUnchosen) {
    EditorFixture f;
    f.settings.SetValue("MidiDevices", "CtrlInput", "BCR");
    f.editor.StartUp();
    f.midi.RemoveDevice(QStringLiteral("BCR")); // listed, then unplugged
    f.prompts.shown.clear();
    f.editor.ChooseDevice(Port::CtrlOut, 1);
    f.editor.ChooseDevice(Port::CtrlIn, 1);
    ASSERT_EQ(f.prompts.shown.size(), 2) << f.prompts.shown.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(f.prompts.shown[0].startsWith(
        QStringLiteral("error: The MIDI output device \"BCR\" cannot be opened: ")));
    EXPECT_TRUE(f.prompts.shown[1].startsWith(
        QStringLiteral("error: The MIDI input device \"BCR\" cannot be opened: ")));
    EXPECT_EQ(f.editor.DeviceIndex(Port::CtrlOut), -1);
    EXPECT_EQ(f.editor.DeviceIndex(Port::CtrlIn), -1);
    // The names stay as they were, so the next start tries the devices again.
    EXPECT_EQ(stored(f, "MidiDevices", "CtrlOutput"), QVariant(QStringLiteral("None")));
    EXPECT_EQ(stored(f, "MidiDevices", "CtrlInput"), QVariant(QStringLiteral("BCR")));
}

TEST(ShutDown, StoresDevicesAndTheGroup) {
    EditorFixture f;
    f.startWithDevices();
    f.editor.lModGroupClick();
    f.settings.values.clear();
    f.editor.ShutDown();
    EXPECT_EQ(stored(f, "MidiDevices", "Input"), QVariant(QStringLiteral("Synth")));
    EXPECT_EQ(stored(f, "MidiDevices", "KbdInput"), QVariant(QStringLiteral("Keys")));
    EXPECT_EQ(stored(f, "Modulation", "Start"), QVariant(2));
}

// The service has looked at its devices: the editor follows what it saw.
void follow(EditorFixture& f) {
    QCoreApplication::processEvents();
    f.settle();
}

std::array<int, 5> indexes(const Editor& e) {
    return {e.DeviceIndex(Port::SynthIn), e.DeviceIndex(Port::SynthOut),
            e.DeviceIndex(Port::CtrlIn), e.DeviceIndex(Port::CtrlOut), e.DeviceIndex(Port::KbdIn)};
}

TEST(FollowDevices, ARememberedDeviceThatIsAbsentKeepsItsNameAndOpensWhenItAppears) {
    EditorFixture f;
    f.settings.SetValue("MidiDevices", "Input", "Ghost:out");
    f.settings.SetValue("MidiDevices", "Output", "Ghost-r:in");
    f.editor.StartUp();
    f.settle();
    EXPECT_EQ(f.editor.DeviceIndex(Port::SynthIn), -1);
    EXPECT_EQ(f.editor.DeviceIndex(Port::SynthOut), -1);
    EXPECT_EQ(stored(f, "MidiDevices", "Input"), QVariant(QStringLiteral("Ghost:out")));
    EXPECT_EQ(stored(f, "MidiDevices", "Output"), QVariant(QStringLiteral("Ghost-r:in")));
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join('|').toStdString();

    f.midi.AddDevice(QStringLiteral("Ghost:out"), VirtualMidiService::SendsToComputer);
    f.midi.AddDevice(QStringLiteral("Ghost-r:in"), VirtualMidiService::ReceivesFromComputer);
    f.midi.NoticeDeviceChanges();
    follow(f);
    EXPECT_EQ(f.editor.DeviceList(Port::SynthIn),
              (QStringList{"Synth", "BCR", "Keys", "Ghost:out", "None"}));
    EXPECT_EQ(f.editor.DeviceIndex(Port::SynthIn), 3);
    EXPECT_EQ(f.editor.DeviceIndex(Port::SynthOut), 2);
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join('|').toStdString();
    f.editor.bGetPatchClick();
    f.settle();
    EXPECT_EQ(f.midi.Received(QStringLiteral("Ghost-r:in")).size(), 1u);
}

TEST(FollowDevices, ADeviceThatGoesIsSaidOnceAndOpensAgainWhenItIsBack) {
    EditorFixture f;
    f.startWithDevices();
    f.midi.RemoveDevice(QStringLiteral("BCR"));
    f.midi.NoticeDeviceChanges();
    follow(f);
    EXPECT_EQ(f.prompts.shown,
              QStringList{QStringLiteral("error: The MIDI device \"BCR\" has gone, and its port is "
                                         "closed. It is opened again when it is back.")});
    // The others stay open on their devices, which have moved up the lists.
    EXPECT_EQ(indexes(f.editor), (std::array<int, 5>{0, 0, -1, -1, 1}));
    EXPECT_EQ(stored(f, "MidiDevices", "CtrlInput"), QVariant(QStringLiteral("BCR")));
    f.fromKeyboard({0x90, 60, 100});
    EXPECT_EQ(f.toSynth(), Messages{(EditorFixture::Message{0x90, 60, 100})});

    f.prompts.shown.clear();
    f.midi.AddDevice(QStringLiteral("BCR"));
    f.midi.NoticeDeviceChanges();
    follow(f);
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join('|').toStdString();
    EXPECT_EQ(indexes(f.editor), (std::array<int, 5>{0, 0, 2, 1, 1}));
    f.clearSent();
    f.cc(6, 77);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 0x36, 77)});
}

TEST(FollowDevices, TheSystemStoppingIsSaidAtOnceAndTheDevicesOpenAgainWhenItIsBack) {
    EditorFixture f;
    f.startWithDevices();
    f.midi.StopSystem();
    follow(f);
    EXPECT_EQ(f.prompts.shown,
              QStringList{QStringLiteral("error: The MIDI system has stopped, and the MIDI devices "
                                         "are closed. They are opened again when it is back.")});
    EXPECT_EQ(indexes(f.editor), (std::array<int, 5>{-1, -1, -1, -1, -1}));
    EXPECT_EQ(f.editor.DeviceList(Port::SynthOut), QStringList{"None"});
    // Nothing is sent into the stopped system, so nothing raises its invalid-handle error.
    f.editor.bGetPatchClick();
    EXPECT_EQ(stored(f, "MidiDevices", "Output"), QVariant(QStringLiteral("Synth")));

    f.midi.StartSystem();
    follow(f);
    EXPECT_EQ(f.prompts.shown.size(), 1);
    EXPECT_EQ(indexes(f.editor), (std::array<int, 5>{0, 0, 1, 1, 2}));
    f.clearSent();
    f.cc(6, 77);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 0x36, 77)});
}

TEST(FollowDevices, ADeviceRememberedForTwoPortsOpensOnTheFirstWithoutAQuestion) {
    EditorFixture f;
    f.settings.SetValue("MidiDevices", "CtrlInput", "New Keys");
    f.settings.SetValue("MidiDevices", "KbdInput", "New Keys");
    f.editor.StartUp();
    f.midi.AddDevice(QStringLiteral("New Keys"), VirtualMidiService::SendsToComputer);
    f.midi.NoticeDeviceChanges();
    follow(f);
    EXPECT_EQ(f.editor.DeviceIndex(Port::CtrlIn), 3);
    EXPECT_EQ(f.editor.DeviceIndex(Port::KbdIn), -1);
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join('|').toStdString();
}

// A change heard while a conflict question is open waits for the choice: the entry the user
// clicked must not come to mean another device.
TEST(FollowDevices, AChangeDuringAQuestionWaitsForTheChoice) {
    EditorFixture f;
    f.startWithDevices();
    f.prompts.answers = {Answer::Yes};
    f.prompts.whileOpen = [&] {
        f.midi.RemoveDevice(QStringLiteral("Synth"));
        f.midi.NoticeDeviceChanges();
        QCoreApplication::processEvents();
    };
    f.editor.ChooseDevice(Port::CtrlIn, 0); // "Synth", the synth input's
    EXPECT_EQ(f.editor.DeviceIndex(Port::CtrlIn), -1);
    ASSERT_EQ(f.prompts.shown.size(), 3) << f.prompts.shown.join('|').toStdString();
    EXPECT_TRUE(f.prompts.shown[1].startsWith(
        QStringLiteral("error: The MIDI input device \"Synth\" cannot be opened: ")));
    EXPECT_EQ(f.prompts.shown[2],
              QStringLiteral("error: The MIDI device \"Synth\" has gone, and its port is closed. "
                             "It is opened again when it is back."));
    EXPECT_EQ(indexes(f.editor), (std::array<int, 5>{-1, -1, -1, 0, 1}));
}

} // namespace
