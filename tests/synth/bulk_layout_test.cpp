#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using namespace Layouts;

const BulkLayout* const AllLayouts[] = {&VoiceBlock,  &AddVoice,    &Aftertouch,
                                        &VoiceEffect, &MultiEffect, &MultiBlock};

struct BulkLayouts : ::testing::Test {
    Voice voice;
    Multi multi;
    DataBuffer buffer{200};

    void write(const BulkLayout& layout) {
        if (layout.target == Target::Voice)
            WriteMessage(layout, voice, buffer);
        else
            WriteMessage(layout, multi, buffer);
    }
    std::vector<MessageByte> read(const BulkLayout& layout) {
        return ReadBytes(layout, {buffer.Data(), std::size_t(buffer.Capacity())});
    }
};

TEST_F(BulkLayouts, VoiceBlockFromStartValues) {
    write(VoiceBlock);
    ASSERT_EQ(buffer.Length, 101);
    const std::uint8_t header[] = {0xF0, 0x43, 0x00, 0x03, 0x00, 0x5D};
    EXPECT_TRUE(std::equal(std::begin(header), std::end(header), buffer.Data()));
    EXPECT_EQ(buffer[6], 5);   // operator 4 attack rate
    EXPECT_EQ(buffer[16], 90); // operator 4 output level
    EXPECT_EQ(buffer[6 + 39], 5);
    for (int i : {74, 75, 76, 93, 94, 95, 96, 97, 98})
        EXPECT_EQ(buffer[i], 0) << i;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.Data()) + 83, 10), "Patch Name");
    EXPECT_EQ(buffer[99], Sysex::SysexChecksum(buffer.Data() + 6, 93));
    EXPECT_EQ(buffer[100], 0xF7);
}

TEST_F(BulkLayouts, UnmappedBytesAreZeroedWhateverTheBufferHeld) {
    std::fill(buffer.Data(), buffer.Data() + buffer.Capacity(), 0x55);
    write(VoiceBlock);
    for (int i : {74, 75, 76, 93, 94, 95, 96, 97, 98})
        EXPECT_EQ(buffer[i], 0) << i;
    std::fill(buffer.Data(), buffer.Data() + buffer.Capacity(), 0x55);
    write(Aftertouch);
    for (int i = 20; i <= 25; ++i)
        EXPECT_EQ(buffer[i], 0) << i;
}

TEST_F(BulkLayouts, MultiKeepsEachPartsLastByte) {
    std::fill(buffer.Data(), buffer.Data() + buffer.Capacity(), 0);
    buffer[16 + 4 + 11] = 0x33; // part 1, byte 11
    write(MultiBlock);
    EXPECT_EQ(buffer.Length, 118);
    EXPECT_EQ(buffer[31], 0x33);
    buffer[31] = 0;
    write(MultiBlock);
    EXPECT_EQ(buffer[116], 0x63); // all zero
}

TEST_F(BulkLayouts, RecordPositions) {
    voice.Set(VoiceParam::Op(1, OpField::Fix), 1);
    write(AddVoice);
    EXPECT_EQ(buffer[21], 1);
    voice.Set(*RowParam(1, 0), 42);
    write(Aftertouch);
    EXPECT_EQ(buffer[17], 42);
    multi.Set(MultiParam::Part(3, PartField::Volume), 77);
    multi.Set(MultiParam::Part(1, PartField::MaxNotes), 6);
    write(MultiBlock);
    EXPECT_EQ(buffer[52], 77);
    EXPECT_EQ(buffer[20], 6);
    voice.Set(*VoiceParam::Single(29), 50);
    write(VoiceEffect);
    EXPECT_EQ(buffer[17], 50);
}

