#include "files/message_scan.h"

#include <algorithm>
#include <array>

namespace SyxScan {
namespace {

constexpr int DeviceByte = 2;
constexpr int LongestHeader = 16;
// The checksum covers everything after the six fixed header bytes, up to itself.
constexpr int ChecksumFrom = 6;
constexpr std::uint8_t PrintableFirst = 0x20;
constexpr std::uint8_t PrintableLast = 0x7E;

// A frame the scan looks for: the header as the editor writes it (device byte 00) and the whole
// length.
struct Frame {
    std::array<std::uint8_t, LongestHeader> header{};
    int headerLength = 0;
    int length = 0;
    const Sysex::Format* format = nullptr; // null for a bank
};

std::vector<Frame> makeFrames() {
    std::vector<Frame> frames;
    for (const Sysex::Format* format : Sysex::Formats) {
        Frame frame;
        frame.headerLength = Sysex::writeHeader(*format, frame.header.data());
        frame.length = format->length;
        frame.format = format;
        frames.push_back(frame);
    }
    Frame bank;
    bank.header = {Sysex::Start, Sysex::Manufacturer, 0x00, 0x04, 0x20, 0x00};
    bank.headerLength = BankHeaderLength;
    bank.length = BankMessageLength;
    frames.push_back(bank);
    return frames;
}

const std::vector<Frame>& frames() {
    static const std::vector<Frame> all = makeFrames();
    return all;
}

bool headerMatches(const Frame& frame, std::span<const std::uint8_t> bytes, std::size_t at) {
    if (bytes.size() - at < std::size_t(frame.headerLength))
        return false;
    for (int i = 0; i < frame.headerLength; ++i) {
        const std::uint8_t byte = bytes[at + std::size_t(i)];
        const bool same = i == DeviceByte ? (byte & 0xF0) == 0 : byte == frame.header[i];
        if (!same)
            return false;
    }
    return true;
}

bool complete(const Frame& frame, std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes.size() - at >= std::size_t(frame.length) &&
           WellFormed(bytes.subspan(at, std::size_t(frame.length)));
}

QString damagedName(const Frame& frame) {
    return frame.format ? MessageName(frame.format->kind) + QStringLiteral(" message")
                        : QStringLiteral("bank");
}

bool printableName(std::span<const std::uint8_t> voice) {
    const auto name = voice.subspan(BankNameOffset, 10);
    return std::all_of(name.begin(), name.end(),
                       [](std::uint8_t c) { return c >= PrintableFirst && c <= PrintableLast; });
}

// The whole file as banks without their frames, or nothing.
std::vector<FoundBank> unframedBanks(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() % BankDataLength != 0)
        return {};
    if (!std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; }))
        return {};
    for (std::size_t voice = 0; voice < bytes.size(); voice += BankVoiceLength)
        if (!printableName(bytes.subspan(voice, BankVoiceLength)))
            return {};
    std::vector<FoundBank> banks;
    for (qsizetype at = 0; at < qsizetype(bytes.size()); at += BankDataLength)
        banks.push_back({at, false, true});
    return banks;
}

} // namespace

QString MessageName(Sysex::Kind kind) {
    switch (kind) {
    case Sysex::Kind::VoiceBlock:
        return QStringLiteral("voice block");
    case Sysex::Kind::AddVoice:
        return QStringLiteral("additional voice");
    case Sysex::Kind::Aftertouch:
        return QStringLiteral("aftertouch");
    case Sysex::Kind::Effect:
        return QStringLiteral("effect");
    case Sysex::Kind::MultiBlock:
        return QStringLiteral("multi block");
    case Sysex::Kind::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

bool WellFormed(std::span<const std::uint8_t> message) {
    return message.size() >= 2 && message.front() == Sysex::Start && message.back() == Sysex::End &&
           std::all_of(message.begin() + 1, message.end() - 1,
                       [](std::uint8_t byte) { return byte < 0x80; });
}

bool ChecksumOk(std::span<const std::uint8_t> message) {
    if (message.size() < std::size_t(ChecksumFrom + 2))
        return false;
    const int checksumAt = int(message.size()) - 2;
    return message[std::size_t(checksumAt)] ==
           Sysex::SysexChecksum(message.data() + ChecksumFrom, checksumAt - ChecksumFrom);
}

Scan ScanBytes(std::span<const std::uint8_t> bytes) {
    Scan scan;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes[at] != Sysex::Start) {
            ++at;
            continue;
        }
        const auto frame = std::find_if(frames().begin(), frames().end(), [&](const Frame& f) {
            return headerMatches(f, bytes, at);
        });
        if (frame == frames().end()) {
            ++at;
            continue;
        }
        if (!complete(*frame, bytes, at)) {
            // A message may begin inside what is left of it.
            scan.damaged.push_back({damagedName(*frame), qsizetype(at)});
            ++at;
            continue;
        }
        const auto message = bytes.subspan(at, std::size_t(frame->length));
        if (frame->format)
            scan.messages.push_back(
                {frame->format->kind, qsizetype(at), frame->length, ChecksumOk(message)});
        else
            scan.banks.push_back({qsizetype(at), true, ChecksumOk(message)});
        at += std::size_t(frame->length);
    }
    if (scan.messages.empty() && scan.banks.empty() && scan.damaged.empty())
        scan.banks = unframedBanks(bytes);
    return scan;
}

} // namespace SyxScan
