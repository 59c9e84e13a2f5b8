#pragma once

#include "files/message_scan.h"
#include "model/voice.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <span>

// One voice of a 32-voice bank (VMEM) of the DX21, DX27, DX100, TX81Z, DX11 and V50, in the
// published layout: four operator blocks of ten bytes, the voice's common bytes packed into bit
// fields, the name, and on the TX81Z and DX11 the additional parameters in bytes 73..83 (zero on
// the older synths).
namespace Vmem {

using VoiceBytes = std::array<std::uint8_t, SyxScan::BankVoiceLength>;

struct UnpackedVoice {
    // What the bank does not carry (the effect, the aftertouch group, the operator switches)
    // keeps the records' start values.
    Voice voice;
    // Bytes above their parameter's range, each stored as its maximum.
    int outOfRange = 0;
    // The chorus and foot-switch bits or the pitch envelope (DX21) are set: this synth has no
    // place for them.
    bool dropsDx21Settings = false;
};

UnpackedVoice UnpackVoice(std::span<const std::uint8_t> bytes); // 128 bytes
// Everything the bank layout holds of the voice; the bytes it has no parameter for are 0.
VoiceBytes PackVoice(const Voice& voice);

// Whether a bank's voices carry the additional parameters (a TX81Z or DX11 bank): any of bytes
// 73..83 of any voice is set. Nothing else tells such a bank from a DX21's.
bool CarriesAdditional(std::span<const std::uint8_t> bankData); // 4096 bytes

// The whole bank message, F0 43 00 04 20 00 ... F7 (4104 bytes), from exactly 32 voices' bytes.
QByteArray BankMessage(std::span<const VoiceBytes, SyxScan::BankVoiceCount> voices);

} // namespace Vmem