TEST_F(BulkLayouts, ReadOrderOfTheVoiceBlock) {
    write(VoiceBlock);
    const auto values = read(VoiceBlock);
    ASSERT_EQ(values.size(), 52u + 22u);
    EXPECT_EQ(values[0].param, VoiceParam::Op(3, OpField::AR).Index());
    EXPECT_EQ(values[0].block, 0);
    EXPECT_EQ(values[13].param, VoiceParam::Op(1, OpField::AR).Index());
    EXPECT_EQ(values[51].param, VoiceParam::Op(0, OpField::Detune).Index());
    EXPECT_EQ(values[52].param, VoiceParam::Single(24)->Index());
    EXPECT_EQ(values[52].block, -1);
    EXPECT_EQ(values.back().param, VoiceParam::Mod(2, 3)->Index());
}

TEST_F(BulkLayouts, ReadOfAShortSpanGivesNothing) {
    write(Aftertouch);
    EXPECT_TRUE(ReadBytes(Aftertouch, {buffer.Data(), 27}).empty());
}

TEST_F(BulkLayouts, RandomValuesSurviveARoundTrip) {
    std::mt19937 random(1234);
    auto draw = [&](int max) { return std::uniform_int_distribution<int>(0, max)(random); };
    for (int round = 0; round < 20; ++round) {
        for (const BulkLayout* layout : AllLayouts) {
            for (int param : ParamsOf(*layout)) {
                if (layout->target == Target::Voice)
                    voice.Set(VoiceParam::FromIndex(param),
                              draw(InfoOf(VoiceParam::FromIndex(param)).max));
                else
                    multi.Set(MultiParam::FromRow(param),
                              draw(InfoOf(MultiParam::FromRow(param)).max));
            }
            write(*layout);
            const std::vector<std::uint8_t> first(buffer.Data(), buffer.Data() + buffer.Length);
            Voice readVoice;
            Multi readMulti;
            for (const MessageByte& byte : read(*layout)) {
                if (layout->target == Target::Voice)
                    readVoice.Set(VoiceParam::FromIndex(byte.param), byte.value);
                else
                    readMulti.Set(MultiParam::FromRow(byte.param), byte.value);
            }
            for (int param : ParamsOf(*layout)) {
                if (layout->target == Target::Voice)
                    ASSERT_EQ(readVoice.Value(VoiceParam::FromIndex(param)),
                              voice.Value(VoiceParam::FromIndex(param)));
                else
                    ASSERT_EQ(readMulti.Value(MultiParam::FromRow(param)),
                              multi.Value(MultiParam::FromRow(param)));
            }
            write(*layout);
            EXPECT_TRUE(std::equal(first.begin(), first.end(), buffer.Data()));
        }
    }
}

TEST(VoiceNames, EncodingAndReading) {
    const VoiceName bass = EncodeVoiceName(QStringLiteral("Bass"));
    EXPECT_EQ(std::string(bass.begin(), bass.end()), "Bass      ");
    const VoiceName longer = EncodeVoiceName(QStringLiteral("Twelve chars"));
    EXPECT_EQ(std::string(longer.begin(), longer.end()), "Twelve cha");

    std::vector<std::uint8_t> message(101, 0);
    const std::uint8_t name[] = {0x41, 0x42, 0x00, 0x43};
    std::copy(std::begin(name), std::end(name), message.begin() + 83);
    EXPECT_EQ(ReadVoiceName(message), QStringLiteral("AB"));
    std::fill(message.begin() + 83, message.begin() + 93, 0xE9);
    EXPECT_EQ(ReadVoiceName(message), QString(10, QChar(0xE9)));
}

TEST(Buffers, OverwriteNeverPassesTheCapacity) {
    DataBuffer small(100);
    small.Length = 28;
    std::vector<std::uint8_t> incoming(150, 0x11);
    EXPECT_EQ(small.Overwrite(incoming), 100);
    EXPECT_EQ(small.Length, 28);
    EXPECT_EQ(small[99], 0x11);
    SynthData data;
    EXPECT_EQ(data.SysexInBuf.Capacity(), 2000);
    EXPECT_EQ(data.MultiBuf.Capacity(), 200);
    EXPECT_EQ(data.VoiceEffectBuf.Length, 0);
}

} // namespace
