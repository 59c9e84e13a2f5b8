#include "synth/sysex_formats.h"

#include <cstring>

namespace Sysex {

const Format& formatOf(Kind kind) {
    for (const Format* f : Formats)
        if (f->kind == kind)
            return *f;
    return VoiceBlockFormat;
}

int writeHeader(const Format& format, std::uint8_t* out) {
    out[0] = Start;
    out[1] = Manufacturer;
    out[2] = 0x00;
    out[3] = format.format;
    out[4] = 0x00;
    out[5] = format.byteCount;
    if (!format.text)
        return 6;
    std::memcpy(out + 6, format.text, 10);
    return 16;
}

std::uint8_t SysexChecksum(const std::uint8_t* bytes, int count) {
    std::uint8_t sum = 0;
    for (int i = 0; i < count; ++i)
        sum = std::uint8_t(sum + bytes[i]);
    return std::uint8_t(-sum) & 0x7F;
}

Kind HeaderKind(std::span<const std::uint8_t> message, int device) {
    if (message.size() < 6 || message[1] != Manufacturer || message[2] != device || message[4] != 0)
        return Kind::Unknown;
    for (const Format* f : Formats)
        if (message[3] == f->format && message[5] == f->byteCount)
            return f->kind;
    return Kind::Unknown;
}

} // namespace Sysex
