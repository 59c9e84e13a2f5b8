#include "dump_messages.h"
#include "support/editor_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

struct EditPath : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override { f.startWithDevices(); }
};

TEST_F(EditPath, ControllerCcBecomesAParameterChangeAndIsShown) {
    f.cc(6, 64); // LFO speed
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 54, 64)});
    EXPECT_TRUE(f.toController().empty()); // the controller's own edit is not echoed
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 64);
    EXPECT_EQ(f.knob("Knob6").Position(), 64);
    EXPECT_EQ(f.caption("lVal6"), QStringLiteral("64"));
    EXPECT_EQ(f.caption("lCtrlMsg"), QStringLiteral("CC: B0, 06, 40"));
}

TEST_F(EditPath, AnyChannelIsAppliedAndTheChannelIsMaskedOff) {
    f.fromController({0xB5, 7, 10});
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 55, 10)});
    EXPECT_EQ(f.caption("lCtrlMsg"), QStringLiteral("CC: B0, 07, 0A"));
}

TEST_F(EditPath, SameValueTwiceIsSentOnce) {
    f.cc(30, 12);
    f.cc(30, 12);
    EXPECT_EQ(f.toSynth().size(), 1u);
}

TEST_F(EditPath, FirstZeroForAFreshRowDoesNothing) {
    f.cc(4, 0);
    EXPECT_TRUE(f.toSynth().empty());
}

TEST_F(EditPath, TooBigAValueWarnsOnceAndSendsTheMaximum) {
    f.cc(31, 127);
    f.cc(31, 127);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 57, 99)});
    ASSERT_EQ(f.prompts.shown.size(), 1);
    EXPECT_EQ(f.prompts.shown[0],
              QStringLiteral("warning: Value too big CC:31; Val:127: Max:99: Gp:18: Parm:57"));
}

TEST_F(EditPath, AFloodOfTooBigValuesOpensOneBoxAtATimeAndCountsTheRest) {
    // A controller sending 1 000 out-of-range values while the first box waits for its click.
    bool flooded = false;
    f.prompts.whileOpen = [&] {
        if (std::exchange(flooded, true))
            return;
        for (int i = 0; i < 1000; ++i)
            f.cc(31, 100 + i % 2);
    };
    f.cc(31, 127);
    EXPECT_EQ(f.prompts.shown,
              QStringList({QStringLiteral("warning: Value too big CC:31; Val:127: Max:99: Gp:18: "
                                          "Parm:57"),
                           QStringLiteral("warning: ... and 1000 more values were too big")}));
}

TEST_F(EditPath, WhereAWarningDoesNotWaitAtMostOneASecondIsSaidWithTheCount) {
    f.cc(31, 127);
    f.cc(31, 100);
    f.cc(31, 101);
    EXPECT_EQ(f.prompts.shown.size(), 1);
    QElapsedTimer waited;
    waited.start();
    while (f.prompts.shown.size() < 2 && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(f.prompts.shown.size(), 2);
    EXPECT_EQ(f.prompts.shown[1], QStringLiteral("warning: ... and 2 more values were too big"));
    f.clock.elapsed += 1000; // a second later a new value is said at once
    f.cc(31, 102);
    ASSERT_EQ(f.prompts.shown.size(), 3);
    EXPECT_EQ(f.prompts.shown[2],
              QStringLiteral("warning: Value too big CC:31; Val:102: Max:99: Gp:18: Parm:57"));
}

TEST_F(EditPath, NonControlChangesAreShownButNotApplied) {
    f.fromController({0x90, 60, 100});
    EXPECT_TRUE(f.toSynth().empty());
    EXPECT_EQ(f.caption("lCtrlMsg"), QStringLiteral("CC: 90, 3C, 64"));
}

TEST_F(EditPath, UnusedCcStopsTheDrainAndLeavesTheRestQueued) {
    // Both arrive before the editor looks; CC 60 ends that drain.
    f.midi.Inject(QStringLiteral("BCR"), {0xB0, 60, 1});
    f.midi.Inject(QStringLiteral("BCR"), {0xB0, 6, 33});
    f.settle();
    // The second event's own notice drains it.
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 54, 33)});
    EXPECT_EQ(e.LastControllerMessage(), (std::array<std::uint8_t, 3>{0xB0, 6, 33}));
}

