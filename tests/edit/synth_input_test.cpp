#include "dump_messages.h"
#include "support/editor_fixture.h"
#include "synth/sysex_formats.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

const EditorFixture::Message VoiceRequest(Sysex::VoiceDumpRequest.begin(),
                                          Sysex::VoiceDumpRequest.end());
const EditorFixture::Message MultiRequest(Sysex::MultiDumpRequest.begin(),
                                          Sysex::MultiDumpRequest.end());

struct SynthInput : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override { f.startWithDevices(); }
};

TEST_F(SynthInput, ProgramChangeOnAnyChannelRequestsTheShownPagesDump) {
    f.fromSynth({0xFE});
    EXPECT_TRUE(f.toSynth().empty());
    f.fromSynth({0xCF, 3});
    EXPECT_EQ(f.toSynth(), Messages{VoiceRequest});
    f.clearSent();
    e.pcModeChange(Editor::Page::Multipart);
    f.clearSent();
    f.fromSynth({0xC0, 0});
    EXPECT_EQ(f.toSynth(), Messages{MultiRequest});
}

TEST_F(SynthInput, VoiceBlockFillsTheRecordsAndTheScreen) {
    const DumpMessages dump([](DumpMessages::Source& m) {
        m.set(m.map.Op(3).Field(OpField::AR), 12);
        m.set(m.map.Op(0).Field(OpField::Wave), 0);
        m.set(m.map.Op(0).Field(OpField::Out), 61);
        m.set(m.map.SingleRecord(24), 6);
        m.set(*m.map.Mod(2).Variant[3], 44);
    });
    f.fromSynth(dump.voiceBlock);
    EXPECT_EQ(f.val(e.Map().Op(3).Field(OpField::AR)), 12);
    EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::Out)), 61);
    EXPECT_EQ(f.val(*e.Map().Mod(2).Variant[3]), 44);
    EXPECT_EQ(f.controls.Picture(QStringLiteral("gAlgorithm")).state, 6);
    EXPECT_EQ(f.controls.Bar(QStringLiteral("pbOp1")).position, 61);
    EXPECT_EQ(f.controls.Graph(QStringLiteral("gAdsr4")).values[0], 12);
    EXPECT_EQ(f.controls.Edit(QStringLiteral("eName")).text, QStringLiteral("Test Voice"));
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: From Synth"));
    // No name changes go back while decoding; the refresh sends the operator mask and echoes.
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 0x5D, 0x0F)});
    // Every row that has a current record is echoed, in row order, before the refresh's echoes.
    Messages rows;
    for (int row = 0; row < 48; ++row)
        if (const TSyx_Param* r = e.Map().Row(row)->Current(0, e.State().ModGroup))
            rows.push_back(echo(row, f.val(*r)));
    const Messages echoes = f.toController();
    ASSERT_GE(echoes.size(), rows.size());
    EXPECT_EQ(Messages(echoes.begin(), echoes.begin() + std::ptrdiff_t(rows.size())), rows);
}

TEST_F(SynthInput, OnlyTheVoiceBlockNamesTheSource) {
    const DumpMessages dump;
    f.controls.Caption(QStringLiteral("lCurrentPatch")).caption = QStringLiteral("Current: Bass");
    f.fromSynth(dump.addVoice);
    f.fromSynth(dump.aftertouch);
    f.fromSynth(dump.voiceEffect);
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Bass"));
}

TEST_F(SynthInput, ForeignShortAndDamagedMessages) {
    DumpMessages dump([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(6), 70); });
    auto other = dump.voiceBlock;
    other[2] = 0x01;
    f.fromSynth(other);
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 0);
    auto shorter = dump.voiceBlock;
    shorter.resize(80); // too short for a voice block: stale bytes would be decoded
    f.fromSynth(shorter);
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 0);
    auto damaged = dump.voiceBlock;
    damaged[99] ^= 0x11; // a wrong checksum is still decoded
    f.fromSynth(damaged);
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 70);
}

TEST_F(SynthInput, OversizedMessageIsCutAtTheBuffer) {
    DumpMessages dump([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(7), 9); });
    auto huge = dump.voiceBlock;
    huge.back() = 0x11; // one SysEx: an F7 inside would end it there
    huge.resize(5000, 0x11);
    huge.back() = 0xF7;
    f.fromSynth(huge); // arrives as two port events; the first is the voice block
    EXPECT_EQ(f.val(e.Map().SingleRecord(7)), 9);
    EXPECT_EQ(e.Data().VoiceBlockBuf[199], 0x11);
}

TEST_F(SynthInput, OutOfRangeByteWarnsAndStoresTheMaximum) {
    DumpMessages dump;
    dump.voiceBlock[6] = 40; // operator 4 attack rate
    f.fromSynth(dump.voiceBlock);
    EXPECT_TRUE(f.prompts.shown.contains(
        QStringLiteral("warning: Value too big CC:40; Val:40: Max:31: Gp:18: Parm:0")));
    EXPECT_EQ(f.val(e.Map().Op(3).Field(OpField::AR)), 31);
}

TEST_F(SynthInput, AMessagesProblemsAreSaidInOneBoxOnceItIsDecoded) {
    DumpMessages dump;
    dump.voiceBlock[6] = 40;      // operator 4 attack rate, maximum 31
    dump.voiceBlock[6 + 52] = 12; // algorithm, maximum 7
    int attackWhileOpen = -1;
    f.prompts.whileOpen = [&] { attackWhileOpen = f.val(e.Map().Op(3).Field(OpField::AR)); };
    f.fromSynth(dump.voiceBlock);
    EXPECT_EQ(f.prompts.shown,
              QStringList{QStringLiteral("warning: Value too big CC:40; Val:40: Max:31: Gp:18: "
                                         "Parm:0\nValue too big CC:24; Val:12: Max:7: Gp:18: "
                                         "Parm:52")});
    EXPECT_EQ(attackWhileOpen, 31); // the whole message was decoded before the box
    EXPECT_EQ(f.val(e.Map().SingleRecord(24)), 7);
}

