#include "support/map_fixture.h"
#include "synth/bulk_records.h"
#include "synth/data_buffers.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using namespace Layouts;

const BulkLayout* const AllLayouts[] = {&VoiceBlock,  &AddVoice,    &Aftertouch,
                                        &VoiceEffect, &MultiEffect, &MultiBlock};

struct BulkLayouts : ::testing::Test {
    MapFixture f;
    ParameterMap& map = f.map;
    DataBuffer buffer{200};
    VoiceName name = EncodeVoiceName(QStringLiteral("Patch Name"));

    void write(const BulkLayout& layout) { WriteMessage(layout, map, buffer, &name); }
    std::vector<FieldValue> read(const BulkLayout& layout) {
        return ReadRecords(layout, map, {buffer.Data(), std::size_t(buffer.Capacity())});
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
    map.Op(1).Field(OpField::Fix).Val = 1;
    write(AddVoice);
    EXPECT_EQ(buffer[21], 1);
    map.Row(1)->Variant[0]->Val = 42;
    write(Aftertouch);
    EXPECT_EQ(buffer[17], 42);
    map.Multi().Part(3).Field(PartField::Volume).Val = 77;
    map.Multi().Part(1).Field(PartField::MaxNotes).Val = 6;
    write(MultiBlock);
    EXPECT_EQ(buffer[52], 77);
    EXPECT_EQ(buffer[20], 6);
    map.SingleRecord(29).Val = 50;
    write(VoiceEffect);
    EXPECT_EQ(buffer[17], 50);
}

TEST_F(BulkLayouts, ReadOrderOfTheVoiceBlock) {
    write(VoiceBlock);
    const auto values = read(VoiceBlock);
    ASSERT_EQ(values.size(), 52u + 22u);
    EXPECT_EQ(values[0].record, &map.Op(3).Field(OpField::AR));
    EXPECT_EQ(values[0].block, 0);
    EXPECT_EQ(values[13].record, &map.Op(1).Field(OpField::AR));
    EXPECT_EQ(values[51].record, &map.Op(0).Field(OpField::Detune));
    EXPECT_EQ(values[52].record, &map.SingleRecord(24));
    EXPECT_EQ(values[52].block, -1);
    EXPECT_EQ(values.back().record, map.Row(3)->Variant[2]);
}

TEST_F(BulkLayouts, ReadOfAShortSpanGivesNothing) {
    write(Aftertouch);
    EXPECT_TRUE(ReadRecords(Aftertouch, map, {buffer.Data(), 27}).empty());
}

TEST_F(BulkLayouts, RandomValuesSurviveARoundTrip) {
    std::mt19937 random(1234);
    for (int round = 0; round < 20; ++round) {
        for (const BulkLayout* layout : AllLayouts) {
            std::map<TSyx_Param*, int> chosen;
            for (TSyx_Param* r : RecordsOf(*layout, map)) {
                chosen[r] = std::uniform_int_distribution<int>(0, r->Max)(random);
                r->Val = chosen[r];
            }
            write(*layout);
            const std::vector<std::uint8_t> first(buffer.Data(), buffer.Data() + buffer.Length);
            for (auto& [r, v] : chosen)
                r->Val = -1;
            for (const FieldValue& fv : read(*layout))
                fv.record->Val = fv.value;
            for (auto& [r, v] : chosen)
                ASSERT_EQ(r->Val, v);
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