TEST_F(EditPath, AnUnusedCcEndsTheDrainThatTookIt) {
    f.midi.Inject(QStringLiteral("BCR"), {0xB0, 60, 1});
    f.midi.Inject(QStringLiteral("BCR"), {0xB0, 6, 33});
    f.midi.WaitIdle();           // both queued before the editor looks
    e.tlmValMouseEnter(nullptr); // one drain, at once
    EXPECT_EQ(e.LastControllerMessage(), (std::array<std::uint8_t, 3>{0xB0, 60, 1}));
    EXPECT_NE(f.val(e.Map().SingleRecord(6)), 33);
    f.settle(); // the next notice takes the rest
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 33);
}

TEST_F(EditPath, ActiveSensingIsIgnored) {
    f.fromController({0xFE});
    EXPECT_EQ(f.caption("lCtrlMsg"), QString());
}

TEST_F(EditPath, Cc20AppliesTheRowAndAlwaysRequestsTheVoice) {
    f.cc(20, 3);
    const Messages expected{
        paramChange(0x24, 4, 3),
        {0xF0, 0x43, 0x20, 0x7E, 'L', 'M', ' ', ' ', '8', '0', '3', '6', 'E', 'F', 0xF7}};
    EXPECT_EQ(f.toSynth(), expected);
    EXPECT_TRUE(e.State().PatchRequestedByController);
    f.clearSent();
    f.cc(20, 3); // the row keeps its value, the request still goes out
    EXPECT_EQ(f.toSynth(), Messages{expected[1]});
}

TEST_F(EditPath, Cc48StepsTheGroupOnEveryEvent) {
    const int start = e.State().ModGroup;
    for (int i = 0; i < 4; ++i)
        f.cc(48, i % 2 ? 0 : 127);
    EXPECT_EQ(e.State().ModGroup, start);
    EXPECT_TRUE(f.toSynth().empty());
}

TEST_F(EditPath, ModulationRowFollowsTheGroup) {
    f.selectModGroup(2); // breath
    f.cc(0, 20);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 73, 20)});
    f.selectModGroup(3); // foot: no record for knob 0
    f.cc(0, 30);
    EXPECT_TRUE(f.toSynth().empty());
    EXPECT_EQ(e.RowLastValue(0), 30);
}

TEST_F(EditPath, OperatorRowsEditTheSelectedOperator) {
    f.cc(40, 20); // operator 1 attack
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 39, 20)});
    EXPECT_EQ(f.controls.Graph(QStringLiteral("gAdsr1")).values[0], 20);
}

TEST_F(EditPath, AlgorithmRowSetsThePicture) {
    f.cc(24, 5);
    EXPECT_EQ(f.controls.Picture(QStringLiteral("gAlgorithm")).state, 5);
}

TEST_F(EditPath, SwitchingTheSelectedOperatorOffIsRefused) {
    f.cc(101, 1); // select operator 2
    f.clearSent();
    f.cc(97, 0);
    EXPECT_EQ(f.toController(), Messages{echo(97, 1)});
    EXPECT_TRUE(f.toSynth().empty());
    EXPECT_EQ(f.val(e.Map().OpSwitch(1)), 1);
}

TEST_F(EditPath, SwitchingAnotherOperatorOffSendsTheMaskAndEchoesAllFour) {
    f.cc(97, 0);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 0x5D, 0x0B)});
    EXPECT_EQ(f.toController(), (Messages{echo(96, 1), echo(97, 0), echo(98, 1), echo(99, 1)}));
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp2")).caption, QStringLiteral("Op2-Off "));
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp2")).left, 22);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp1")).left, 31);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("pOp2")).color, Colours::Grey);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("pOp1")).color, Colours::Yellow);
}

TEST_F(EditPath, SelectingAnOperatorEchoesButSendsNoParameters) {
    f.cc(101, 1);
    f.cc(40, 17); // operator 2's attack
    f.cc(100, 1);
    f.clearSent();
    f.cc(101, 1);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 0x5D, 0x0F)});
    const Messages echoes = f.toController();
    Messages expected{echo(96, 1),  echo(97, 1),  echo(98, 1),  echo(99, 1), echo(100, 0),
                      echo(101, 1), echo(102, 0), echo(103, 0), echo(101, 1)};
    const TOp& op2 = e.Map().Op(1);
    for (int row = 32; row <= 47; ++row)
        expected.push_back(echo(row, f.val(*e.Map().Row(row)->Variant[1])));
    expected.push_back(echo(101, 1));
    EXPECT_EQ(echoes, expected);
    EXPECT_EQ(e.State().SelectedOp, 1);
    EXPECT_EQ(f.knob("Knob40").Position(), 17);
    EXPECT_EQ(f.val(op2.Field(OpField::AR)), 17);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp2Select")).color, Colours::Yellow);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp1Select")).color, Colours::White);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("pOp1")).color, Colours::Green);
}

