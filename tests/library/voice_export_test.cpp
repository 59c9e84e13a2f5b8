#include "files/patch_bytes.h"
#include "library/voice_export.h"
#include "library/voice_file_reader.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Chosen voices written as patch files or as a bank, and read back as an importer would.

namespace {

// Names of ten characters, as the files keep them.
Voice named(const QString& name, int attack = 9) {
    Voice voice;
    voice.SetName(name.leftJustified(Voice::NameLength));
    voice.Set(VoiceParam::Op(2, OpField::AR), attack);
    return voice;
}

FileVoices readBack(const QString& path) {
    const QByteArray bytes = FileContents(path);
    return ReadVoices(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
}

TEST(VoiceExport, PatchFilesAreNamedAfterTheirVoicesAndNeverReplaceAFile) {
    QTemporaryDir dir;
    WriteFile(dir.filePath(QStringLiteral("Bass 1.SYX")), "someone else's");
    const std::vector<Voice> voices{named(QStringLiteral("Bass 1  ")),
                                    named(QStringLiteral("A/B:C")),
                                    named(QStringLiteral(".hidden")), named(QStringLiteral("  ")),
                                    named(QStringLiteral("Bass 1"), 20)};
    const ExportReport report = ExportPatchFiles(voices, dir.path());
    EXPECT_FALSE(report.error);
    EXPECT_TRUE(report.notes.isEmpty());
    const QStringList expected{"Bass 1 (2).SYX", "A_B_C.SYX", "_hidden.SYX", "Voice.SYX",
                               "Bass 1 (3).SYX"};
    ASSERT_EQ(report.written.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(report.written[i], dir.filePath(expected[i]));
        EXPECT_EQ(FileContents(report.written[i]),
                  SyxFiles::PatchFileBytes(voices[std::size_t(i)]));
    }
    EXPECT_EQ(FileContents(dir.filePath(QStringLiteral("Bass 1.SYX"))), "someone else's");
    EXPECT_EQ(readBack(report.written[4]).voices.front().voice, voices[4]);

    const ExportReport nowhere = ExportPatchFiles(voices, dir.filePath(QStringLiteral("no/such")));
    ASSERT_TRUE(nowhere.error);
    EXPECT_TRUE(nowhere.error->startsWith(QStringLiteral("Unable to save ")));
    EXPECT_TRUE(nowhere.written.isEmpty());
}

TEST(VoiceExport, ABankHoldsUpTo32VoicesAndSaysWhatItCannotHold) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Mine.SYX"));
    Voice effected = named(QStringLiteral("Hall Pad"));
    effected.Set(*VoiceParam::Single(20), 1);
    effected.Set(*VoiceParam::Mod(0, 2), 60);
    effected.Set(VoiceParam::OpSwitch(1), 0);
    const std::vector<Voice> voices{named(QStringLiteral("Plain")), effected};
    const ExportReport report = ExportBank(voices, path);
    EXPECT_FALSE(report.error);
    EXPECT_EQ(report.written, QStringList(path));
    EXPECT_EQ(report.notes,
              QStringList({QStringLiteral("Voice 2, \"Hall Pad\": the bank cannot hold its effect, "
                                          "its aftertouch settings or its operators switched off."),
                           QStringLiteral("Voices 3 to 32 of the bank are \"INIT VOICE\".")}));

    const FileVoices read = readBack(path);
    EXPECT_EQ(FileContents(path).size(), 4104);
    ASSERT_EQ(read.voices.size(), 32u);
    EXPECT_EQ(read.voices[0].format, SourceFormat::OlderBank);
    EXPECT_EQ(read.voices[0].voice, voices[0]);
    EXPECT_EQ(read.voices[1].voice.Op(2, OpField::AR), 9);
    EXPECT_EQ(read.voices[1].voice.Value(*VoiceParam::Single(20)), 0);
    EXPECT_EQ(read.voices[31].voice.Name(), QStringLiteral("INIT VOICE"));

    std::vector<Voice> many(31, named(QStringLiteral("x")));
    EXPECT_EQ(ExportBank(many, path).notes,
              QStringList(QStringLiteral("Voice 32 of the bank is \"INIT VOICE\".")));
    many.resize(33);
    const ExportReport tooMany = ExportBank(many, dir.filePath(QStringLiteral("Big.SYX")));
    EXPECT_EQ(tooMany.error, QStringLiteral("A bank holds 32 voices; 33 were chosen."));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("Big.SYX"))));
}

} // namespace
