#include "dump_messages.h"
#include "support/editor_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

struct Undo : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override { f.startWithDevices(); }
    void pause(qint64 ms) { f.clock.elapsed += ms; }
};

TEST_F(Undo, ATurnIsOneStepAndItsUndoSendsTheOneChangeBack) {
    f.cc(26, 3); // feedback, turned on the controller
    pause(400);
    f.cc(26, 5);
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Feedback 0 -> 5"));
    f.clearSent();
    e.Undo();
    f.settle();
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 53, 0)});
    EXPECT_EQ(f.toController(), Messages{echo(26, 0)});
    EXPECT_EQ(f.knob("Knob26").Position(), 0);
    EXPECT_FALSE(e.History().CanUndo());

    f.clearSent();
    e.Redo();
    f.settle();
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 53, 5)});
    EXPECT_EQ(f.toController(), Messages{echo(26, 5)});
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Feedback 0 -> 5"));
    EXPECT_FALSE(e.History().CanRedo());
}

TEST_F(Undo, APauseOrAnotherParameterStartsAStep) {
    f.cc(26, 3);
    pause(1500);
    f.cc(26, 5);
    f.knob("Knob6").UserSetPosition(40); // another parameter, from the screen
    f.clearSent();
    e.Undo();
    e.Undo();
    f.settle();
    EXPECT_EQ(f.toSynth(), (Messages{paramChange(0x12, 54, 0), paramChange(0x12, 53, 3)}));
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Feedback 0 -> 3"));
    EXPECT_EQ(e.History().RedoText(), QStringLiteral("Feedback 3 -> 5"));
}

TEST_F(Undo, TheOperatorsOwnValuesAndTheirNames) {
    f.cc(101, 1);
    f.cc(33, 7); // operator 2's coarse
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Op 2 Coarse 4 -> 7"));
    f.cc(100, 1); // operator 1 shown: undo still puts operator 2's value back
    f.clearSent();
    e.Undo();
    f.settle();
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 13 + 11, 4)});
    EXPECT_TRUE(f.toController().empty()); // operator 1's ring shows nothing that changed
    EXPECT_EQ(f.val(e.Map().Op(1).Field(OpField::Coarse)), 4);
}

TEST_F(Undo, ARandomiseComesBackWholeInOneStep) {
    const Voice before = e.CurrentVoice();
    e.sbRandChange(100);
    f.random.highestWhenEmpty = true;
    e.lRandomClick();
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Randomise"));
    f.clearSent();
    e.Undo();
    f.settle();
    // More than 27 values changed: the whole voice is fewer bytes than the single changes.
    EXPECT_EQ(f.toSynth(), wholeVoice(before));
    EXPECT_EQ(e.CurrentVoice(), before);
    f.clearSent();
    e.Redo();
    EXPECT_EQ(f.toSynth().size(), 4u);
}

TEST_F(Undo, TheNameIsOneStepForOnePass) {
    HeadlessEdit& name = f.controls.Edit(QStringLiteral("eName"));
    name.Type(QStringLiteral("B"));
    pause(800);
    name.Type(QStringLiteral("Ba"));
    pause(800);
    name.Type(QStringLiteral("Bass"));
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Name \"Patch Name\" -> \"Bass\""));
    f.clearSent();
    e.Undo();
    f.settle();
    Messages names;
    for (int c = 0; c < 10; ++c)
        names.push_back(paramChange(0x12, 77 + c, QByteArray("Patch Name")[c]));
    EXPECT_EQ(f.toSynth(), names);
    EXPECT_EQ(name.text, QStringLiteral("Patch Name"));
}

TEST_F(Undo, AFetchAndALoadAreOneStepEach) {
    const DumpMessages fetched([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(6), 44); });
    for (const auto* m :
         {&fetched.voiceBlock, &fetched.addVoice, &fetched.aftertouch, &fetched.voiceEffect})
        f.fromSynth(*m);
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Voice received from the TQ5"));

    const DumpMessages filed([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(6), 9); },
                             QStringLiteral("Filed"));
    QFile file(f.folderFile(QStringLiteral("Filed.SYX")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (const auto* m :
         {&filed.addVoice, &filed.aftertouch, &filed.voiceEffect, &filed.voiceBlock})
        file.write(reinterpret_cast<const char*>(m->data()), qint64(m->size()));
    file.close();
    f.files.answers.push_back(file.fileName());
    e.bLoadPatchClick();
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Load Filed"));
    e.Undo();
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 44);
    EXPECT_EQ(e.CurrentVoice().Name(), QStringLiteral("Test Voice"));
    e.Undo();
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 0);
    EXPECT_FALSE(e.History().CanUndo());
}

TEST_F(Undo, TheControllersKeysUndoAndRedoAndGoOutAgain) {
    f.cc(26, 5);
    f.clearSent();
    f.cc(104, 1);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 53, 0)});
    EXPECT_EQ(f.toController(), (Messages{echo(26, 0), echo(104, 0)}));
    f.clearSent();
    f.cc(105, 0);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 53, 5)});
    EXPECT_EQ(f.toController(), (Messages{echo(26, 5), echo(105, 0)}));
}

TEST_F(Undo, TheMultiHasAHistoryOfItsOwn) {
    f.showMultipartPage();
    f.knob("kVolume3").UserSetPosition(77);
    f.cc(26, 5); // a voice edit meanwhile
    EXPECT_EQ(e.MultiUndoHistory().UndoText(), QStringLiteral("Part 3 Volume 0 -> 77"));
    f.clearSent();
    e.UndoMulti();
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x10, 24 + 8, 0)});
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Feedback 0 -> 5"));
}

} // namespace
