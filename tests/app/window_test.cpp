#include "controls/knob.h"
#include "controls/transparent_button.h"
#include "ui/accessible_controls.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;
using Port = Editor::Port;

const char* const DeviceLists[] = {"lbMidiIn", "lbMidiOut", "lbCtrlIn", "lbCtrlOut", "lbKbdIn"};

QVariant stored(WindowFixture& f, const char* section, const char* key) {
    return f.settings.Value(QString::fromLatin1(section), QString::fromLatin1(key), QVariant());
}

TEST(Window, FirstRunShowsNoDevicesAndWritesTheDefaults) {
    WindowFixture f;
    EXPECT_TRUE(f.session.StartUp(3));
    EXPECT_TRUE(f.editor().MissingControls().isEmpty())
        << f.editor().MissingControls().join(QLatin1Char(' ')).toStdString();
    for (const char* name : DeviceLists) {
        const auto& list = f.widget<QListWidget>(name);
        ASSERT_GT(list.count(), 0) << name;
        EXPECT_EQ(list.currentItem()->text(), QStringLiteral("None")) << name;
    }
    for (const char* key : {"Input", "Output", "CtrlInput", "CtrlOutput", "KbdInput"})
        EXPECT_EQ(stored(f, "MidiDevices", key), QVariant(QStringLiteral("None"))) << key;
    EXPECT_EQ(stored(f, "MouseWheel", "Jump"), QVariant(3));
    EXPECT_EQ(f.text("lMouseWheelSize"), QStringLiteral("Mouse Wheel Size : 3"));
    EXPECT_EQ(f.text("lModGroup"), QStringLiteral(" Ctrl: Mod Wheel "));
    EXPECT_TRUE(f.widget<QWidget>("bLoadBCR").isHidden());
    EXPECT_EQ(f.window().size(), QSize(966, 714));
    EXPECT_EQ(f.window().windowTitle(),
              QStringLiteral("Marrowlink controller / editor version 2 Small"));
}

TEST(Window, StoredSettingsShowOnTheScreen) {
    WindowFixture f;
    f.settings.SetValue("MouseWheel", "Jump", 5);
    f.settings.SetValue("Modulation", "Start", 3);
    f.settings.SetValue("MidiDevices", "CtrlInput", "Gone Controller");
    f.settings.SetValue("MidiDevices", "CtrlOutput", "bcr");
    f.session.StartUp(3);
    EXPECT_EQ(f.text("lMouseWheelSize"), QStringLiteral("Mouse Wheel Size : 5"));
    EXPECT_EQ(f.text("lModGroup"), QStringLiteral(" Ctrl: Foot   "));
    EXPECT_EQ(f.widget<QListWidget>("lbCtrlIn").currentItem()->text(), QStringLiteral("None"));
    // A device that is not there keeps its name, to be opened when it appears.
    EXPECT_EQ(stored(f, "MidiDevices", "CtrlInput"), QVariant(QStringLiteral("Gone Controller")));
    EXPECT_EQ(f.widget<QListWidget>("lbCtrlOut").currentItem()->text(), QStringLiteral("BCR"));
    EXPECT_FALSE(f.widget<QWidget>("bLoadBCR").isHidden());
}

TEST(Window, TakingAnotherPortsDeviceAsksAndNoPutsTheSelectionBack) {
    WindowFixture f;
    f.startWithDevices();
    f.prompts.answers = {Answer::No};
    f.choose("lbCtrlIn", 0); // the synth input's device
    EXPECT_EQ(
        f.prompts.shown.last(),
        QStringLiteral("errorquestion: The Midi input has this device.\nReset the Midi Input?"));
    EXPECT_EQ(f.widget<QListWidget>("lbCtrlIn").currentItem()->text(), QStringLiteral("BCR"));
    f.prompts.answers = {Answer::Yes};
    f.choose("lbCtrlIn", 0);
    EXPECT_EQ(f.widget<QListWidget>("lbMidiIn").currentItem()->text(), QStringLiteral("None"));
    EXPECT_EQ(f.widget<QListWidget>("lbCtrlIn").currentItem()->text(), QStringLiteral("Synth"));
    EXPECT_EQ(stored(f, "MidiDevices", "Input"), QVariant(QStringLiteral("None")));
}

