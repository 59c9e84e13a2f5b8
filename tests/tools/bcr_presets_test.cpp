#include "support/full_disk.h"
#include "support/map_fixture.h"
#include "support/preset_files.h"
#include "support/program_run.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const Files[] = {"Marrowlink.SYX", "Marrowlink_Rev.SYX", "Marrowlink_Norm.SYX"};

ProgramRun bcrPresets(const QStringList& arguments) {
    return RunProgram(QStringLiteral(BCR_PRESETS), arguments);
}

// The files written afresh into the build tree.
QString regenerate(const QStringList& more = {}) {
    const QString folder = QStringLiteral(REGENERATED_PRESETS);
    EXPECT_TRUE(QDir().mkpath(folder));
    const ProgramRun run = bcrPresets(QStringList{QStringLiteral("--output"), folder} + more);
    EXPECT_EQ(run.exitCode, 0) << run.Err().toStdString();
    return folder;
}

// The lines of a preset file, read independently of the program: each message must be a BCL
// line to any BCR2000, numbered on from 0.
QStringList linesOf(const QByteArray& file) {
    QStringList lines;
    for (const Bytes& message : sysexMessages(file)) {
        const Bytes header{0xF0, 0x00, 0x20, 0x32, 0x7F, 0x15, 0x20};
        EXPECT_TRUE(std::equal(header.begin(), header.end(), message.begin()));
        EXPECT_EQ(message[7] << 7 | message[8], lines.size());
        lines << QString::fromLatin1(reinterpret_cast<const char*>(message.data()) + 9,
                                     qsizetype(message.size()) - 10);
    }
    return lines;
}

// Each element's .easypar arguments, by "encoder N" or "button N".
std::map<QString, QStringList> definitionsOf(const QStringList& lines) {
    std::map<QString, QStringList> definitions;
    QString element;
    for (const QString& line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        if (words[0] == QLatin1String("$encoder") || words[0] == QLatin1String("$button"))
            element = words[0].mid(1) + QLatin1Char(' ') + words[1];
        else if (words[0] == QLatin1String(".easypar"))
            definitions[element] = words.mid(1);
    }
    return definitions;
}

// What the editor accepts on a controller number: the largest value of any record the row can
// pick, 1 for the operator switches, and 0..1 for the commands whose value it ignores.
int acceptedMax(const ParameterMap& map, int cc) {
    if (cc == 107) // the morph, in per cent
        return 100;
    if (cc >= 96 && cc <= 99)
        return map.OpSwitch(cc - 96).Max;
    int max = -1;
    if (const TCC_Param* row = map.Row(cc))
        for (const TSyx_Param* record : row->Variant)
            if (record)
                max = std::max(max, record->Max);
    return max < 0 ? 1 : max;
}

TEST(BcrPresets, RegeneratesTheFilesKeptInTheRepository) {
    const QDir folder(regenerate());
    for (const char* name : Files) {
        const QByteArray written = readBytes(folder.filePath(QLatin1String(name)));
        EXPECT_EQ(written, readBytes(presetPath(name))) << name
                                                        << ": run the controller-presets "
                                                           "target and commit presets/";
        const auto messages = sysexMessages(written);
        ASSERT_FALSE(messages.empty()) << name;
        EXPECT_EQ(messages.front(), (Bytes{0xF0, 0x00, 0x20, 0x32, 0x7F, 0x15, 0x20, 0x00, 0x00,
                                           0x24, 0x72, 0x65, 0x76, 0x20, 0x52, 0x31, 0xF7}));
        const QStringList lines = linesOf(written);
        EXPECT_EQ(lines.back(), QStringLiteral("$end")) << name;
        EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QLatin1String("$store"))) << name;
    }
}

TEST(BcrPresets, EveryRowAndCommandIsOnOneElementWithTheRangeTheEditorAccepts) {
    MapFixture fixture;
    const QStringList lines = linesOf(readBytes(presetPath("Marrowlink.SYX")));
    EXPECT_LT(lines.indexOf(QStringLiteral(".init")), lines.indexOf(QStringLiteral("$encoder 1")));
    std::map<int, int> elementsOfCc;
    for (const auto& [element, easypar] : definitionsOf(lines)) {
        ASSERT_GE(easypar.size(), 6) << element.toStdString();
        const int cc = easypar[2].toInt();
        ++elementsOfCc[cc];
        const int max = acceptedMax(fixture.map, cc);
        EXPECT_EQ(easypar.mid(0, 2), (QStringList{QStringLiteral("CC"), QStringLiteral("1")}));
        const QString expected =
            element.startsWith(QLatin1String("encoder"))
                ? QStringLiteral("0 %1 absolute").arg(max)
                : QStringLiteral("%1 0 %2").arg(max).arg(max == 1 ? QStringLiteral("toggleon")
                                                                  : QStringLiteral("increment 1"));
        EXPECT_EQ(easypar.mid(3).join(QLatin1Char(' ')), expected) << element.toStdString();
    }
    std::map<int, int> everyOnce;
    for (int cc = 0; cc <= 48; ++cc)
        everyOnce[cc] = 1;
    for (int cc = 96; cc <= 107; ++cc)
        everyOnce[cc] = 1;
    EXPECT_EQ(elementsOfCc, everyOnce);
}

