#include "files/file_reading.h"
#include "files/patch_bytes.h"
#include "model/bcl_sysex.h"
#include "support/message_bytes.h"
#include "synth/message_decode.h"

#include <QByteArray>
#include <gtest/gtest.h>

// Files read by their messages, built here byte by byte from the published layouts: the single
// voices other synths of the family save, captures, other devices' files and the editor's own.

namespace {

using namespace MessageBytes;

Bytes patchFile(const Voice& voice) {
    const QByteArray bytes = SyxFiles::PatchFileBytes(voice);
    return Bytes(bytes.begin(), bytes.end());
}

std::vector<const Layouts::BulkLayout*> layouts(const SyxFiles::FileReading& reading) {
    std::vector<const Layouts::BulkLayout*> out;
    for (const SyxFiles::LoadMessage& m : reading.messages)
        out.push_back(m.message->layout);
    return out;
}

Voice loadInto(Voice voice, const SyxFiles::FileReading& reading) {
    for (const SyxFiles::LoadMessage& m : reading.messages)
        Layouts::Apply(Layouts::DecodeMessage(*m.message->layout, m.bytes), voice);
    return voice;
}

int single(const Voice& v, int row) {
    return v.Value(*VoiceParam::Single(row));
}

SyxFiles::FileReading readPatch(const Bytes& file) {
    return SyxFiles::ReadByMessages(file, SyxFiles::PatchFile);
}
SyxFiles::FileReading readMulti(const Bytes& file) {
    return SyxFiles::ReadByMessages(file, SyxFiles::MultiFile);
}

TEST(FileReading, ATx81zVoiceLoadsItsTwoMessagesAndLeavesTheRest) {
    const Bytes file = Join({AdditionalVoice(0x01), VoiceBlock(0x01)});
    const SyxFiles::FileReading reading = readPatch(file);
    EXPECT_FALSE(reading.refusal);
    EXPECT_FALSE(reading.ownLayout);
    EXPECT_EQ(reading.voiceCount, 1);
    ASSERT_EQ(layouts(reading), (std::vector{&Layouts::AddVoice, &Layouts::VoiceBlock}));
    EXPECT_EQ(reading.messages[0].offset, 0);
    EXPECT_EQ(reading.messages[1].offset, 41);
    // Sent as the synth's own (device 0): the checksum does not cover the device byte.
    EXPECT_EQ(reading.messages[1].bytes[2], 0x00);
    EXPECT_TRUE(std::equal(file.begin() + 44, file.end(), reading.messages[1].bytes.begin() + 3));

    Voice before;
    before.Set(*VoiceParam::Mod(0, 1), 42); // aftertouch: not in the file
    before.Set(*VoiceParam::Single(20), 3); // effect type: not in the file
    const Voice after = loadInto(before, reading);
    EXPECT_EQ(after.Name(), QStringLiteral("TX Brass  "));
    EXPECT_EQ(after.Op(3, OpField::AR), 3);
    EXPECT_EQ(after.Op(0, OpField::AR), 17);
    EXPECT_EQ(single(after, 24), 5);
    EXPECT_EQ(single(after, 26), 6);
    EXPECT_EQ(single(after, 25), 30);
    EXPECT_EQ(after.Op(3, OpField::Fix), 1);
    EXPECT_EQ(after.Op(3, OpField::FixRange), 4);
    EXPECT_EQ(after.Op(0, OpField::Wave), 6);
    EXPECT_EQ(single(after, 27), 3);
    EXPECT_EQ(after.Value(*VoiceParam::Mod(0, 1)), 42);
    EXPECT_EQ(single(after, 20), 3);
    EXPECT_TRUE(SyxFiles::LoadNotes(reading, QStringLiteral("TX.SYX")).isEmpty());
}

TEST(FileReading, ALoneVoiceBlockLoadsAsItself) {
    const SyxFiles::FileReading reading = readPatch(VoiceBlock(0x00, "DX100 Bass"));
    ASSERT_EQ(layouts(reading), (std::vector{&Layouts::VoiceBlock}));
    const Voice after = loadInto(Voice(), reading);
    EXPECT_EQ(after.Name(), QStringLiteral("DX100 Bass"));
    EXPECT_EQ(after.Op(0, OpField::AR), 17);
    EXPECT_EQ(after.Op(3, OpField::Fix), 0);
}

TEST(FileReading, TheEditorsOwnFilesAreReadByPositionAsAlways) {
    Voice voice;
    voice.SetName(QStringLiteral("Own       "));
    voice.Set(VoiceParam::Op(1, OpField::Out), 77);
    Bytes file = patchFile(voice);
    const SyxFiles::FileReading reading = readPatch(file);
    EXPECT_TRUE(reading.ownLayout);
    ASSERT_EQ(layouts(reading), (std::vector{&Layouts::VoiceEffect, &Layouts::Aftertouch,
                                             &Layouts::AddVoice, &Layouts::VoiceBlock}));
    EXPECT_EQ(reading.messages[0].offset, 69);
    EXPECT_EQ(reading.messages[3].offset, 90);
    EXPECT_EQ(reading.messages[3].bytes, Bytes(file.begin() + 90, file.end()));
    EXPECT_EQ(loadInto(Voice(), reading), voice);

    // A byte with its top bit set stays in place: decoded as the maximum, never sent.
    file[90 + 6 + 39] = 0x90;
    const SyxFiles::FileReading damaged = readPatch(file);
    EXPECT_TRUE(damaged.ownLayout);
    EXPECT_FALSE(damaged.messages[3].wellFormed);
    EXPECT_TRUE(damaged.messages[2].wellFormed);
    EXPECT_EQ(loadInto(Voice(), damaged).Op(0, OpField::AR), 31);
    EXPECT_EQ(SyxFiles::LoadNotes(damaged, QStringLiteral("Own.SYX")),
              QStringList(QStringLiteral("Own.SYX: the checksum of the voice block message (byte "
                                         "90) is wrong; it was loaded as it is.")));

    // The multi file: effect first although it is second in the file.
    Bytes multi = Join({MultiBlock(), Effect(1, 50, 99)});
    const SyxFiles::FileReading multiReading = readMulti(multi);
    EXPECT_TRUE(multiReading.ownLayout);
    EXPECT_EQ(layouts(multiReading), (std::vector{&Layouts::MultiEffect, &Layouts::MultiBlock}));
}

TEST(FileReading, MessagesAreFoundAmongOtherBytesInAnyOrder) {
    // A capture: a program change, the voice block, running bytes, the effect after it.
    const Bytes file = Join({{0xC0, 0x05}, VoiceBlock(0x0F), {0x90, 0x40, 0x7F}, Effect(2, 3, 4)});
    const SyxFiles::FileReading reading = readPatch(file);
    ASSERT_EQ(layouts(reading), (std::vector{&Layouts::VoiceEffect, &Layouts::VoiceBlock}));
    EXPECT_EQ(reading.messages[0].offset, 2 + 101 + 3);
    EXPECT_EQ(reading.voiceCount, 1);
    const Voice after = loadInto(Voice(), reading);
    EXPECT_EQ(single(after, 20), 2);
    EXPECT_EQ(single(after, 29), 3);

    // A device byte above 0x0F is another device's message.
    Bytes foreign = VoiceBlock(0x10);
    EXPECT_TRUE(readPatch(foreign).refusal);
}

TEST(FileReading, OfSeveralVoicesTheFirstIsLoadedAndTheRestNoted) {
    const Bytes file =
        Join({VoiceBlock(0, "First     "), AdditionalVoice(0), VoiceBlock(0, "Second    "),
              Aftertouch(), VoiceBlock(0, "Third     ")});
    const SyxFiles::FileReading reading = readPatch(file);
    EXPECT_EQ(reading.voiceCount, 3);
    ASSERT_EQ(layouts(reading), (std::vector{&Layouts::VoiceBlock}));
    EXPECT_EQ(loadInto(Voice(), reading).Name(), QStringLiteral("First     "));
    EXPECT_EQ(SyxFiles::LoadNotes(reading, QStringLiteral("Session.SYX")),
              QStringList(QStringLiteral("Session.SYX holds 3 voices: the first was loaded; the "
                                         "Library imports them all.")));

    // Of two messages of a kind before one voice block the later counts, as on the synth.
    const SyxFiles::FileReading twice =
        readPatch(Join({Effect(7, 7, 7), Effect(8, 8, 8), VoiceBlock(0)}));
    ASSERT_EQ(layouts(twice), (std::vector{&Layouts::VoiceEffect, &Layouts::VoiceBlock}));
    EXPECT_EQ(twice.messages[0].offset, 21);

    // The other messages of a voice saved after its voice block belong to it.
    const SyxFiles::FileReading after = readPatch(Join({VoiceBlock(0), AdditionalVoice(0)}));
    EXPECT_EQ(after.voiceCount, 1);
    EXPECT_EQ(layouts(after), (std::vector{&Layouts::AddVoice, &Layouts::VoiceBlock}));
}

TEST(FileReading, WrongChecksumsAreLoadedAndNotedOnceDamagedMessagesLeftOut) {
    Bytes block = VoiceBlock(0);
    block[99] ^= 0x01;
    Bytes added = AdditionalVoice(0);
    added[39] ^= 0x01;
    const Bytes whole = Aftertouch();
    const Bytes cut(whole.begin(), whole.begin() + 20);
    const Bytes file = Join({added, cut, block});
    const SyxFiles::FileReading reading = readPatch(file);
    ASSERT_EQ(layouts(reading), (std::vector{&Layouts::AddVoice, &Layouts::VoiceBlock}));
    EXPECT_FALSE(reading.messages[0].checksumOk);
    EXPECT_EQ(loadInto(Voice(), reading).Op(0, OpField::AR), 17);
    EXPECT_EQ(SyxFiles::LoadNotes(reading, QStringLiteral("Old.SYX")),
              QStringList({QStringLiteral("Old.SYX: the checksums of the additional voice message "
                                          "(byte 0) and the voice block message (byte 61) are "
                                          "wrong; they were loaded as they are."),
                           QStringLiteral("Old.SYX: the aftertouch message at byte 41 is cut short "
                                          "or damaged and not loaded.")}));
}

TEST(FileReading, EachPageTakesItsOwnKinds) {
    // A voice's effect and a multi's in one capture: the one right after the multi block is the
    // multi's.
    const Bytes capture = Join({Effect(1, 1, 1), VoiceBlock(0), MultiBlock(), Effect(9, 9, 9)});
    const SyxFiles::FileReading voice = readPatch(capture);
    ASSERT_EQ(layouts(voice), (std::vector{&Layouts::VoiceEffect, &Layouts::VoiceBlock}));
    EXPECT_EQ(voice.messages[0].offset, 0);
    const SyxFiles::FileReading multi = readMulti(capture);
    ASSERT_EQ(layouts(multi), (std::vector{&Layouts::MultiEffect, &Layouts::MultiBlock}));
    EXPECT_EQ(multi.messages[0].bytes[16], 9);

    // A lone effect message loads on either page.
    EXPECT_EQ(layouts(readPatch(Effect(4, 5, 6))), (std::vector{&Layouts::VoiceEffect}));
    EXPECT_EQ(layouts(readMulti(Effect(4, 5, 6))), (std::vector{&Layouts::MultiEffect}));
}

Bytes bankData(const char* name) {
    Bytes data(4096, 0);
    for (int voice = 0; voice < 32; ++voice)
        std::copy(name, name + 10, data.begin() + 128 * voice + 57);
    return data;
}

Bytes bankMessage() {
    return Frame({0xF0, 0x43, 0x02, 0x04, 0x20, 0x00}, bankData("INIT VOICE"));
}

Bytes bytesOf(const QByteArray& text) {
    return Bytes(text.begin(), text.end());
}

TEST(FileReading, AFileWithNothingToLoadIsRefusedSayingWhatItIs) {
    struct Case {
        Bytes file;
        bool patchPage;
        const char* text;
    };
    const Bytes patch = patchFile(Voice());
    const Bytes multi = Join({MultiBlock(), Effect(0, 0, 0)});
    const Bytes preset =
        bytesOf(Bcl::LineMessages({QStringLiteral("$rev R1"), QStringLiteral(".lock off")}));
    Bytes cutVoice = VoiceBlock(0);
    cutVoice.resize(60);
    const Bytes performance = Frame(TextHeader(0, 0x7E, "LM  8976PM"), Bytes(100, 0));
    const Bytes dx7 = Frame({0xF0, 0x43, 0x00, 0x09, 0x20, 0x00}, Bytes(4096, 0));
    const Case cases[] = {
        {preset, true, "This file holds no TQ5 voice: it looks like a BCR2000 preset."},
        {multi, true,
         "This file holds no TQ5 voice: it is a multi file, which the Multipart page "
         "loads."},
        {patch, false,
         "This file holds no TQ5 multi: it is a voice file, which the Patch page "
         "loads."},
        {bankMessage(), true,
         "This file holds no TQ5 voice: it is a bank of 32 voices, which the "
         "Library imports."},
        {Join({bankMessage(), bankMessage()}), false,
         "This file holds no TQ5 multi: it holds 2 banks of 32 voices, which the Library "
         "imports."},
        {bankData("Raw Data  "), true,
         "This file holds no TQ5 voice: it is a bank of 32 voices, "
         "which the Library imports."},
        {{}, true, "This file holds no TQ5 voice: it is empty."},
        {cutVoice, true,
         "This file holds no TQ5 voice: its voice block message at byte 0 is cut "
         "short or damaged."},
        {performance, true,
         "This file holds no TQ5 voice: it holds TX81Z performances, not "
         "voices."},
        {dx7, true, "This file holds no TQ5 voice: it holds DX7 voices, which have six operators."},
        {bytesOf("MThd\0\0\0\x06"), true,
         "This file holds no TQ5 voice: it looks like a standard "
         "MIDI file."},
        {{0xF0, 0x41, 0x10, 0x42, 0xF7},
         false,
         "This file holds no TQ5 multi: it holds SysEx "
         "messages for another device."},
        {bytesOf("Bass 1\nBass 2\n"), true,
         "This file holds no TQ5 voice: it is not a SysEx "
         "file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const SyxFiles::FileReading reading = c.patchPage ? readPatch(c.file) : readMulti(c.file);
        EXPECT_TRUE(reading.messages.empty());
        EXPECT_EQ(reading.refusal.value_or(QString()), QString::fromLatin1(c.text));
    }
    EXPECT_TRUE(readPatch(bankMessage()).bank);
    EXPECT_FALSE(readPatch(preset).bank);
}

TEST(MessageScan, BanksAreFoundFramedOrAsTheirDataAlone) {
    const Bytes framed = Join({{0x00}, bankMessage(), bankMessage()});
    const SyxScan::Scan scan = SyxScan::ScanBytes(framed);
    ASSERT_EQ(scan.banks.size(), 2u);
    EXPECT_EQ(scan.banks[0].offset, 1);
    EXPECT_EQ(scan.banks[1].offset, 1 + 4104);
    EXPECT_TRUE(scan.banks[0].framed);
    EXPECT_TRUE(scan.banks[0].checksumOk);
    EXPECT_EQ(scan.banks[1].Data(framed)[57], 'I');

    const Bytes data = Join({bankData("Raw Data  "), bankData("Raw Data 2")});
    const SyxScan::Scan raw = SyxScan::ScanBytes(data);
    ASSERT_EQ(raw.banks.size(), 2u);
    EXPECT_FALSE(raw.banks[1].framed);
    EXPECT_EQ(raw.banks[1].offset, 4096);

    // Other files of that size are not banks: a name that is not text, or a byte above 0x7F.
    Bytes unnamed = bankData("Raw Data  ");
    unnamed[128 * 31 + 60] = 0x05;
    EXPECT_TRUE(SyxScan::ScanBytes(unnamed).banks.empty());
    Bytes eightBit = bankData("Raw Data  ");
    eightBit[0] = 0x80;
    EXPECT_TRUE(SyxScan::ScanBytes(eightBit).banks.empty());
}

TEST(MessageScan, AMessageInsideADamagedOneIsFound) {
    // A voice block cut off by an effect message: the effect is found, the block is damaged.
    Bytes block = VoiceBlock(0);
    block.resize(50);
    const SyxScan::Scan scan = SyxScan::ScanBytes(Join({block, Effect(1, 2, 3)}));
    ASSERT_EQ(scan.messages.size(), 1u);
    EXPECT_EQ(scan.messages[0].kind, Sysex::Kind::Effect);
    EXPECT_EQ(scan.messages[0].offset, 50);
    ASSERT_EQ(scan.damaged.size(), 1u);
    EXPECT_EQ(scan.damaged[0].what, QStringLiteral("voice block message"));
}

} // namespace
