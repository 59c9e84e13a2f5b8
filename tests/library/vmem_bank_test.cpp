#include "bank_bytes.h"
#include "library/vmem_bank.h"

#include <gtest/gtest.h>

// The bank layout against banks written from the published table: every field of every voice
// unpacks to its own value and packs back to the same bytes.

namespace {

using BankBytes::Bytes;

std::span<const std::uint8_t> voiceOf(const Bytes& data, int v) {
    return std::span(data).subspan(std::size_t(128 * v), 128);
}

TEST(VmemBank, ATx81zBankUnpacksToEveryValueAndPacksBackToItsBytes) {
    const Bytes data = BankBytes::BankData(true);
    EXPECT_TRUE(Vmem::CarriesAdditional(data));
    std::array<Vmem::VoiceBytes, 32> packed{};
    for (int v = 0; v < 32; ++v) {
        SCOPED_TRACE(v);
        const Vmem::UnpackedVoice unpacked = Vmem::UnpackVoice(voiceOf(data, v));
        EXPECT_EQ(unpacked.voice, BankBytes::Expected(v, true));
        EXPECT_EQ(unpacked.outOfRange, 0);
        EXPECT_FALSE(unpacked.dropsDx21Settings);
        packed[std::size_t(v)] = Vmem::PackVoice(unpacked.voice);
        const auto original = voiceOf(data, v);
        EXPECT_TRUE(std::equal(original.begin(), original.end(), packed[std::size_t(v)].begin()));
    }
    EXPECT_EQ(Vmem::BankMessage(packed), BankBytes::ToQt(BankBytes::BankMessage(data)));
}

TEST(VmemBank, AnOlderBankKeepsTheStartValuesOfWhatItLacks) {
    const Bytes data = BankBytes::BankData(false);
    EXPECT_FALSE(Vmem::CarriesAdditional(data));
    const Voice voice = Vmem::UnpackVoice(voiceOf(data, 5)).voice;
    EXPECT_EQ(voice, BankBytes::Expected(5, false));
    // Sine waves, ratio mode, fine 0, no reverb: the start values.
    for (int op = 0; op < 4; ++op) {
        EXPECT_EQ(voice.Op(op, OpField::Wave), 0);
        EXPECT_EQ(voice.Op(op, OpField::Fix), 0);
    }
    // The effect, the aftertouch group and the operator switches are no part of a bank.
    EXPECT_EQ(voice.Value(*VoiceParam::Single(20)), 0);
    EXPECT_EQ(voice.Value(*VoiceParam::Mod(0, 2)), 0);
    EXPECT_EQ(voice.OperatorMask(), 0xF);
}

TEST(VmemBank, OutOfRangeBytesAndTheDx21sOwnSettingsAreCounted) {
    Bytes voice = BankBytes::VoiceData(0, false, QStringLiteral("DX21 Chor"));
    voice[0] = 40;     // operator 4's attack rate: 0..31
    voice[46] = 60;    // transpose: 0..48
    voice[48] |= 0x10; // chorus
    const Vmem::UnpackedVoice unpacked = Vmem::UnpackVoice(voice);
    EXPECT_EQ(unpacked.outOfRange, 2);
    EXPECT_EQ(unpacked.voice.Op(3, OpField::AR), 31);
    EXPECT_EQ(unpacked.voice.Value(*VoiceParam::Single(25)), 48);
    EXPECT_TRUE(unpacked.dropsDx21Settings);

    Bytes envelope = BankBytes::VoiceData(0, false, QStringLiteral("DX21 PEG"));
    envelope[70] = 50;
    EXPECT_TRUE(Vmem::UnpackVoice(envelope).dropsDx21Settings);
}

TEST(VmemBank, NamesAreSevenBitTextEndingAtAZeroByte) {
    Bytes voice = BankBytes::VoiceData(0, false, QStringLiteral("Short"));
    voice[62] = 0;
    EXPECT_EQ(Vmem::UnpackVoice(voice).voice.Name(), QStringLiteral("Short"));

    Voice accented;
    accented.SetName(QStringLiteral("Caf\u00e9"));
    const Vmem::VoiceBytes packed = Vmem::PackVoice(accented);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(packed.data()) + 57, 10), "Caf?      ");
}

} // namespace