TEST(Window, PageChangesSendTheModeMessagesAndTheRequest) {
    WindowFixture f;
    f.startWithDevices();
    f.showPage(TfMidi::MultipartIndex);
    const Messages multi{
        paramChange(0x24, 0x7A, 0),
        paramChange(0x24, 0x78, 0x7F),
        paramChange(0x24, 0x6D, 0x7F),
        {0xF0, 0x43, 0x20, 0x7E, 'L', 'M', ' ', ' ', '8', '0', '3', '6', 'S', ' ', 0xF7}};
    EXPECT_EQ(f.toSynth(), multi);
    f.clearSent();
    f.showPage(TfMidi::MidiSetupIndex);
    const Messages voice{
        paramChange(0x24, 0x7A, 0),
        paramChange(0x24, 0x7A, 0x7F),
        {0xF0, 0x43, 0x20, 0x7E, 'L', 'M', ' ', ' ', '8', '0', '3', '6', 'E', 'F', 0xF7}};
    EXPECT_EQ(f.toSynth(), voice);
}

TEST(Window, ValueButtonsStepWithLeftCtrlAndRightClicks) {
    WindowFixture f;
    f.startWithDevices();
    f.click("lVal14"); // LFO wave: Saw -> Sqr
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Sqr"));
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 59, 1)});
    EXPECT_EQ(f.toController(), Messages{echo(14, 1)});
    f.click("lVal14", Qt::LeftButton, Qt::ControlModifier); // back to Saw
    f.click("lVal14", Qt::LeftButton, Qt::ControlModifier); // 0 wraps to the top: Rnd
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Rnd"));
    f.click("lVal14"); // the top wraps to 0
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Saw"));
    f.clearSent();
    f.click("lVal14", Qt::RightButton); // one step back, at the press
    EXPECT_EQ(f.text("lVal14"), QStringLiteral("Rnd"));
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 59, 3)});
}

TEST(Window, TheWheelStepsEveryThirdNotchAndShiftByAPage) {
    WindowFixture f;
    f.startWithDevices();
    auto& knob = f.widget<TKnob>("Knob30");
    for (int notch = 0; notch < 3; ++notch)
        events::wheel(knob, 120);
    f.settle();
    EXPECT_EQ(knob.Position(), 1);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 56, 1)});
    for (int notch = 0; notch < 3; ++notch)
        events::wheel(knob, 120, Qt::ShiftModifier);
    f.settle();
    EXPECT_EQ(knob.Position(), 44);
}

TEST(Window, HoveringAKnobShowsItsValueLabel) {
    WindowFixture f;
    f.startWithDevices();
    auto& knob = f.widget<TKnob>("Knob40");
    auto& label = f.widget<QWidget>("lVal40");
    EXPECT_FALSE(label.isVisible());
    events::enter(knob, knob.rect().center());
    EXPECT_TRUE(label.isVisible());
    events::leave(knob);
    EXPECT_FALSE(label.isVisible());
}

TEST(Window, OperatorPanelsFollowSelectAndSwitch) {
    WindowFixture f;
    f.startWithDevices();
    auto colour = [&](const char* name) {
        return f.widget<QWidget>(name).palette().color(QPalette::Window);
    };
    f.click("lVal101"); // select operator 2
    EXPECT_EQ(colour("pOp2"), QColor(Qt::yellow));
    EXPECT_EQ(colour("pOp1"), QColor(0, 128, 0));
    EXPECT_EQ(colour("lOp2Select"), QColor(Qt::yellow));
    f.click("lVal98"); // operator 3 off
    EXPECT_EQ(colour("pOp3"), QColor(128, 128, 128));
    EXPECT_EQ(f.text("lOp3"), QStringLiteral("Op3-Off "));
    EXPECT_EQ(f.widget<QWidget>("lOp3").x(), 22);
    EXPECT_EQ(f.toSynth().back(), paramChange(0x12, 0x5D, 0x0D));
}

