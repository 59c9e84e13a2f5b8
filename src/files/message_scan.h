#pragma once

#include "synth/sysex_formats.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <span>
#include <vector>

// The bulk messages in a file's bytes, wherever they stand: every complete, well-formed message of
// the synth's five kinds and every 32-voice bank of its family, whatever its device byte (0..15).
// Units answer with their own device number, so files from other people often carry one.
namespace SyxScan {

// A 32-voice bank of the DX21, DX27, DX100, TX81Z, DX11 and V50 ("VMEM"): F0 43 0n 04 20 00, 32
// voices of 128 bytes, checksum, F7. Some librarians save the 4096 data bytes alone.
constexpr int BankVoiceCount = 32;
constexpr int BankVoiceLength = 128;
constexpr int BankDataLength = BankVoiceCount * BankVoiceLength;
constexpr int BankHeaderLength = 6;
constexpr int BankMessageLength = BankHeaderLength + BankDataLength + 2;
// The voice's name, in each 128 bytes of a bank.
constexpr int BankNameOffset = 57;

// "voice block", "additional voice", "aftertouch", "effect", "multi block".
QString MessageName(Sysex::Kind kind);

// One whole SysEx message: F0, bytes below 0x80, F7.
bool WellFormed(std::span<const std::uint8_t> message);
// The byte before the F7 is the checksum of the bytes after the six-byte header (which for the
// "LM" formats include their ten characters).
bool ChecksumOk(std::span<const std::uint8_t> message);

struct FoundMessage {
    Sysex::Kind kind;
    qsizetype offset; // of its F0
    int length;
    bool checksumOk;

    std::span<const std::uint8_t> In(std::span<const std::uint8_t> file) const {
        return file.subspan(std::size_t(offset), std::size_t(length));
    }
};

struct FoundBank {
    qsizetype offset; // of its F0, or of its first data byte when it has no frame
    bool framed;
    bool checksumOk; // always true without a frame, which has no checksum
    // The 4096 data bytes.
    std::span<const std::uint8_t> Data(std::span<const std::uint8_t> file) const {
        return file.subspan(std::size_t(offset + (framed ? BankHeaderLength : 0)),
                            std::size_t(BankDataLength));
    }
};

// A header of one of these kinds whose message is cut short, has a byte with its top bit set
// before its end, or does not end in F7: it is not loaded.
struct DamagedMessage {
    QString what; // "voice block message", "bank"
    qsizetype offset;
};

struct Scan {
    std::vector<FoundMessage> messages; // in file order
    std::vector<FoundBank> banks;       // in file order
    std::vector<DamagedMessage> damaged;
};

// A file of 4096 bytes (or a multiple) with no frame is a bank only when every byte is 7-bit and
// every voice's name is printable: any other file of that size is not taken for one.
Scan ScanBytes(std::span<const std::uint8_t> bytes);

} // namespace SyxScan
