#include "bank_bytes.h"
#include "files/patch_bytes.h"
#include "library/voice_file_reader.h"
#include "support/message_bytes.h"

#include <gtest/gtest.h>

// One file's voices, whatever the file: the editor's own patch files, other synths' single
// voices, captures and banks, with where each stands, its format and its notes.

namespace {

using namespace MessageBytes;

Bytes patchFile(const Voice& voice) {
    const QByteArray bytes = SyxFiles::PatchFileBytes(voice);
    return Bytes(bytes.begin(), bytes.end());
}

TEST(VoiceFileReader, TheEditorsPatchFileIsOneVoiceWithoutNotes) {
    Voice voice;
    voice.SetName(QStringLiteral("My Bass   "));
    voice.Set(*VoiceParam::Single(20), 4);
    voice.Set(*VoiceParam::Mod(0, 3), 7);
    const FileVoices read = ReadVoices(patchFile(voice));
    ASSERT_EQ(read.voices.size(), 1u);
    EXPECT_EQ(read.voices[0].voice, voice);
    EXPECT_EQ(read.voices[0].position, 1);
    EXPECT_EQ(read.voices[0].format, SourceFormat::PatchFile);
    EXPECT_TRUE(read.voices[0].notes.isEmpty());
}

TEST(VoiceFileReader, SingleVoicesSayWhichMessagesTheyLack) {
    const FileVoices tx = ReadVoices(Join({AdditionalVoice(2), VoiceBlock(2)}));
    ASSERT_EQ(tx.voices.size(), 1u);
    EXPECT_EQ(tx.voices[0].format, SourceFormat::VoiceMessages);
    EXPECT_EQ(tx.voices[0].voice.Name(), QStringLiteral("TX Brass  "));
    EXPECT_EQ(tx.voices[0].voice.Op(3, OpField::Fix), 1);
    EXPECT_EQ(tx.voices[0].notes,
              QStringList(QStringLiteral("no effect or aftertouch message: its parameters keep "
                                         "their start values")));

    Bytes block = VoiceBlock(0, "Old DX100 ");
    block[6 + 39] = 50; // operator 1's attack: 0..31
    block[99] ^= 1;
    const FileVoices dx = ReadVoices(block);
    ASSERT_EQ(dx.voices.size(), 1u);
    EXPECT_EQ(dx.voices[0].voice.Op(0, OpField::AR), 31);
    EXPECT_EQ(dx.voices[0].notes,
              QStringList({QStringLiteral("no effect, aftertouch or additional voice message: its "
                                          "parameters keep their start values"),
                           QStringLiteral("the voice block message's checksum is wrong"),
                           QStringLiteral("1 value was out of range and set to its maximum")}));
}

TEST(VoiceFileReader, BanksAndMessagesGiveTheirVoicesInFileOrder) {
    const Bytes tx81z = BankBytes::BankMessage(BankBytes::BankData(true), 0x05);
    const Bytes older = BankBytes::BankMessage(BankBytes::BankData(false, 32));
    const FileVoices read =
        ReadVoices(Join({VoiceBlock(0, "Before    "), tx81z, older, VoiceBlock(0, "After     ")}));
    ASSERT_EQ(read.voices.size(), 66u);
    EXPECT_EQ(read.voices[0].voice.Name(), QStringLiteral("Before    "));
    for (int v = 0; v < 64; ++v) {
        const ImportedVoice& voice = read.voices[std::size_t(v + 1)];
        SCOPED_TRACE(v);
        EXPECT_EQ(voice.position, v + 2);
        EXPECT_EQ(voice.format, v < 32 ? SourceFormat::Tx81zBank : SourceFormat::OlderBank);
        EXPECT_EQ(voice.voice, BankBytes::Expected(v, v < 32));
        EXPECT_TRUE(voice.notes.isEmpty());
    }
    EXPECT_EQ(read.voices[65].voice.Name(), QStringLiteral("After     "));
    EXPECT_EQ(read.voices[65].position, 66);
}

TEST(VoiceFileReader, BankDataWithoutItsFrameAndABadChecksumAreNoted) {
    const FileVoices raw = ReadVoices(BankBytes::BankData(true));
    ASSERT_EQ(raw.voices.size(), 32u);
    EXPECT_EQ(raw.voices[31].voice, BankBytes::Expected(31, true));
    EXPECT_EQ(raw.voices[0].notes,
              QStringList(QStringLiteral("bank data without its SysEx frame")));

    Bytes bank = BankBytes::BankMessage(BankBytes::BankData(false));
    bank[4102] ^= 1;
    bank[6 + 48] |= 0x10; // the first voice's chorus
    const FileVoices bad = ReadVoices(bank);
    ASSERT_EQ(bad.voices.size(), 32u);
    EXPECT_EQ(bad.voices[0].notes,
              QStringList({QStringLiteral("the bank's checksum is wrong"),
                           QStringLiteral("its chorus, foot switches and pitch envelope (DX21) "
                                          "are not kept")}));
    EXPECT_EQ(bad.voices[1].notes, QStringList(QStringLiteral("the bank's checksum is wrong")));
}

TEST(VoiceFileReader, AFileWithoutAVoiceSaysWhatItIs) {
    EXPECT_EQ(ReadVoices(Join({MultiBlock(), Effect(0, 0, 0)})).problem,
              QStringLiteral("This file holds no TQ5 voice: it is a multi file, which the "
                             "Multipart page loads."));
    EXPECT_EQ(ReadVoices(AdditionalVoice(0)).problem,
              QStringLiteral("This file holds no whole TQ5 voice: none of its messages is a voice "
                             "block."));
    EXPECT_TRUE(ReadVoices(AdditionalVoice(0)).voices.empty());
    EXPECT_EQ(FormatNamed(FormatName(SourceFormat::Tx81zBank)), SourceFormat::Tx81zBank);
    EXPECT_FALSE(FormatNamed(QStringLiteral("DX7 bank")));
}

} // namespace