TEST(Window, TheNoteLimitKeepsThePartsWithinEightNotes) {
    WindowFixture f;
    f.startWithDevices();
    f.showPage(TfMidi::MultipartIndex);
    for (int i = 0; i < 8; ++i)
        f.click("tlMaxNotes1");
    f.clearSent();
    f.click("tlMaxNotes2");
    EXPECT_EQ(f.text("tlMaxNotes1"), QStringLiteral("7"));
    EXPECT_EQ(f.text("tlMaxNotes2"), QStringLiteral("1"));
    EXPECT_EQ(f.toSynth(), (Messages{paramChange(0x10, 12, 1), paramChange(0x10, 0, 7),
                                     paramChange(0x10, 12, 1)}));
}

TEST(Window, YesOnTheSplashSendsThePresetsAndShowsTheWindow) {
    WindowFixture f;
    for (const char* name : {"Marrowlink.SYX", "Marrowlink_Rev.SYX"}) {
        QFile file(f.folderFile(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\xF0\x01\x02\xF7", 4));
    }
    f.rememberAllDevices();
    f.session.StartUp(3);
    f.settle();
    f.clearSent();
    f.prompts.answers = {Answer::Yes};
    f.session.RunSplash(f.prompts, EditorSession::PresetQuestion::Ask);
    f.settle();
    EXPECT_EQ(f.prompts.shown.first(),
              QStringLiteral("question: BCR file loaded.\n 'Yes' to send Sysex to BCR"));
    const Messages sent = f.toController();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0], (EditorFixture::Message{0xF0, 0x01, 0x02, 0xF7}));
    EXPECT_EQ(sent[1], (EditorFixture::Message{0xF0, 0x01, 0x02, 0xF7}));
    EXPECT_EQ(sent.back(), echo(100, 1));
    EXPECT_TRUE(f.window().isVisible());
    EXPECT_FALSE(f.session.Splash().isVisible());
}

