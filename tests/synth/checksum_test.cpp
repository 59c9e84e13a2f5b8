#include "synth/sysex_formats.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::uint8_t> lmMessage(const Sysex::Format& format, std::vector<std::uint8_t> data) {
    std::vector<std::uint8_t> m(std::size_t(format.length), 0);
    Sysex::writeHeader(format, m.data());
    std::copy(data.begin(), data.end(), m.begin() + format.dataOffset);
    return m;
}

std::uint8_t checksumOf(const Sysex::Format& format, const std::vector<std::uint8_t>& m) {
    return Sysex::SysexChecksum(m.data() + 6, format.dataOffset + format.dataCount - 6);
}

TEST(Checksum, KnownValues) {
    std::vector<std::uint8_t> zeros(93, 0);
    EXPECT_EQ(Sysex::SysexChecksum(zeros.data(), 93), 0);
    EXPECT_EQ(checksumOf(Sysex::EffectFormat, lmMessage(Sysex::EffectFormat, {0, 0, 0})), 0x4B);
    EXPECT_EQ(checksumOf(Sysex::AftertouchFormat, lmMessage(Sysex::AftertouchFormat, {})), 0x54);
    EXPECT_EQ(checksumOf(Sysex::EffectFormat, lmMessage(Sysex::EffectFormat, {1, 50, 99})), 0x35);
    EXPECT_EQ(checksumOf(Sysex::MultiBlockFormat, lmMessage(Sysex::MultiBlockFormat, {})), 0x63);
}

TEST(Checksum, TextPartsAddFixedAmounts) {
    auto textSum = [](const char* text) {
        int sum = 0;
        for (int i = 0; i < 10; ++i)
            sum += static_cast<unsigned char>(text[i]);
        return sum % 128;
    };
    EXPECT_EQ(textSum(Sysex::AddVoiceFormat.text), 0x3D);
    EXPECT_EQ(textSum(Sysex::AftertouchFormat.text), 0x2C);
    EXPECT_EQ(textSum(Sysex::EffectFormat.text), 0x35);
    EXPECT_EQ(textSum(Sysex::MultiBlockFormat.text), 0x1D);
}

TEST(HeaderTest, RecognisesTheFiveKinds) {
    for (const Sysex::Format* f : Sysex::Formats) {
        std::vector<std::uint8_t> m(std::size_t(f->length), 0);
        Sysex::writeHeader(*f, m.data());
        EXPECT_EQ(Sysex::HeaderKind(m, 0), f->kind);
    }
}

TEST(HeaderTest, RejectsOtherDevicesMakersAndFormats) {
    std::vector<std::uint8_t> m(101, 0);
    Sysex::writeHeader(Sysex::VoiceBlockFormat, m.data());
    m[2] = 1;
    EXPECT_EQ(Sysex::HeaderKind(m, 0), Sysex::Kind::Unknown);
    EXPECT_EQ(Sysex::HeaderKind(m, 1), Sysex::Kind::VoiceBlock);
    m[2] = 0;
    m[1] = 0x41;
    EXPECT_EQ(Sysex::HeaderKind(m, 0), Sysex::Kind::Unknown);
    m[1] = 0x43;
    m[4] = 1;
    EXPECT_EQ(Sysex::HeaderKind(m, 0), Sysex::Kind::Unknown);
    m[4] = 0;
    m[5] = 0x21; // voice format byte with another count
    EXPECT_EQ(Sysex::HeaderKind(m, 0), Sysex::Kind::Unknown);
    EXPECT_EQ(Sysex::HeaderKind(std::span(m.data(), 5), 0), Sysex::Kind::Unknown);
}

TEST(HeaderTest, IgnoresByteZeroTextAndChecksum) {
    std::vector<std::uint8_t> m(21, 0);
    Sysex::writeHeader(Sysex::EffectFormat, m.data());
    m[0] = 0x00;
    std::memcpy(m.data() + 6, "XXXXXXXXXX", 10);
    m[19] = 0x7F;
    EXPECT_EQ(Sysex::HeaderKind(m, 0), Sysex::Kind::Effect);
}

TEST(DumpRequests, Bytes) {
    const std::uint8_t voice[] = {0xF0, 0x43, 0x20, 0x7E, 0x4C, 0x4D, 0x20, 0x20,
                                  0x38, 0x30, 0x33, 0x36, 0x45, 0x46, 0xF7};
    EXPECT_TRUE(std::equal(std::begin(voice), std::end(voice), Sysex::VoiceDumpRequest.begin()));
    EXPECT_EQ(Sysex::MultiDumpRequest[12], 0x53);
    EXPECT_EQ(Sysex::MultiDumpRequest[13], 0x20);
}

} // namespace
