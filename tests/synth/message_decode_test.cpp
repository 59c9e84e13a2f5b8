#include "files/file_io.h"
#include "synth/data_buffers.h"
#include "synth/message_decode.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using namespace Layouts;

std::vector<std::uint8_t> messageOf(const BulkLayout& layout, const Voice& voice) {
    DataBuffer buffer(200);
    WriteMessage(layout, voice, buffer);
    return {buffer.Data(), buffer.Data() + buffer.Length};
}

Voice randomVoice(std::mt19937& random) {
    Voice voice;
    for (VoiceParam param : AllVoiceParams())
        voice.Set(param, std::uniform_int_distribution<int>(0, InfoOf(param).max)(random));
    QString name;
    for (int i = 0; i < Voice::NameLength; ++i)
        name += QChar(std::uniform_int_distribution<int>(0x20, 0x7E)(random));
    voice.SetName(name);
    return voice;
}

// The operator switches travel in no bulk message: they are the voice's own.
Voice withoutSwitches(Voice voice) {
    for (int op = 0; op < OperatorCount; ++op)
        voice.Set(VoiceParam::OpSwitch(op), 1);
    return voice;
}

TEST(VoiceMessages, RandomVoicesSurviveEveryMessageAndAPatchFile) {
    std::mt19937 random(20261209);
    for (int round = 0; round < 50; ++round) {
        const Voice voice = withoutSwitches(randomVoice(random));
        Voice read;
        for (const BulkLayout* layout : VoiceLayouts) {
            const DecodedMessage decoded = DecodeMessage(*layout, messageOf(*layout, voice));
            EXPECT_TRUE(decoded.problems.empty());
            Apply(decoded, read);
        }
        ASSERT_EQ(read, voice);

        SynthData data;
        for (const SyxFiles::FileMessage& m : SyxFiles::PatchFile.messages)
            WriteMessage(*m.layout, voice, data.*m.buffer);
        Voice fromFile;
        for (const SyxFiles::FileMessage& m : SyxFiles::PatchFile.messages)
            Apply(DecodeMessage(*m.layout, (data.*m.buffer).Message()), fromFile);
        ASSERT_EQ(fromFile, voice);
    }
}

TEST(VoiceMessages, AnOutOfRangeByteIsAProblemAndIsClamped) {
    std::vector<std::uint8_t> block = messageOf(VoiceBlock, Voice());
    block[6] = 40;     // operator 4 attack rate, maximum 31
    block[6 + 52] = 9; // algorithm, maximum 7
    const DecodedMessage decoded = DecodeMessage(VoiceBlock, block);
    ASSERT_EQ(decoded.problems.size(), 2u);
    EXPECT_EQ(ProblemText(decoded.problems[0]),
              QStringLiteral("Value too big CC:40; Val:40: Max:31: Gp:18: Parm:0"));
    EXPECT_EQ(ProblemText(decoded.problems[1]),
              QStringLiteral("Value too big CC:24; Val:9: Max:7: Gp:18: Parm:52"));
    EXPECT_EQ(decoded.values[0].value, 31); // what the decode sets is within range
    Voice voice;
    Apply(decoded, voice);
    EXPECT_EQ(voice.Op(3, OpField::AR), 31);
    EXPECT_EQ(voice.Value(*VoiceParam::Single(24)), 7);
}

TEST(MultiMessages, ReadBackAndProblemsNameNoRow) {
    Multi multi;
    multi.Set(MultiParam::Part(3, PartField::Volume), 77);
    multi.Set(MultiParam::Global(MultiField::MasterTune), 100);
    DataBuffer buffer(200);
    WriteMessage(MultiBlock, multi, buffer);
    EXPECT_EQ(buffer[52], 77);
    EXPECT_EQ(buffer[16], 100);
    buffer[20] = 12; // part 1's note limit, maximum 8
    const DecodedMessage decoded = DecodeMessage(MultiBlock, buffer.Message());
    ASSERT_EQ(decoded.problems.size(), 1u);
    EXPECT_EQ(ProblemText(decoded.problems[0]),
              QStringLiteral("Value too big CC:none; Val:12: Max:8: Gp:16: Parm:0"));
    Multi read;
    Apply(decoded, read);
    EXPECT_EQ(read.Part(3, PartField::Volume), 77);
    EXPECT_EQ(read.Part(1, PartField::MaxNotes), 8);
}

} // namespace
