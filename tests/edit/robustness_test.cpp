#include "dump_messages.h"
#include "midi/midi_errors.h"
#include "support/editor_fixture.h"
#include "support/escaped_errors.h"

#include <QFile>
#include <gtest/gtest.h>
#include <map>

namespace {

using Messages = std::vector<EditorFixture::Message>;

// A port error half way through an operation must leave the editor as it can go on from: one error
// must never silently stop every later edit.
struct PortErrors : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override {
        f.startWithDevices();
        f.midi.RemoveDevice(QStringLiteral("Synth")); // the synth's interface is unplugged
    }
};

TEST_F(PortErrors, OperatorSelectRaisesTheError) {
    EXPECT_THROW(e.lOpClick(&f.controls.Caption(QStringLiteral("lVal101"))), EMidiOutputError);
}

TEST_F(PortErrors, RandomiseLeavesTheGroupAndTheColour) {
    f.selectModGroup(3);
    EXPECT_THROW(e.lRandomClick(), EMidiOutputError);
    EXPECT_EQ(e.State().ModGroup, 3);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lRandom")).color, Colours::White);
}

TEST(PortErrorWhileDecoding, LaterInputStillWorks) {
    EditorFixture f;
    Editor& e = f.editor;
    f.startWithDevices();
    f.midi.RemoveDevice(QStringLiteral("BCR")); // the controller's interface is unplugged
    // A voice refresh echoes every row, which now fails; the application shows the error.
    EscapedErrors errors;
    f.fromSynth(
        DumpMessages([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(6), 11); }).voiceBlock);
    EXPECT_EQ(errors.texts.size(), 1);
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 11);
    // The next dump is decoded as well.
    f.fromSynth(
        DumpMessages([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(6), 12); }).voiceBlock);
    EXPECT_EQ(errors.texts.size(), 2);
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 12);
}

// The controller's output on a device of its own, which is unplugged while its input still works.
struct ControllerOutputUnplugged : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override {
        f.midi.AddDevice(QStringLiteral("BCR Out"), VirtualMidiService::ReceivesFromComputer);
        f.startWithDevices();
        ASSERT_TRUE(e.ChooseDevice(
            Port::CtrlOut, int(e.DeviceList(Port::CtrlOut).indexOf(QStringLiteral("BCR Out")))));
    }
    void unplug() { f.midi.RemoveDevice(QStringLiteral("BCR Out")); }
};

TEST_F(ControllerOutputUnplugged, AFailedRandomiseLeavesEditsWithTheShownOperator) {
    f.cc(102, 1); // operator 3
    unplug();
    EXPECT_THROW(e.lRandomClick(), EMidiOutputError); // at its first echo
    EXPECT_EQ(e.State().SelectedOp, 2);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp3Select")).color, Colours::Yellow);
    // The shared knobs show operator 3 and the modulation group again.
    EXPECT_EQ(f.knob("Knob40").Position(), f.val(e.Map().Op(2).Field(OpField::AR)));
    EXPECT_EQ(f.knob("Knob0").Position(), f.val(*e.Map().Mod(e.State().ModGroup).Variant[0]));
    f.clearSent();
    f.cc(40, 7);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 0x1A, 7)}); // operator 3's attack
}

TEST_F(ControllerOutputUnplugged, TheEnvelopeOptionTurnsTheKnobsWhenItsUploadFails) {
    QFile norm(f.folderFile(QStringLiteral("Marrowlink_Norm.SYX")));
    ASSERT_TRUE(norm.open(QIODevice::WriteOnly));
    norm.write(QByteArray("\xF0\x00\xF7", 3));
    norm.close();
    f.controls.Toggle(QStringLiteral("cbEnvRev")).checked = false;
    unplug();
    EXPECT_THROW(e.cbEnvRevClick(), EMidiOutputError);
    EXPECT_FALSE(e.TimeReverse());
    for (const char* name : {"Knob40", "Knob41", "Knob43", "Knob44"}) {
        EXPECT_EQ(f.knob(name).Min(), 0) << name;
        EXPECT_GT(f.knob(name).Max(), 0) << name;
    }
}

