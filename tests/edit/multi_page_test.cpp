#include "dump_messages.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

struct MultiPage : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    const TMulti& multi = e.Map().Multi();
    void SetUp() override {
        f.startWithDevices();
        f.showMultipartPage();
    }
    CaptionView* button(const QString& name) { return f.controls.FindCaption(name); }
    void click(const QString& name, bool backwards = false) {
        e.lValMouseDown(button(name), Editor::MouseButton::Left, backwards);
        e.lValMouseDown(button(name), Editor::MouseButton::Left, backwards);
        e.tlmValClick(button(name));
        f.settle();
    }
    // The synth sends a multi edited this way; what the editor sent until then is forgotten.
    void multiFromSynth(const std::function<void(DumpMessages::Source&, const TMulti&)>& edit) {
        f.fromSynth(
            DumpMessages([&](DumpMessages::Source& s) { edit(s, s.map.Multi()); }).multiBlock);
        f.clearSent();
    }
    void setMaxNotes(std::initializer_list<int> values) {
        multiFromSynth([&](DumpMessages::Source& s, const TMulti& m) {
            int part = 1;
            for (int v : values)
                s.set(m.Part(part++).Field(PartField::MaxNotes), v);
        });
    }
    int maxNotes(int part) { return f.val(multi.Part(part).Field(PartField::MaxNotes)); }
    static EditorFixture::Message noteLimit(int part, int value) {
        return paramChange(0x10, 12 * (part - 1), value);
    }
};

TEST_F(MultiPage, NoteLimitTakesFromTheHighestNumberedLargestPart) {
    setMaxNotes({2, 2, 2, 2, 0, 0, 0, 0});
    click(QStringLiteral("tlMaxNotes5"));
    EXPECT_EQ(maxNotes(5), 1);
    EXPECT_EQ(maxNotes(4), 1);
    EXPECT_EQ(f.toSynth(), (Messages{noteLimit(5, 1), noteLimit(4, 1), noteLimit(5, 1)}));
}

TEST_F(MultiPage, NoteLimitFromASinglePart) {
    setMaxNotes({8, 0, 0, 0, 0, 0, 0, 0});
    click(QStringLiteral("tlMaxNotes2"));
    EXPECT_EQ(maxNotes(1), 7);
    EXPECT_EQ(maxNotes(2), 1);
}

TEST_F(MultiPage, NoteLimitUndoesARaiseOfTheLargestPart) {
    setMaxNotes({4, 4, 0, 0, 0, 0, 0, 0});
    click(QStringLiteral("tlMaxNotes1"));
    EXPECT_EQ(maxNotes(1), 4);
    EXPECT_EQ(f.toSynth(), (Messages{noteLimit(1, 5), noteLimit(1, 4), noteLimit(1, 4)}));
}

TEST_F(MultiPage, NoteLimitRepeatsAfterABackwardsWrap) {
    setMaxNotes({0, 2, 2, 2, 2, 0, 0, 0});
    click(QStringLiteral("tlMaxNotes1"), true); // 0 wraps back to 8: total 16
    int total = 0;
    for (int p = 1; p <= 8; ++p)
        total += maxNotes(p);
    EXPECT_EQ(total, 8);
    EXPECT_EQ(f.toSynth().back(), noteLimit(1, maxNotes(1)));
}

TEST_F(MultiPage, BankButtonRelabelsTheVoiceAndSendsOnlyTheBank) {
    multiFromSynth([](DumpMessages::Source& s, const TMulti& m) {
        s.set(m.Part(3).Field(PartField::Patch), 7);
    });
    click(QStringLiteral("tlPatchBank3"));
    EXPECT_EQ(f.caption("tlPatchBank3"), QStringLiteral("User"));
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x10, 24 + 1, 1)});
    EXPECT_EQ(f.val(multi.Part(3).Field(PartField::Patch)), 7);
    EXPECT_EQ(f.caption("lPatch3"), QStringLiteral("7")); // no USERNames.txt: the number
    EXPECT_EQ(f.knob("kPatch3").ValStrList().value(7), QStringLiteral("User 8"));
}

TEST_F(MultiPage, MemoryLockWrapsAndSendsOnce) {
    multiFromSynth(
        [](DumpMessages::Source& s, const TMulti& m) { s.set(m.Field(MultiField::MemLock), 1); });
    click(QStringLiteral("tlMemLock"));
    EXPECT_EQ(f.caption("tlMemLock"), QStringLiteral("Off"));
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x24, 3, 0)});
}

TEST_F(MultiPage, RightClickStepsAMultiButtonBack) {
    e.lValMouseDown(button(QStringLiteral("tlOutPort6")), Editor::MouseButton::Right, false);
    e.lValMouseDown(button(QStringLiteral("tlOutPort6")), Editor::MouseButton::Right, false);
    f.settle();
    EXPECT_EQ(f.caption("tlOutPort6"), QStringLiteral("I && II"));
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x10, 60 + 9, 3)});
}

TEST_F(MultiPage, EffectTypeAsksForTheMultiAsTheControllerWould) {
    click(QStringLiteral("tlFxType"));
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], paramChange(0x24, 4, 1));
    EXPECT_EQ(sent[1][12], 'S');
    EXPECT_TRUE(e.State().PatchRequestedByController);
}

TEST_F(MultiPage, KnobsSendSevenBytesAndMasterTuneEight) {
    KnobValue& volume = f.knob("kVolume2");
    volume.UserSetPosition(80);
    KnobValue& tune = f.knob("kMasterTune");
    tune.UserSetPosition(64);
    tune.SetPosition(65); // unarmed: nothing
    f.settle();
    EXPECT_EQ(f.toSynth(), (Messages{paramChange(0x10, 12 + 8, 80),
                                     {0xF0, 0x43, 0x10, 0x10, 0x7B, 0x00, 0x40, 0xF7}}));
    EXPECT_TRUE(f.toController().empty());
}

TEST_F(MultiPage, HoverShowsValueLabelsButVoiceNamesStay) {
    e.MKnobMouseEnter(&f.knob("kVolume2"));
    EXPECT_TRUE(f.controls.Caption(QStringLiteral("lVolume2")).visible);
    e.MKnobMouseLeave(&f.knob("kVolume2"));
    EXPECT_FALSE(f.controls.Caption(QStringLiteral("lVolume2")).visible);
    e.MKnobMouseLeave(&f.knob("kPatch2"));
    EXPECT_TRUE(f.controls.Caption(QStringLiteral("lPatch2")).visible);
}

TEST_F(MultiPage, PageChangesSendTheModeMessages) {
    e.pcModeChange(Editor::Page::Multipart);
    e.pcModeChange(Editor::Page::MidiSetup);
    f.settle();
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 4u + 3u);
    EXPECT_EQ(sent[0], paramChange(0x24, 0x7A, 0));
    EXPECT_EQ(sent[1], paramChange(0x24, 0x78, 0x7F));
    EXPECT_EQ(sent[2], paramChange(0x24, 0x6D, 0x7F));
    EXPECT_EQ(sent[3][12], 'S');
    EXPECT_EQ(sent[4], paramChange(0x24, 0x7A, 0));
    EXPECT_EQ(sent[5], paramChange(0x24, 0x7A, 0x7F));
    EXPECT_EQ(sent[6][12], 'E');
    EXPECT_FALSE(e.State().MultiMode);
}

} // namespace
