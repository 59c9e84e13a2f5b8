#include "support/map_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(MultiMap, WithoutNamesFilesVoicesAreNumbered) {
    MapFixture f;
    EXPECT_EQ(f.controls.Knob(QStringLiteral("kPatch2")).ValStrList().value(0),
              QStringLiteral("ROM 1"));
    EXPECT_TRUE(f.prompts.shown.isEmpty());
}

TEST(MultiMap, NamesFileNamesTheVoicesAndWarnsBeyondItsEnd) {
    QTemporaryDir dir;
    QByteArray lines;
    for (int i = 0; i < 50; ++i)
        lines += "Voice " + QByteArray::number(i) + "\r\n";
    writeFile(dir.filePath(QStringLiteral("ROMNames.txt")), lines);
    MapFixture f{QDir(dir.path())};
    const TSyx_Param& patch = f.map.Multi().Part(1).Field(PartField::Patch);
    SetLabel(f.prompts, patch, 0);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lPatch1")).caption, QStringLiteral("Voice 0"));
    SetLabel(f.prompts, patch, 49);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lPatch1")).caption, QStringLiteral("Voice 49"));
    SetLabel(f.prompts, patch, 50);
    SetLabel(f.prompts, patch, 60);
    ASSERT_EQ(f.prompts.shown.size(), 2);
    EXPECT_EQ(
        f.prompts.shown[1],
        QStringLiteral("warning: SetLabel(val) Value to high for stringlist;Gp 16;Para 2;Val 60"));
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lPatch1")).caption, QStringLiteral("Voice 49"));
}

TEST(MultiMap, RowsAndChannelNames) {
    MapFixture f;
    TMulti& multi = f.map.Multi();
    EXPECT_EQ(f.map.MultiRow(0)->Param, &multi.Field(MultiField::MasterTune));
    EXPECT_EQ(f.map.MultiRow(7)->Param, &multi.Part(1).Field(PartField::Patch));
    EXPECT_EQ(f.map.MultiRow(11)->Param, &multi.Part(1).Field(PartField::MaxNotes));
    EXPECT_EQ(f.map.MultiRow(94)->Param, &multi.Part(8).Field(PartField::Volume));
    for (int n = 0; n < 95; ++n)
        EXPECT_EQ(f.map.MultiRow(n)->Index, n);
    EXPECT_EQ(f.map.MultiRow(95), nullptr);

    SetLabel(f.prompts, multi.Field(MultiField::RxChannel), 17);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lGlobalRxChan")).caption, QStringLiteral("Off"));
    EXPECT_EQ(f.controls.Knob(QStringLiteral("kRxChannel1")).Max(), 16);
    SetLabel(f.prompts, multi.Part(1).Field(PartField::RxChannel), 16);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lRxChannel1")).caption, QStringLiteral("Omni"));
}

TEST(MultiMap, TuneAndEffectNames) {
    MapFixture f;
    TMulti& multi = f.map.Multi();
    SetLabel(f.prompts, multi.Field(MultiField::MasterTune), 64);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lMasterTune")).caption, QStringLiteral("0"));
    SetLabel(f.prompts, multi.Field(MultiField::MasterTune), 127);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lMasterTune")).caption, QStringLiteral("63"));
    SetLabel(f.prompts, multi.Field(MultiField::FxType), 10);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("tlFxType")).caption, QStringLiteral("RvsGt"));
    SetLabel(f.prompts, multi.Part(2).Field(PartField::TopNote), 60);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lTopNote2")).caption, QStringLiteral("C3"));
    SetLabel(f.prompts, multi.Part(2).Field(PartField::OutAssign), 3);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("tlOutPort2")).caption, QStringLiteral("I && II"));
}

} // namespace