// Messages an input had no room for are said, per device, once; losses while that box is open are
// added up and said after it.
TEST(LostInput, IsReportedOncePerRunNamingTheDevice) {
    EditorFixture f;
    f.startWithDevices();
    const auto flood = [&](const QString& device, int count) {
        for (int n = 0; n < count; ++n)
            f.midi.Inject(device, {0xB0, 7, std::uint8_t(n % 100)});
    };
    f.prompts.whileOpen = [&] {
        f.prompts.whileOpen = nullptr;
        flood(QStringLiteral("BCR"), 1034);
        flood(QStringLiteral("Keys"), 1044);
        f.settle();
    };
    flood(QStringLiteral("BCR"), 1124); // the controller's queue holds 1024
    f.settle();
    EXPECT_EQ(f.prompts.shown,
              QStringList({QStringLiteral("warning: 100 MIDI messages from \"BCR\" were lost: they "
                                          "came faster than the editor could take them."),
                           QStringLiteral("warning: 20 MIDI messages from \"Keys\" were lost: they "
                                          "came faster than the editor could take them."),
                           QStringLiteral("warning: 10 MIDI messages from \"BCR\" were lost: they "
                                          "came faster than the editor could take them.")}));
}

struct NameEdit : ::testing::Test {
    EditorFixture f;
    void SetUp() override { f.startWithDevices(); }
    HeadlessEdit& name() { return f.controls.Edit(QStringLiteral("eName")); }
};

TEST_F(NameEdit, EveryChangeSendsTheTenCharacters) {
    name().Type(QStringLiteral("Bass"));
    f.settle();
    const char* padded = "Bass      ";
    Messages expected;
    for (int c = 0; c < 10; ++c)
        expected.push_back(paramChange(0x12, 77 + c, padded[c]));
    EXPECT_EQ(f.toSynth(), expected);
}

TEST_F(NameEdit, APastedLongNameIsCutAndSentOnce) {
    name().Type(QStringLiteral("Twelve chars"));
    f.settle();
    EXPECT_EQ(name().text, QStringLiteral("Twelve cha"));
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent[9], paramChange(0x12, 86, 'a'));
}

TEST_F(NameEdit, CharactersAboveSevenBitsGoOutAsQuestionMarks) {
    name().Type(QString::fromUtf8("Café"));
    f.settle();
    EXPECT_EQ(f.toSynth()[3], paramChange(0x12, 80, '?'));
}

TEST_F(NameEdit, NothingIsSentWhileADumpIsDecoded) {
    // The voice block's name reaches the name edit while the dump is decoded.
    f.fromSynth(DumpMessages({}, QStringLiteral("Quiet")).voiceBlock);
    EXPECT_EQ(name().text, QStringLiteral("Quiet     "));
    for (const EditorFixture::Message& sent : f.toSynth())
        EXPECT_FALSE(sent.size() == 7 && sent[3] == 0x12 && sent[4] >= 77 && sent[4] <= 86)
            << "a name change went out";
}