TEST_F(SynthInput, NameEndsAtAZeroByteAndKeepsBlanks) {
    DumpMessages dump;
    const std::uint8_t name[] = {0x41, 0x42, 0x00, 0x43};
    std::copy(std::begin(name), std::end(name), dump.voiceBlock.begin() + 83);
    f.fromSynth(dump.voiceBlock);
    EXPECT_EQ(f.controls.Edit(QStringLiteral("eName")).text, QStringLiteral("AB"));
    const DumpMessages blank({}, QStringLiteral("          "));
    f.fromSynth(blank.voiceBlock);
    EXPECT_EQ(f.controls.Edit(QStringLiteral("eName")).text, QString(10, QLatin1Char(' ')));
}

TEST_F(SynthInput, EffectMessageGoesToTheMultiOnTheMultipartPage) {
    const DumpMessages dump([](DumpMessages::Source& m) {
        m.set(m.map.SingleRecord(20), 4);
        m.set(m.map.SingleRecord(29), 50);
    });
    e.pcModeChange(Editor::Page::Multipart);
    f.fromSynth(dump.voiceEffect);
    EXPECT_EQ(f.val(e.Map().Multi().Field(MultiField::FxType)), 4);
    EXPECT_EQ(f.val(e.Map().Multi().Field(MultiField::FxTime)), 50);
    EXPECT_EQ(f.val(e.Map().SingleRecord(20)), 0);
    e.pcModeChange(Editor::Page::Patch);
    f.fromSynth(dump.voiceEffect);
    EXPECT_EQ(f.val(e.Map().SingleRecord(20)), 4);
}

TEST_F(SynthInput, AfterGetPatchEachMessageResetsTheOperators) {
    f.cc(101, 1);
    f.cc(98, 0); // operator 3 off
    f.clearSent();
    const DumpMessages dump;
    for (const auto* m : {&dump.voiceBlock, &dump.addVoice, &dump.aftertouch, &dump.voiceEffect}) {
        f.fromSynth(*m);
        EXPECT_EQ(e.State().SelectedOp, 0);
        EXPECT_EQ(f.val(e.Map().OpSwitch(2)), 1);
    }
    Messages masks;
    for (const auto& m : f.toSynth())
        if (m == paramChange(0x12, 0x5D, 0x0F))
            masks.push_back(m);
    EXPECT_EQ(masks.size(), 4u);
}

TEST_F(SynthInput, AfterCc20FourMessagesLeaveTheOperatorsAlone) {
    f.cc(101, 1); // operator 2 selected
    f.cc(98, 0);  // operator 3 off
    f.cc(20, 0);
    f.clearSent();
    const DumpMessages dump([](DumpMessages::Source& m) {
        m.set(m.map.Op(0).Field(OpField::Coarse), 11);
        m.set(m.map.Op(1).Field(OpField::Coarse), 22);
        m.set(*m.map.Mod(0).Variant[0], 5);
    });
    for (const auto* m : {&dump.voiceBlock, &dump.addVoice, &dump.aftertouch, &dump.voiceEffect}) {
        f.fromSynth(*m);
        EXPECT_EQ(e.State().SelectedOp, 1);
        EXPECT_EQ(f.val(e.Map().OpSwitch(2)), 0);
        // The shared knobs show the selected operator and the current group, not the last decoded.
        EXPECT_EQ(f.knob("Knob33").Position(), 22);
        EXPECT_EQ(f.caption("lVal33"), QStringLiteral("22"));
    }
    EXPECT_EQ(f.knob("Knob0").Position(), f.val(*e.Map().Mod(e.State().ModGroup).Variant[0]));
    EXPECT_TRUE(f.toSynth().empty()); // no mask
    EXPECT_FALSE(e.State().PatchRequestedByController);
    // The next voice resets again.
    f.fromSynth(dump.voiceEffect);
    EXPECT_EQ(e.State().SelectedOp, 0);
}

TEST_F(SynthInput, UnchangedValueDoesNotMoveTheKnob) {
    int notices = 0;
    f.knob("Knob6").OnChange = [&] { ++notices; };
    const DumpMessages dump;
    f.fromSynth(dump.voiceBlock);
    EXPECT_EQ(notices, 0);
}

TEST_F(SynthInput, DumpArrivingDuringAWarningWaitsForTheFirst) {
    DumpMessages first;
    first.voiceBlock[6] = 40; // warns
    const DumpMessages second([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(6), 33); });
    bool secondSeenInside = true;
    f.prompts.whileOpen = [&] {
        f.fromSynth(second.voiceBlock);
        secondSeenInside = f.val(e.Map().SingleRecord(6)) == 33;
    };
    f.fromSynth(first.voiceBlock);
    EXPECT_FALSE(secondSeenInside);
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 33); // decoded after the first
    EXPECT_EQ(f.val(e.Map().Op(3).Field(OpField::AR)),
              second.source.value(second.source.map.Op(3).Field(OpField::AR)));
}

TEST_F(SynthInput, RequestWhileDecodingIsDropped) {
    DumpMessages dump;
    dump.voiceBlock[6] = 40;
    f.prompts.whileOpen = [&] { e.bGetPatchClick(); };
    f.fromSynth(dump.voiceBlock);
    for (const auto& m : f.toSynth())
        EXPECT_NE(m, VoiceRequest);
}

} // namespace
