#pragma once

#include "model/voice.h"
#include "support/message_bytes.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// 32-voice banks written byte by byte from the published VMEM table, with every field of every
// voice set to a value of its own, and the values a reader must find in them. Shared by the bank
// and import tests and the benchmarks; nothing here uses the library's own tables.
namespace BankBytes {

using Bytes = MessageBytes::Bytes;

// The operator of each 10-byte block: 4, 2, 3, 1 (as indexes 0..3).
inline constexpr int BlockOperator[4] = {3, 1, 2, 0};

// Voice v's 128 bytes; with additional, bytes 73..83 as a TX81Z writes them, else zero.
inline Bytes VoiceData(int v, bool additional, const QString& name) {
    Bytes d(128, 0);
    for (int k = 0; k < 4; ++k) {
        std::uint8_t* b = d.data() + 10 * k;
        b[0] = std::uint8_t((v + 7 * k + 1) % 32);       // AR
        b[1] = std::uint8_t((v + 5 * k + 2) % 32);       // D1R
        b[2] = std::uint8_t((v + 3 * k + 3) % 32);       // D2R
        b[3] = std::uint8_t((v + k + 4) % 16);           // RR
        b[4] = std::uint8_t((v + 2 * k + 5) % 16);       // D1L
        b[5] = std::uint8_t((3 * v + 11 * k + 6) % 100); // LS
        b[6] = std::uint8_t(((v + k) % 2) << 6 | ((v + k + 1) % 8) << 3 | (v + k + 2) % 8);
        b[7] = std::uint8_t((2 * v + 13 * k + 7) % 100); // Out
        b[8] = std::uint8_t((v + 9 * k + 8) % 64);       // Coarse
        b[9] = std::uint8_t(((v + k + 3) % 4) << 3 | (v + k) % 7);
        if (additional) {
            d[std::size_t(73 + 2 * k)] =
                std::uint8_t(((v + k) % 4) << 4 | ((v + k + 1) % 2) << 3 | (v + k + 2) % 8);
            d[std::size_t(74 + 2 * k)] = std::uint8_t(((v + k + 3) % 8) << 4 | (v + k + 4) % 16);
        }
    }
    d[40] = std::uint8_t((v % 2) << 6 | ((v + 1) % 8) << 3 | (v + 2) % 8);
    for (int i = 0; i < 4; ++i)
        d[std::size_t(41 + i)] =
            std::uint8_t((v + 10 * (i + 1)) % 100); // LFO speed, delay, PMD, AMD
    d[45] = std::uint8_t(((v + 3) % 8) << 4 | ((v + 1) % 4) << 2 | (v + 2) % 4);
    d[46] = std::uint8_t((v + 5) % 49);
    d[47] = std::uint8_t((v + 1) % 13);
    d[48] = std::uint8_t((v % 2) << 3 | (v + 1) % 2);
    d[49] = std::uint8_t((v + 50) % 100);
    for (int i = 0; i < 7; ++i)
        d[std::size_t(50 + i)] = std::uint8_t((v + 60 + i) % 100); // foot volume, wheel, breath
    const QByteArray text = name.toLatin1().leftJustified(10, ' ', true);
    for (int i = 0; i < 10; ++i)
        d[std::size_t(57 + i)] = std::uint8_t(text[i]);
    if (additional) {
        d[81] = std::uint8_t((v + 1) % 8);
        d[82] = std::uint8_t((v + 70) % 100);
        d[83] = std::uint8_t((v + 71) % 100);
    }
    return d;
}

inline QString VoiceName(int v) {
    return QStringLiteral("VOICE %1").arg(v + 1, 2, 10, QLatin1Char('0'));
}

// The voice VoiceData(v, additional, VoiceName(v)) holds; what a bank cannot hold keeps the start
// values.
inline Voice Expected(int v, bool additional) {
    Voice voice;
    for (int k = 0; k < 4; ++k) {
        const int op = BlockOperator[k];
        const auto set = [&](OpField f, int value) { voice.Set(VoiceParam::Op(op, f), value); };
        set(OpField::AR, (v + 7 * k + 1) % 32);
        set(OpField::D1R, (v + 5 * k + 2) % 32);
        set(OpField::D2R, (v + 3 * k + 3) % 32);
        set(OpField::RR, (v + k + 4) % 16);
        set(OpField::D1L, (v + 2 * k + 5) % 16);
        set(OpField::LS, (3 * v + 11 * k + 6) % 100);
        set(OpField::AME, (v + k) % 2);
        set(OpField::EBS, (v + k + 1) % 8);
        set(OpField::KVS, (v + k + 2) % 8);
        set(OpField::Out, (2 * v + 13 * k + 7) % 100);
        set(OpField::Coarse, (v + 9 * k + 8) % 64);
        set(OpField::RS, (v + k + 3) % 4);
        set(OpField::Detune, (v + k) % 7);
        if (additional) {
            set(OpField::Shift, (v + k) % 4);
            set(OpField::Fix, (v + k + 1) % 2);
            set(OpField::FixRange, (v + k + 2) % 8);
            set(OpField::Wave, (v + k + 3) % 8);
            set(OpField::Fine, (v + k + 4) % 16);
        }
    }
    const auto row = [&](int r, int value) { voice.Set(*VoiceParam::Single(r), value); };
    const auto mod = [&](int group, int r, int value) {
        voice.Set(*VoiceParam::Mod(group, r), value);
    };
    row(15, v % 2);          // LFO sync
    row(26, (v + 1) % 8);    // feedback
    row(24, (v + 2) % 8);    // algorithm
    row(6, (v + 10) % 100);  // LFO speed
    row(7, (v + 20) % 100);  // LFO delay
    row(30, (v + 30) % 100); // pitch modulation depth
    row(31, (v + 40) % 100); // amplitude modulation depth
    row(22, (v + 3) % 8);    // pitch modulation sensitivity
    row(23, (v + 1) % 4);    // amplitude modulation sensitivity
    row(14, (v + 2) % 4);    // LFO wave
    row(25, (v + 5) % 49);
    row(4, (v + 1) % 13);
    row(12, v % 2);       // mono
    row(13, (v + 1) % 2); // portamento mode
    row(5, (v + 50) % 100);
    mod(3, 1, (v + 60) % 100); // foot volume
    mod(1, 0, (v + 61) % 100); // mod wheel pitch, amplitude
    mod(1, 1, (v + 62) % 100);
    mod(2, 0, (v + 63) % 100); // breath pitch, amplitude, pitch bias, EG bias
    mod(2, 1, (v + 64) % 100);
    mod(2, 2, (v + 65) % 100);
    mod(2, 3, (v + 66) % 100);
    if (additional) {
        row(27, (v + 1) % 8);      // reverb
        mod(3, 2, (v + 70) % 100); // foot pitch, amplitude
        mod(3, 3, (v + 71) % 100);
    }
    voice.SetName(VoiceName(v).leftJustified(10, QLatin1Char(' ')));
    return voice;
}

inline Bytes BankData(bool additional, int firstVoice = 0) {
    Bytes data;
    for (int v = 0; v < 32; ++v) {
        const Bytes voice = VoiceData(firstVoice + v, additional, VoiceName(firstVoice + v));
        data.insert(data.end(), voice.begin(), voice.end());
    }
    return data;
}

// F0 43 0n 04 20 00, the data, the checksum, F7.
inline Bytes BankMessage(const Bytes& data, std::uint8_t device = 0) {
    return MessageBytes::Frame({0xF0, 0x43, device, 0x04, 0x20, 0x00}, data);
}

inline QByteArray ToQt(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace BankBytes
