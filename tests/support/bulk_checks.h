#pragma once

#include "synth/sysex_formats.h"

#include <gtest/gtest.h>
#include <vector>

// Checks a bulk message byte for byte against its format: framing, device byte 00, length and
// checksum. Returns its kind (Unknown when the header test fails).
inline Sysex::Kind validBulk(const std::vector<std::uint8_t>& message) {
    const Sysex::Kind kind = Sysex::HeaderKind(message, 0);
    if (kind == Sysex::Kind::Unknown)
        return kind;
    const Sysex::Format& format = Sysex::formatOf(kind);
    const int checksumAt = format.dataOffset + format.dataCount;
    EXPECT_EQ(int(message.size()), format.length);
    if (int(message.size()) != format.length)
        return Sysex::Kind::Unknown;
    EXPECT_EQ(message.front(), 0xF0);
    EXPECT_EQ(message.back(), 0xF7);
    EXPECT_EQ(message[std::size_t(checksumAt)],
              Sysex::SysexChecksum(message.data() + 6, checksumAt - 6));
    return kind;
}