TEST(Window, DontAskAgainKeepsTheAnswerAndTheSetupPageStillSendsWithItsProgress) {
    WindowFixture f;
    QFile file(f.folderFile(QStringLiteral("Marrowlink.SYX")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\xF0\x01\x02\xF7\xF0\x03\xF7", 7));
    file.close();
    f.startWithDevices();
    f.prompts.answers = {Answer::No};
    f.prompts.tickDontAskAgain = true;
    f.session.RunSplash(f.prompts, EditorSession::PresetQuestion::Ask);
    EXPECT_EQ(f.settings.Value(QStringLiteral("Splash"), QStringLiteral("SendPresets"), {}),
              QStringLiteral("No"));
    f.prompts.shown.clear();
    f.session.RunSplash(f.prompts, EditorSession::PresetQuestion::Ask);
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << "asked again";
    f.settle();
    EXPECT_TRUE(f.toController().empty());

    f.showPage(TfMidi::MidiSetupIndex);
    f.widget<QPushButton>("bLoadBCR").click();
    f.settle();
    const Messages sent = f.toController();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[1], (EditorFixture::Message{0xF0, 0x03, 0xF7}));
    EXPECT_EQ(f.widget<QProgressBar>("pbUpload").value(), 2);
    EXPECT_EQ(f.widget<QProgressBar>("pbUpload").maximum(), 2);
    // The Rev file that follows is missing, which its own box says.
    EXPECT_EQ(f.widget<QLabel>("lUploadOutcome").text(), QStringLiteral("Sent to the BCR: done"));
}

TEST(Window, KnobsAndButtonsAreNamedByTheirParameters) {
    WindowFixture f;
    f.startWithDevices();
    auto name = [&](const char* control) {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(&f.widget<QWidget>(control));
        return accessible ? accessible->text(QAccessible::Name) : QString();
    };
    EXPECT_EQ(name("Knob40"), QStringLiteral("Op 1 Attack"));
    EXPECT_EQ(name("Knob0"), QStringLiteral("Mod Wheel LFO Pitch"));
    EXPECT_EQ(name("lVal9"), QStringLiteral("Op 2 Amp Mod Enable"));
    EXPECT_EQ(name("kVolume3"), QStringLiteral("Part 3 Volume"));
    f.click("lVal102");
    EXPECT_EQ(name("Knob40"), QStringLiteral("Op 3 Attack"));
    QAccessibleInterface* wave =
        QAccessible::queryAccessibleInterface(&f.widget<QWidget>("lVal14"));
    EXPECT_EQ(wave->text(QAccessible::Value), QStringLiteral("Saw"));
}

// The service has looked at its devices: the editor and then the page follow what it saw.
void follow(WindowFixture& f) {
    QCoreApplication::processEvents();
    f.settle();
}

QStringList entries(WindowFixture& f, const char* list) {
    QStringList texts;
    auto& widget = f.widget<QListWidget>(list);
    for (int i = 0; i < widget.count(); ++i)
        texts << widget.item(i)->text();
    return texts;
}

TEST(Window, ARememberedDeviceThatIsMissingIsNamedUnderItsListUntilItOpens) {
    WindowFixture f;
    f.settings.SetValue("MidiDevices", "CtrlInput", "Ghost:out");
    f.session.StartUp(3);
    EXPECT_EQ(f.widget<QListWidget>("lbCtrlIn").currentItem()->text(), QStringLiteral("None"));
    auto& missing = f.widget<QLabel>("lCtrlInMissing");
    EXPECT_FALSE(missing.isHidden());
    EXPECT_EQ(missing.text(), QStringLiteral("Missing: Ghost:out"));
    EXPECT_EQ(missing.toolTip(),
              QStringLiteral("\"Ghost:out\" is not there now; it is opened when it appears."));
    for (const char* other :
         {"lMidiInMissing", "lMidiOutMissing", "lCtrlOutMissing", "lKbdInMissing"})
        EXPECT_TRUE(f.widget<QLabel>(other).isHidden()) << other;

    f.midi.AddDevice(QStringLiteral("Ghost:out"), VirtualMidiService::SendsToComputer);
    f.midi.NoticeDeviceChanges();
    follow(f);
    EXPECT_EQ(entries(f, "lbMidiIn"), (QStringList{"Synth", "BCR", "Keys", "Ghost:out", "None"}));
    EXPECT_EQ(f.widget<QListWidget>("lbCtrlIn").currentItem()->text(), QStringLiteral("Ghost:out"));
    EXPECT_TRUE(missing.isHidden());
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join('|').toStdString();
}

TEST(Window, TheListsFollowTheMidiSystemStoppingAndComingBack) {
    WindowFixture f;
    f.startWithDevices();
    f.midi.StopSystem();
    follow(f);
    for (const char* name : DeviceLists)
        EXPECT_EQ(entries(f, name), QStringList{"None"}) << name;
    EXPECT_EQ(f.widget<QLabel>("lMidiOutMissing").text(), QStringLiteral("Missing: Synth"));
    EXPECT_EQ(f.widget<QLabel>("lKbdInMissing").text(), QStringLiteral("Missing: Keys"));

    f.midi.StartSystem();
    follow(f);
    EXPECT_EQ(entries(f, "lbCtrlOut"), (QStringList{"Synth", "BCR", "None"}));
    EXPECT_EQ(f.widget<QListWidget>("lbCtrlOut").currentItem()->text(), QStringLiteral("BCR"));
    EXPECT_EQ(f.widget<QListWidget>("lbKbdIn").currentItem()->text(), QStringLiteral("Keys"));
    EXPECT_TRUE(f.widget<QLabel>("lKbdInMissing").isHidden());
}

} // namespace
