#pragma once

#include <array>
#include <cstdint>
#include <span>

// The synth's bulk messages: dump requests, the five bulk formats, their checksum and the header
// test that recognises an incoming message.

namespace Sysex {

constexpr std::uint8_t Start = 0xF0;
constexpr std::uint8_t End = 0xF7;
constexpr std::uint8_t Manufacturer = 0x43;

enum class Kind { Unknown, VoiceBlock, AddVoice, Aftertouch, Effect, MultiBlock };

struct Format {
    Kind kind;
    std::uint8_t format;    // byte 3
    std::uint8_t byteCount; // byte 5 (byte 4 is 0)
    const char* text;       // the ten characters after the header, or null
    int dataOffset;         // message byte of data byte 0
    int dataCount;
    int length; // whole message, F0 to F7
};

inline constexpr Format VoiceBlockFormat{Kind::VoiceBlock, 0x03, 0x5D, nullptr, 6, 93, 101};
inline constexpr Format AddVoiceFormat{Kind::AddVoice, 0x7E, 0x21, "LM  8976AE", 16, 23, 41};
inline constexpr Format AftertouchFormat{Kind::Aftertouch, 0x7E, 0x14, "LM  8023AE", 16, 10, 28};
inline constexpr Format EffectFormat{Kind::Effect, 0x7E, 0x0D, "LM  8036EF", 16, 3, 21};
inline constexpr Format MultiBlockFormat{Kind::MultiBlock, 0x7E, 0x6E, "LM  8036S ", 16, 100, 118};

inline constexpr const Format* Formats[] = {&VoiceBlockFormat, &AddVoiceFormat, &AftertouchFormat,
                                            &EffectFormat, &MultiBlockFormat};

const Format& formatOf(Kind kind);

// The header the editor writes: device byte 00, then the text for the "LM" formats.
// Six bytes for the voice block, sixteen for the others.
int writeHeader(const Format& format, std::uint8_t* out);

constexpr int RequestLength = 15;
using DumpRequest = std::array<std::uint8_t, RequestLength>;
inline constexpr DumpRequest VoiceDumpRequest{0xF0, 0x43, 0x20, 0x7E, 'L', 'M', ' ', ' ',
                                              '8',  '0',  '3',  '6',  'E', 'F', 0xF7};
inline constexpr DumpRequest MultiDumpRequest{0xF0, 0x43, 0x20, 0x7E, 'L', 'M', ' ', ' ',
                                              '8',  '0',  '3',  '6',  'S', ' ', 0xF7};

// The 7-bit checksum of a run of bytes: (0 - sum) AND 0x7F.
std::uint8_t SysexChecksum(const std::uint8_t* bytes, int count);

// The kind of an incoming message: byte 1 is 0x43, byte 2 the device number, byte 4 zero and
// bytes 3 and 5 name the format. Nothing else is examined; too short a message is Unknown.
Kind HeaderKind(std::span<const std::uint8_t> message, int device);

} // namespace Sysex
