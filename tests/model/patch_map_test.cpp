#include "support/map_fixture.h"

#include <gtest/gtest.h>
#include <set>

namespace {

struct PatchMap : ::testing::Test {
    MapFixture f;
    ParameterMap& map = f.map;
    QString caption(const char* name) {
        return f.controls.Caption(QString::fromLatin1(name)).caption;
    }
};

TEST_F(PatchMap, SlotsHoldTheirKinds) {
    for (int s = 0; s < 48; ++s)
        EXPECT_TRUE(std::holds_alternative<std::unique_ptr<TCC_Param>>(map.At(s))) << s;
    for (int s = 48; s < 56; ++s)
        EXPECT_TRUE(std::holds_alternative<std::monostate>(map.At(s))) << s;
    for (int s = 56; s < 151; ++s)
        EXPECT_TRUE(std::holds_alternative<std::unique_ptr<TCC_mParam>>(map.At(s))) << s;
    for (int s = 151; s < 155; ++s)
        EXPECT_TRUE(std::holds_alternative<std::unique_ptr<TOp>>(map.At(s)));
    for (int s = 155; s < 159; ++s)
        EXPECT_TRUE(std::holds_alternative<std::unique_ptr<TMod>>(map.At(s)));
    for (int s = 159; s < 182; ++s)
        EXPECT_TRUE(std::holds_alternative<std::unique_ptr<TSyx_Param>>(map.At(s))) << s;
    EXPECT_TRUE(std::holds_alternative<std::unique_ptr<TMulti>>(map.At(182)));
    EXPECT_EQ(map.Row(48), nullptr);
    EXPECT_EQ(map.Row(56), nullptr);
    EXPECT_EQ(map.Row(-1), nullptr);
}

TEST_F(PatchMap, RandomiseRowIsEmptyAndModulationSlotsFollowTheGroups) {
    for (TSyx_Param* v : map.Row(21)->Variant)
        EXPECT_EQ(v, nullptr);
    for (int g = 0; g < 4; ++g)
        EXPECT_NE(map.Row(1)->Variant[g], nullptr);
    EXPECT_EQ(map.Row(0)->Variant[3], nullptr);
    EXPECT_EQ(map.Row(2)->Variant[1], nullptr);
    EXPECT_EQ(map.Row(3)->Variant[1], nullptr);
    EXPECT_EQ(map.Row(0)->Selector, TCC_Param::PerModGroup);
    EXPECT_EQ(map.Row(40)->Selector, TCC_Param::PerOperator);
    EXPECT_EQ(map.Row(4)->Selector, TCC_Param::Single);
}

TEST_F(PatchMap, EveryRecordReportsItsRow) {
    for (int n = 0; n < 48; ++n)
        for (TSyx_Param* v : map.Row(n)->Variant)
            if (v) {
                const QString text = ValueTooBigText(*v, v->Max + 1);
                EXPECT_TRUE(text.startsWith(QStringLiteral("Value too big CC:%1;").arg(n)))
                    << text.toStdString();
            }
    for (int op = 0; op < 4; ++op)
        EXPECT_EQ(map.OpSwitch(op).CC, 96 + op);
}

TEST_F(PatchMap, RecordAddresses) {
    EXPECT_EQ(map.Row(40)->Variant[2]->Gp, 0x12);
    EXPECT_EQ(map.Row(40)->Variant[2]->Para, 26);
    EXPECT_EQ(map.Row(39)->Variant[0]->Para, 49);
    EXPECT_EQ(map.Row(1)->Variant[0]->Gp, 0x13);
    EXPECT_EQ(map.Row(1)->Variant[0]->Para, 24);
    EXPECT_EQ(map.Row(8)->Variant[0], &map.Op(0).Field(OpField::AME));
    EXPECT_EQ(map.Row(19)->Variant[0], &map.Op(3).Field(OpField::Fix));
    EXPECT_EQ(map.Row(20)->Variant[0]->Gp, 0x24);
    EXPECT_EQ(map.Row(5)->Variant[0]->Tag, 0);
    EXPECT_EQ(map.Row(6)->Variant[0]->Tag, -1);
    EXPECT_EQ(map.Row(2)->Variant[3]->Tag, 13);
}

TEST_F(PatchMap, AllVoiceAddressesAreDistinct) {
    std::set<std::pair<int, int>> seen;
    int count = 0;
    for (int n = 0; n < 48; ++n)
        for (TSyx_Param* v : map.Row(n)->Variant)
            if (v) {
                seen.insert({v->Gp, v->Para});
                ++count;
            }
    EXPECT_EQ(count, 4 * 16 + 8 + 19 + 13);
    EXPECT_EQ(int(seen.size()), count);
}

TEST_F(PatchMap, ValueNamesOnTheControls) {
    SetLabel(f.prompts, *map.Row(20)->Variant[0], 10);
    EXPECT_EQ(caption("lVal20"), QStringLiteral("RvsGt"));
    TSyx_Param& transpose = *map.Row(25)->Variant[0];
    SetLabel(f.prompts, transpose, 24);
    EXPECT_EQ(caption("lVal25"), QStringLiteral("0"));
    SetLabel(f.prompts, transpose, 0);
    EXPECT_EQ(caption("lVal25"), QStringLiteral("-24"));
    EXPECT_EQ(f.controls.Knob(QStringLiteral("Knob25")).ValStrList().value(48),
              QStringLiteral("24"));
}

TEST_F(PatchMap, BiasNamesOnlyForTheAftertouchPitch) {
    SetLabel(f.prompts, *map.Row(2)->Variant[0], 50);
    EXPECT_EQ(caption("lVal2"), QStringLiteral("0"));
    SetLabel(f.prompts, *map.Row(2)->Variant[2], 50);
    EXPECT_EQ(caption("lVal2"), QStringLiteral("50"));
    EXPECT_EQ(f.controls.Knob(QStringLiteral("Knob2")).ValStrList().size(), 101);
}

TEST_F(PatchMap, ButtonsAndCaptionsAfterBuilding) {
    EXPECT_EQ(caption("lVal21"), QStringLiteral("Random"));
    EXPECT_EQ(caption("lVal101"), QStringLiteral("Op2"));
    EXPECT_EQ(caption("lModGroup"), QStringLiteral(" Ctrl: Aftertouch "));
    EXPECT_EQ(map.Mod(3).Caption, QStringLiteral(" Ctrl: Foot   "));
    EXPECT_EQ(map.Mod(1).TitleColor, Colours::Green);
    EXPECT_EQ(map.Mod(3).HeadingTextColor, Colours::Aqua);
}

TEST_F(PatchMap, SharedKnobsCarryTheirRecordsMaximum) {
    EXPECT_EQ(f.controls.Knob(QStringLiteral("Knob40")).Max(), 31);
    EXPECT_EQ(f.controls.Knob(QStringLiteral("Knob44")).Max(), 15);
    EXPECT_EQ(f.controls.Knob(QStringLiteral("Knob4")).Max(), 12);
    EXPECT_EQ(map.Op(2).Field(OpField::AR).Knob, &f.controls.Knob(QStringLiteral("Knob40")));
    EXPECT_EQ(map.Op(1).Field(OpField::AME).ValueButton,
              f.controls.FindCaption(QStringLiteral("lVal9")));
    EXPECT_EQ(map.Op(3).NameLabel, f.controls.FindCaption(QStringLiteral("lOp4")));
}

TEST_F(PatchMap, SharedListSurvivesItsUsers) {
    // Records pointing at a shared list never own it: destroying them leaves it whole.
    {
        TSyx_Param user(0x12, 62, 48);
        user.ValNames = &map.Lists.Transpose24Names;
    }
    EXPECT_EQ(map.Lists.Transpose24Names.size(), 49);
}

} // namespace
