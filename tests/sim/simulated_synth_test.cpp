#include "sim/simulated_synth.h"
#include "support/bulk_checks.h"

#include <gtest/gtest.h>

namespace {

using Message = SimulatedSynth::Message;
using Sysex::Kind;

Message change(int group, int para, int value) {
    return {0xF0, 0x43, 0x10, std::uint8_t(group), std::uint8_t(para), std::uint8_t(value), 0xF7};
}

struct SimulatedSynthTest : testing::Test {
    void apply(const Message& message) { synth.Receive(message); }
    SimulatedSynth synth;
};

TEST_F(SimulatedSynthTest, AnswersTheVoiceRequestWithFourValidMessages) {
    const Message request(Sysex::VoiceDumpRequest.begin(), Sysex::VoiceDumpRequest.end());
    const auto replies = synth.Receive(request).Replies;
    ASSERT_EQ(replies.size(), 4u);
    EXPECT_EQ(validBulk(replies[0]), Kind::VoiceBlock);
    EXPECT_EQ(validBulk(replies[1]), Kind::AddVoice);
    EXPECT_EQ(validBulk(replies[2]), Kind::Aftertouch);
    EXPECT_EQ(validBulk(replies[3]), Kind::Effect);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(replies[0].data()) + 6 + 77, 10),
              QByteArray("SimPiano  "));
}

TEST_F(SimulatedSynthTest, AnswersTheMultiRequestWithAnAllZeroMultiAtFirst) {
    const Message request(Sysex::MultiDumpRequest.begin(), Sysex::MultiDumpRequest.end());
    const auto replies = synth.Receive(request).Replies;
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(validBulk(replies[0]), Kind::MultiBlock);
    EXPECT_EQ(validBulk(replies[1]), Kind::Effect);
    EXPECT_EQ(synth.CurrentMulti(), SimulatedSynth::Multi{});
}

TEST_F(SimulatedSynthTest, AppliesVoiceParameterChanges) {
    apply(change(0x12, 39, 20)); // operator 1's AR
    apply(change(0x12, 0x5D, 0x0B));
    apply(change(0x12, 77, 'B'));
    apply(change(0x13, 5, 1));  // operator 2's Fix
    apply(change(0x13, 24, 7)); // aftertouch byte 1
    EXPECT_EQ(synth.CurrentVoice().Block[39], 20);
    EXPECT_EQ(synth.OperatorMask(), 0x0B);
    EXPECT_EQ(synth.CurrentVoice().Block[77], 'B');
    EXPECT_EQ(synth.CurrentVoice().AddVoice[5], 1);
    EXPECT_EQ(synth.CurrentVoice().Aftertouch[1], 7);
    const Message block = synth.VoiceDump()[0];
    EXPECT_EQ(block[45], 20);
    EXPECT_EQ(validBulk(block), Kind::VoiceBlock);
}

TEST_F(SimulatedSynthTest, AppliesMultiAndGlobalChanges) {
    apply(change(0x10, 32, 99)); // part 3's Volume
    apply(change(0x24, 1, 3));
    apply({0xF0, 0x43, 0x10, 0x10, 0x7B, 0x00, 0x40, 0xF7});
    EXPECT_EQ(synth.CurrentMulti().Block[36], 99);
    EXPECT_EQ(synth.CurrentMulti().Block[1], 3);
    EXPECT_EQ(synth.CurrentMulti().Block[0], 0x40);
}

TEST_F(SimulatedSynthTest, SendsEffectChangesWhereTheModeSwitchesSay) {
    apply(change(0x24, 5, 11));
    EXPECT_EQ(synth.CurrentVoice().Effect[1], 11);
    apply(change(0x24, 122, 0));
    apply(change(0x24, 120, 127));
    apply(change(0x24, 109, 127));
    EXPECT_TRUE(synth.MultiMode());
    apply(change(0x24, 5, 22));
    EXPECT_EQ(synth.CurrentMulti().Effect[1], 22);
    EXPECT_EQ(synth.CurrentVoice().Effect[1], 11);
    apply(change(0x24, 122, 127));
    EXPECT_FALSE(synth.MultiMode());
}

TEST_F(SimulatedSynthTest, StoresTheBulkMessagesItIsSent) {
    SimulatedSynth other;
    other.SelectVoice(2);
    other.Receive(change(0x10, 0, 8));
    for (const Message& message : other.VoiceDump())
        apply(message);
    EXPECT_EQ(synth.CurrentVoice(), other.CurrentVoice());
    apply(change(0x24, 120, 127));
    for (const Message& message : other.MultiDump())
        apply(message);
    EXPECT_EQ(synth.CurrentMulti(), other.CurrentMulti());
}