// Every controller CC number, on a fresh editor (operator 1 and the mod wheel group selected,
// every record at its start value): the exact bytes that reach the synth and the controller.
TEST(EveryControllerNumber, EachCcDoesWhatItsNumberMeans) {
    struct Change {
        int group;
        int para;
    };
    // Rows 0..47 with value 1: the parameter change of the row's current record; rows 2 and 3
    // have none in the mod wheel group, and rows 20 and 21 are checked below.
    const std::map<int, Change> rows = {
        {0, {0x12, 0x47}},  {1, {0x12, 0x48}},  {4, {0x12, 0x40}},  {5, {0x12, 0x42}},
        {6, {0x12, 0x36}},  {7, {0x12, 0x37}},  {8, {0x12, 0x2F}},  {9, {0x12, 0x15}},
        {10, {0x12, 0x22}}, {11, {0x12, 0x08}}, {12, {0x12, 0x3F}}, {13, {0x12, 0x41}},
        {14, {0x12, 0x3B}}, {15, {0x12, 0x3A}}, {16, {0x13, 0x0F}}, {17, {0x13, 0x05}},
        {18, {0x13, 0x0A}}, {19, {0x13, 0x00}}, {22, {0x12, 0x3C}}, {23, {0x12, 0x3D}},
        {24, {0x12, 0x34}}, {25, {0x12, 0x3E}}, {26, {0x12, 0x35}}, {27, {0x13, 0x14}},
        {28, {0x24, 0x06}}, {29, {0x24, 0x05}}, {30, {0x12, 0x38}}, {31, {0x12, 0x39}},
        {32, {0x13, 0x10}}, {33, {0x12, 0x32}}, {34, {0x13, 0x11}}, {35, {0x12, 0x33}},
        {36, {0x12, 0x30}}, {37, {0x12, 0x2E}}, {38, {0x13, 0x12}}, {39, {0x12, 0x31}},
        {40, {0x12, 0x27}}, {41, {0x12, 0x28}}, {42, {0x12, 0x2B}}, {43, {0x12, 0x29}},
        {44, {0x12, 0x2A}}, {45, {0x13, 0x13}}, {46, {0x12, 0x2C}}, {47, {0x12, 0x2D}},
    };
    // The start values of an operator's rows 32..47, which a newly selected operator echoes.
    const std::uint8_t operatorRows[16] = {0x00, 0x04, 0x00, 0x00, 0x04, 0x00, 0x00, 0x5A,
                                           0x05, 0x05, 0x0F, 0x05, 0x05, 0x00, 0x00, 0x00};
    const Messages mask{paramChange(0x12, 0x5D, 0x0F)};
    const Messages switches{echo(96, 1), echo(97, 1), echo(98, 1), echo(99, 1)};
    for (int cc = 0; cc < 128; ++cc) {
        EditorFixture f;
        f.startWithDevices();
        f.cc(cc, 1);
        const Messages synth = f.toSynth();
        const Messages controller = f.toController();
        SCOPED_TRACE(cc);
        Messages toSynth;
        Messages toController;
        if (const auto row = rows.find(cc); row != rows.end()) {
            toSynth = {paramChange(row->second.group, row->second.para, 1)};
        } else if (cc == 20) { // the effect type, then the voice request
            toSynth = {
                paramChange(0x24, 0x04, 1),
                {0xF0, 0x43, 0x20, 0x7E, 'L', 'M', ' ', ' ', '8', '0', '3', '6', 'E', 'F', 0xF7}};
        } else if (cc == 21) { // randomise: the whole voice, the mask and the name
            ASSERT_EQ(synth.size(), 4u + 1u + 10u);
            EXPECT_EQ(synth[4], mask[0]);
            continue;
        } else if (cc == 48) { // the breath group's four records
            toController = {echo(0, 0), echo(1, 0), echo(2, 0), echo(3, 0)};
        } else if (cc == 96) { // operator 1 is selected: its switch-off is refused
            toController = {echo(96, 1)};
        } else if (cc >= 97 && cc <= 99) {
            toSynth = mask;
            toController = switches;
        } else if (cc == 100) {
            toSynth = mask;
            toController = switches;
            toController.push_back(echo(100, 1));
        } else if (cc > 100 && cc <= 103) {
            toSynth = mask;
            toController = switches;
            for (int select = 100; select <= 103; ++select)
                toController.push_back(echo(select, select == cc ? 1 : 0));
            toController.push_back(echo(cc, 1));
            for (int row = 32; row <= 47; ++row)
                toController.push_back(echo(row, operatorRows[row - 32]));
            toController.push_back(echo(cc, 1));
        } else if (cc == 104 || cc == 105) { // undo and redo with nothing to do: the key goes out
            toController = {echo(cc, 0)};
        } else if (cc == 106) { // compare: A is the voice the editor started with, and lit
            toController = {echo(106, 1)};
        }
        EXPECT_EQ(synth, toSynth);
        EXPECT_EQ(controller, toController);
    }
}

} // namespace
