#include "model/multi.h"
#include "model/voice.h"
#include "model/voice_morph.h"
#include "support/map_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(VoiceValue, StartsAtTheRecordsStartValues) {
    const Voice voice;
    EXPECT_EQ(voice.Op(0, OpField::AR), 5);
    EXPECT_EQ(voice.Op(3, OpField::Out), 90);
    EXPECT_EQ(voice.Op(2, OpField::Coarse), 4);
    EXPECT_EQ(voice.Op(1, OpField::D1L), 15);
    EXPECT_EQ(voice.Value(*VoiceParam::Single(24)), 0);
    EXPECT_EQ(voice.OperatorMask(), 0x0F);
    EXPECT_EQ(voice.Name(), QStringLiteral("Patch Name"));
}

TEST(VoiceValue, ValuesStayInRangeAndTheNameAtTenCharacters) {
    Voice voice;
    voice.Set(VoiceParam::Op(0, OpField::AR), 40);
    EXPECT_EQ(voice.Op(0, OpField::AR), 31);
    voice.Set(*VoiceParam::Mod(0, 2), -3);
    EXPECT_EQ(voice.Value(*VoiceParam::Mod(0, 2)), 0);
    voice.SetName(QStringLiteral("Twelve chars"));
    EXPECT_EQ(voice.Name(), QStringLiteral("Twelve cha"));
    voice.Set(VoiceParam::OpSwitch(1), 0);
    EXPECT_EQ(voice.OperatorMask(), 0x0B);
}

TEST(VoiceValue, TheFingerprintIsTheSoundNotTheName) {
    Voice a;
    Voice b = a;
    b.SetName(QStringLiteral("Other"));
    EXPECT_NE(a, b);
    EXPECT_TRUE(a.SameSound(b));
    EXPECT_EQ(a.Fingerprint(), b.Fingerprint());
    b.Set(VoiceParam::Op(2, OpField::Wave), 3);
    EXPECT_FALSE(a.SameSound(b));
    EXPECT_NE(a.Fingerprint(), b.Fingerprint());
}

// The parameter tables and the map's records are two readings of one set of facts.
TEST(VoiceParams, AgreeWithTheRecordsOfTheMap) {
    MapFixture f;
    int count = 0;
    for (VoiceParam param : AllVoiceParams()) {
        const ParamInfo& spec = InfoOf(param);
        const TSyx_Param& record = f.map.Record(param);
        EXPECT_EQ(spec.group, record.Gp) << param.Index();
        EXPECT_EQ(spec.para, record.Para) << param.Index();
        EXPECT_EQ(spec.max, record.Max) << param.Index();
        EXPECT_EQ(spec.row, record.CC) << param.Index();
        EXPECT_EQ(record.Index, param.Index());
        ++count;
    }
    EXPECT_EQ(count, 108);
    for (int row = 0; row < MultiRowCount; ++row) {
        const MultiParamInfo& spec = InfoOf(MultiParam::FromRow(row));
        const TSyx_Param& record = *f.map.MultiRow(row)->Param;
        EXPECT_EQ(spec.group, record.Gp) << row;
        EXPECT_EQ(spec.para, record.Para) << row;
        EXPECT_EQ(spec.max, record.Max) << row;
        EXPECT_EQ(record.Index, row);
    }
}

TEST(VoiceParams, RowsLeadToTheirVariants) {
    EXPECT_EQ(RowParam(40, 2), VoiceParam::Op(2, OpField::AR));
    EXPECT_EQ(RowParam(9, 0), VoiceParam::Op(1, OpField::AME));
    EXPECT_EQ(RowParam(17, 0), VoiceParam::Op(1, OpField::Fix));
    EXPECT_EQ(RowParam(0, 3), std::nullopt); // no foot LFO pitch
    EXPECT_EQ(RowParam(2, 1), std::nullopt); // no mod wheel pitch
    EXPECT_EQ(RowParam(21, 0), std::nullopt);
    EXPECT_EQ(RowParam(24, 1), std::nullopt);
    EXPECT_EQ(InfoOf(VoiceParam::Op(0, OpField::AR)).para, 39);
    EXPECT_EQ(InfoOf(*VoiceParam::Mod(0, 1)).para, 24);
    EXPECT_EQ(MultiParam::Part(3, PartField::Volume).Row(), 7 + 22 + 10);
    EXPECT_EQ(InfoOf(MultiParam::Part(3, PartField::Volume)).para, 32);
    EXPECT_EQ(MultiParam::Part(8, PartField::MaxNotes).PartNumber(), 8);
    EXPECT_EQ(MultiParam::Part(8, PartField::MaxNotes).Field(), PartField::MaxNotes);
}

TEST(VoiceMorph, RangesMoveAndChoicesSwitchAtHalfWay) {
    Voice a;
    Voice b;
    a.Set(VoiceParam::Op(0, OpField::Out), 20);
    b.Set(VoiceParam::Op(0, OpField::Out), 81);
    a.Set(*VoiceParam::Single(24), 1); // algorithm
    b.Set(*VoiceParam::Single(24), 6);
    a.Set(VoiceParam::Op(2, OpField::Wave), 0);
    b.Set(VoiceParam::Op(2, OpField::Wave), 5);
    a.Set(*VoiceParam::Single(25), 10); // transpose: a range, although shown as -24..24
    b.Set(*VoiceParam::Single(25), 30);
    a.SetName(QStringLiteral("From"));
    b.SetName(QStringLiteral("To"));
    EXPECT_EQ(MorphVoice(a, b, 0).Op(0, OpField::Out), 20);
    EXPECT_EQ(MorphVoice(a, b, 25).Op(0, OpField::Out), 35); // 20 + 61 / 4 = 35.25
    EXPECT_EQ(MorphVoice(a, b, 100), b);
    EXPECT_EQ(MorphVoice(a, b, 49).Value(*VoiceParam::Single(24)), 1);
    EXPECT_EQ(MorphVoice(a, b, 50).Value(*VoiceParam::Single(24)), 6);
    EXPECT_EQ(MorphVoice(a, b, 49).Op(2, OpField::Wave), 0);
    EXPECT_EQ(MorphVoice(a, b, 50).Op(2, OpField::Wave), 5);
    EXPECT_EQ(MorphVoice(a, b, 50).Value(*VoiceParam::Single(25)), 20);
    EXPECT_EQ(MorphVoice(a, b, 10).Name(), QStringLiteral("To"));
    for (VoiceParam p : {VoiceParam::Op(1, OpField::Fix), *VoiceParam::Single(20),
                         *VoiceParam::Single(12), *VoiceParam::Single(14), VoiceParam::OpSwitch(3)})
        EXPECT_TRUE(IsChoice(p)) << p.Index();
    EXPECT_FALSE(IsChoice(VoiceParam::Op(1, OpField::Coarse)));
}

} // namespace