TEST(BcrPresets, UndoRedoCompareAndMorphElements) {
    const auto elements = definitionsOf(linesOf(readBytes(presetPath("Marrowlink.SYX"))));
    const auto easypar = [&](const char* element) {
        return elements.at(QString::fromLatin1(element)).join(QLatin1Char(' '));
    };
    EXPECT_EQ(easypar("button 2"), QStringLiteral("CC 1 104 1 0 toggleon"));
    EXPECT_EQ(easypar("button 3"), QStringLiteral("CC 1 105 1 0 toggleon"));
    EXPECT_EQ(easypar("button 4"), QStringLiteral("CC 1 106 1 0 toggleon"));
    EXPECT_EQ(easypar("encoder 9"), QStringLiteral("CC 1 107 0 100 absolute"));
    EXPECT_TRUE(
        linesOf(readBytes(presetPath("Marrowlink.SYX"))).contains(QStringLiteral(".egroups 2")));
}

TEST(BcrPresets, RevAndNormRedefineTheFourRateEncodersInOpposedDirections) {
    const auto main = definitionsOf(linesOf(readBytes(presetPath("Marrowlink.SYX"))));
    const auto reversed = definitionsOf(linesOf(readBytes(presetPath("Marrowlink_Rev.SYX"))));
    const auto normal = definitionsOf(linesOf(readBytes(presetPath("Marrowlink_Norm.SYX"))));
    ASSERT_EQ(reversed.size(), 4u);
    ASSERT_EQ(normal.size(), 4u);
    QStringList rows;
    for (const auto& [element, easypar] : reversed) {
        rows << easypar[2];
        ASSERT_EQ(main.count(element), 1u) << element.toStdString();
        EXPECT_EQ(main.at(element)[2], easypar[2]);
        EXPECT_EQ(easypar[3], main.at(element)[4]) << "counts down clockwise";
        EXPECT_EQ(easypar[4], QStringLiteral("0"));
        EXPECT_EQ(normal.at(element), main.at(element)) << "counts up clockwise";
    }
    EXPECT_EQ(rows.join(QLatin1Char(' ')), QStringLiteral("40 41 43 44"));
}

TEST(BcrPresets, StoresOnlyWhenAskedAndRefusesBadArguments) {
    const QDir folder(regenerate({QStringLiteral("--store"), QStringLiteral("7")}));
    for (const char* name : Files) {
        const QStringList lines = linesOf(readBytes(folder.filePath(QLatin1String(name))));
        EXPECT_EQ(lines.mid(lines.size() - 2),
                  (QStringList{QStringLiteral("$store 7"), QStringLiteral("$end")}));
    }
    regenerate(); // leaves the build tree's copies as the repository's

    ProgramRun run = bcrPresets({QStringLiteral("--store"), QStringLiteral("33")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(
        run.Err(),
        QStringLiteral("bcr-presets: --store takes a preset number from 1 to 32, not \"33\"\n"));
    run = bcrPresets({QStringLiteral("--output"), QStringLiteral("/nonexistent/presets")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.Err(), QStringLiteral("bcr-presets: no folder /nonexistent/presets\n"));

    run = bcrPresets({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* text : {"--output", "--store", "default: the current folder",
                             "default: do not store", "Marrowlink_Rev.SYX"})
        EXPECT_TRUE(run.Out().contains(QLatin1String(text))) << text;
}

// On a full disk the files written before stay as they were, and the failure ends the program.
TEST(BcrPresets, AFullDiskIsReportedAndKeepsTheOldFiles) {
    QTemporaryDir dir;
    const FullDisk disk(dir.path());
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Problem().toStdString();
    for (const char* name : Files) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    ASSERT_TRUE(disk.Fill());
    const ProgramRun run = bcrPresets({QStringLiteral("--output"), dir.path()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.Err().toStdString(),
              QStringLiteral("bcr-presets: cannot write %1: No space left on device\n")
                  .arg(dir.filePath(QStringLiteral("Marrowlink.SYX")))
                  .toStdString());
    for (const char* name : Files)
        EXPECT_EQ(readBytes(dir.filePath(QLatin1String(name))), "old") << name;
}

} // namespace