TEST_F(SimulatedSynthTest, IgnoresForeignAndMalformedMessages) {
    const SimulatedSynth before = synth;
    Message badChecksum = SimulatedSynth().VoiceDump()[0];
    badChecksum[6] ^= 1;
    Message otherDevice = SimulatedSynth().VoiceDump()[0];
    otherDevice[2] = 0x01;
    Message truncated = SimulatedSynth().VoiceDump()[1];
    truncated.erase(truncated.begin() + 20, truncated.end() - 1);
    const std::vector<Message> foreign{
        {},
        {0x90, 60, 100},
        {0xF0, 0xF7},
        {0xF0, 0x41, 0x10, 0x12, 0x27, 0x14, 0xF7},
        {0xF0, 0x43, 0x11, 0x12, 0x27, 0x14, 0xF7},
        {0xF0, 0x43, 0x10, 0x12, 0x27, 0x94, 0xF7},
        {0xF0, 0x43, 0x10, 0x12, 0x60, 0x14, 0xF7},
        {0xF0, 0x43, 0x10, 0x12, 0x5D, 0x10, 0xF7},
        {0xF0, 0x43, 0x10, 0x13, 0x1B, 0x01, 0xF7},
        {0xF0, 0x43, 0x10, 0x10, 0x7B, 0x40, 0xF7},
        {0xF0, 0x43, 0x10, 0x24, 0x78, 0x40, 0xF7},
        badChecksum,
        otherDevice,
        truncated,
    };
    for (const Message& message : foreign) {
        const SimulatedSynth::Outcome outcome = synth.Receive(message);
        EXPECT_TRUE(outcome.Replies.empty());
        EXPECT_TRUE(outcome.Change.startsWith(QStringLiteral("ignored")))
            << outcome.Change.toStdString();
    }
    EXPECT_EQ(synth.CurrentVoice(), before.CurrentVoice());
    EXPECT_EQ(synth.CurrentMulti(), before.CurrentMulti());
    EXPECT_EQ(synth.OperatorMask(), 0x0F);
}

TEST_F(SimulatedSynthTest, AnnouncesAVoiceChosenFromItsLibrary) {
    ASSERT_GE(synth.LibrarySize(), 3);
    apply(change(0x24, 2, 5)); // transmit channel 6
    const auto programChange = synth.SelectVoice(1);
    ASSERT_TRUE(programChange);
    EXPECT_EQ(*programChange, Message({0xC5, 0x01}));
    EXPECT_NE(synth.CurrentVoice(), SimulatedSynth().CurrentVoice());
    EXPECT_FALSE(synth.SelectVoice(synth.LibrarySize()));
    EXPECT_FALSE(synth.SelectVoice(-1));
}

TEST(SimulatedSynthFiles, ReadAVoiceFromAPatchFileInAnyMessageOrder) {
    SimulatedSynth source;
    source.SelectVoice(1);
    const auto dump = source.VoiceDump();
    Message file;
    for (int i : {1, 2, 3, 0})
        file.insert(file.end(), dump[std::size_t(i)].begin(), dump[std::size_t(i)].end());
    QString problem;
    const auto voice = SimulatedSynth::VoiceFromFile(file, problem);
    ASSERT_TRUE(voice) << problem.toStdString();
    EXPECT_EQ(*voice, source.CurrentVoice());

    file.resize(90);
    EXPECT_FALSE(SimulatedSynth::VoiceFromFile(file, problem));
    EXPECT_EQ(problem, QStringLiteral("no valid voice block message"));
}

TEST(SimulatedSynthFiles, ReadAMultiFromAMultiFile) {
    SimulatedSynth source;
    source.Receive(change(0x10, 2, 42));
    source.Receive(change(0x24, 120, 127));
    source.Receive(change(0x24, 6, 17));
    Message file;
    for (const Message& message : source.MultiDump())
        file.insert(file.end(), message.begin(), message.end());
    QString problem;
    const auto multi = SimulatedSynth::MultiFromFile(file, problem);
    ASSERT_TRUE(multi) << problem.toStdString();
    EXPECT_EQ(*multi, source.CurrentMulti());
    EXPECT_FALSE(SimulatedSynth::MultiFromFile(Message(100, 0x11), problem));
}

} // namespace