TEST_F(EditPath, EveryOperatorsPanelFollowsItsValues) {
    // A voice the controller asked for leaves the selection alone; operator 2's new wave shows on
    // its panel at once, though operator 1 stays selected.
    f.cc(20, 1);
    f.fromSynth(DumpMessages([](DumpMessages::Source& m) {
                    m.set(m.map.Op(1).Field(OpField::Wave), 5);
                }).addVoice);
    ASSERT_EQ(f.val(e.Map().Op(1).Field(OpField::Wave)), 5);
    EXPECT_EQ(f.controls.Picture(QStringLiteral("gWave2")).state, 5);
    EXPECT_EQ(e.State().SelectedOp, 0);
    f.cc(101, 1);
    EXPECT_EQ(f.controls.Picture(QStringLiteral("gWave2")).state, 5);
}

// The operator panel's colours, by the table: on and selected, on, off.
TEST_F(EditPath, OperatorColoursFollowTheirTable) {
    f.cc(101, 1); // operator 2 selected
    f.cc(98, 0);  // operator 3 off
    const TColor yellow(255, 255, 0), white(255, 255, 255), silver(192, 192, 192), green(0, 128, 0),
        grey(128, 128, 128), black(0, 0, 0), teal(0, 128, 128), aqua(0, 255, 255), navy(0, 0, 128);
    struct Expected {
        int op;
        TColor select, panel, labelBackground, labelText, line, marker, gradient;
    };
    for (const Expected& x : {Expected{2, yellow, yellow, yellow, black, teal, yellow, yellow},
                              Expected{1, white, green, black, silver, teal, aqua, navy},
                              Expected{4, white, green, black, silver, teal, aqua, navy},
                              Expected{3, silver, grey, black, silver, grey, grey, silver}}) {
        SCOPED_TRACE(x.op);
        const QString n = QString::number(x.op);
        EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp%1Select").arg(n)).color, x.select);
        EXPECT_EQ(f.controls.Caption(QStringLiteral("pOp") + n).color, x.panel);
        EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp") + n).color, x.labelBackground);
        EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp") + n).fontColor, x.labelText);
        const HeadlessGraph& graph = f.controls.Graph(QStringLiteral("gAdsr") + n);
        EXPECT_EQ(graph.lineColor, x.line);
        EXPECT_EQ(graph.markerColor, x.marker);
        EXPECT_EQ(graph.gradientColor, x.gradient);
    }
}

TEST_F(EditPath, SelectingTheSelectedOperatorOnlyEchoesTheMaskAndItself) {
    f.cc(100, 1);
    EXPECT_EQ(f.toController(),
              (Messages{echo(96, 1), echo(97, 1), echo(98, 1), echo(99, 1), echo(100, 1)}));
}

TEST_F(EditPath, KeyboardGoesToTheSynthUnchanged) {
    f.fromKeyboard({0x93, 60, 100});
    f.fromKeyboard({0xFE});
    f.fromKeyboard({0xC2, 5});
    f.fromKeyboard({0xF0, 0x7E, 0x01, 0xF7});
    EXPECT_EQ(f.toSynth(), (Messages{{0x93, 60, 100}, {0xC2, 5}, {0xF0, 0x7E, 0x01, 0xF7}}));
}

TEST_F(EditPath, AnEmptySysexBufferFromTheKeyboardIsNotPassedOn) {
    f.fromKeyboard({}); // a driver's buffer of no bytes
    f.fromKeyboard({0x93, 60, 100});
    EXPECT_EQ(f.toSynth(), (Messages{{0x93, 60, 100}}));
    EXPECT_TRUE(f.prompts.shown.isEmpty());
}

TEST(EditPathWithoutDevices, NothingIsSentAndNothingComplains) {
    EditorFixture f;
    f.editor.StartUp();
    f.knob("Knob6").UserSetPosition(50);
    f.editor.lValClick(&f.controls.Caption(QStringLiteral("lVal97"))); // operator 2 off
    f.settle();
    EXPECT_TRUE(f.toSynth().empty());
    EXPECT_TRUE(f.toController().empty());
    EXPECT_EQ(f.val(f.editor.Map().SingleRecord(6)), 50);
    EXPECT_EQ(f.val(f.editor.Map().OpSwitch(1)), 0);
    EXPECT_TRUE(f.prompts.shown.isEmpty());
}

} // namespace
