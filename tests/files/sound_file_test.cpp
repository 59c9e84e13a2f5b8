#include "files/file_io.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QByteArray written(const SyxFiles::FileKind& kind) {
    Voice voice;
    voice.SetName(QStringLiteral("Bass"));
    const Multi multi;
    SynthData data;
    for (const SyxFiles::FileMessage& m : kind.messages) {
        if (m.layout->target == Layouts::Target::Voice)
            Layouts::WriteMessage(*m.layout, voice, data.*m.buffer);
        else
            Layouts::WriteMessage(*m.layout, multi, data.*m.buffer);
    }
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    EXPECT_TRUE(SyxFiles::WriteMessages(file, kind, data));
    return file.data();
}

// Each message runs from an F0 to an F7 at these offsets, nothing between them.
void expectFraming(const QByteArray& file, std::initializer_list<std::pair<int, int>> messages) {
    for (const auto& [first, last] : messages) {
        EXPECT_EQ(quint8(file[first]), 0xF0) << first;
        EXPECT_EQ(quint8(file[last]), 0xF7) << last;
    }
}

TEST(SoundFileLayout, PatchAndMultiFilesAreTheMessagesEndToEnd) {
    const QByteArray patch = written(SyxFiles::PatchFile);
    ASSERT_EQ(patch.size(), 191);
    expectFraming(patch, {{0, 40}, {41, 68}, {69, 89}, {90, 190}});
    EXPECT_EQ(patch.mid(90, 6), QByteArray("\xF0\x43\x00\x03\x00\x5D", 6));
    EXPECT_EQ(patch.mid(96 + 77, 10), QByteArray("Bass      "));

    const QByteArray multi = written(SyxFiles::MultiFile);
    ASSERT_EQ(multi.size(), 139);
    expectFraming(multi, {{0, 117}, {118, 138}});
}

TEST(SoundFileLayout, ALoadReadsByPositionAndDecodesInItsOwnOrder) {
    QBuffer whole;
    whole.setData(written(SyxFiles::PatchFile));
    whole.open(QIODevice::ReadOnly);
    SynthData data;
    const auto loaded = SyxFiles::ReadForLoad(whole, SyxFiles::PatchFile, data);
    ASSERT_EQ(loaded.size(), 4u);
    // Effect, aftertouch, additional voice, voice block.
    EXPECT_EQ(loaded[0].message->layout, &Layouts::VoiceEffect);
    EXPECT_EQ(loaded[1].message->layout, &Layouts::Aftertouch);
    EXPECT_EQ(loaded[2].message->layout, &Layouts::AddVoice);
    EXPECT_EQ(loaded[3].message->layout, &Layouts::VoiceBlock);
    EXPECT_EQ(loaded[3].count, 101);

    // A file of 100 bytes fills the first buffers in file order and leaves the voice block out.
    QBuffer shorter;
    shorter.setData(whole.data().left(100));
    shorter.open(QIODevice::ReadOnly);
    const auto partial = SyxFiles::ReadForLoad(shorter, SyxFiles::PatchFile, data);
    ASSERT_EQ(partial.size(), 4u);
    EXPECT_EQ(partial[2].count, 41);
    EXPECT_EQ(partial[3].count, 10); // bytes 90..99
    EXPECT_EQ(data.VoiceBlockBuf[0], 0xF0);
}

} // namespace
