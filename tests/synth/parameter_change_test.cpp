#include "model/voice.h"
#include "support/map_fixture.h"
#include "synth/parameter_change.h"

#include <gtest/gtest.h>

namespace {

using ParameterChange::Message7;

Message7 changeOf(const TSyx_Param& r, int value = -1) {
    return ParameterChange::Change(
        0, r.Gp, r.Para, value >= 0 ? value : Voice().Value(VoiceParam::FromIndex(r.Index)));
}

TEST(ParameterChanges, RecordsMapToTheirMessages) {
    MapFixture f;
    EXPECT_EQ(changeOf(f.map.Op(0).Field(OpField::AR)),
              (Message7{0xF0, 0x43, 0x10, 0x12, 39, 5, 0xF7}));
    EXPECT_EQ(changeOf(f.map.Op(3).Field(OpField::AR))[4], 0);
    EXPECT_EQ(changeOf(f.map.Op(1).Field(OpField::Fix)),
              (Message7{0xF0, 0x43, 0x10, 0x13, 5, 0, 0xF7}));
    EXPECT_EQ(changeOf(*f.map.Row(1)->Variant[0])[3], 0x13);
    EXPECT_EQ(changeOf(*f.map.Row(1)->Variant[0])[4], 24);
    EXPECT_EQ(changeOf(f.map.Multi().Part(3).Field(PartField::Volume), 0)[4], 32);
    const TSyx_Param& rx = f.map.Multi().Field(MultiField::RxChannel);
    EXPECT_EQ(changeOf(rx, 3), (Message7{0xF0, 0x43, 0x10, 0x24, 0x01, 0x03, 0xF7}));
}

TEST(ParameterChanges, MasterTuneHasEightBytes) {
    EXPECT_EQ(ParameterChange::MasterTune(0, 64),
              (ParameterChange::Message8{0xF0, 0x43, 0x10, 0x10, 0x7B, 0x00, 0x40, 0xF7}));
}

TEST(ParameterChanges, OperatorMask) {
    EXPECT_EQ(ParameterChange::OperatorMask(0, 0x0B),
              (Message7{0xF0, 0x43, 0x10, 0x12, 0x5D, 0x0B, 0xF7}));
}

TEST(ParameterChanges, NameIsTenPaddedChanges) {
    const auto messages = ParameterChange::Name(0, QStringLiteral("Bass"));
    const char expected[] = "Bass      ";
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(messages[c][4], 77 + c);
        EXPECT_EQ(messages[c][5], std::uint8_t(expected[c]));
        EXPECT_EQ(messages[c][3], 0x12);
    }
}

TEST(ParameterChanges, NameCharactersAboveSevenBitsBecomeQuestionMarks) {
    const auto messages = ParameterChange::Name(0, QString::fromUtf8("Café €uro!!x"));
    EXPECT_EQ(messages[3][5], '?');
    EXPECT_EQ(messages[5][5], '?');
    EXPECT_EQ(messages[9][5], '!'); // only the first ten characters
    for (const auto& m : messages)
        EXPECT_LT(m[5], 0x80);
}

} // namespace
