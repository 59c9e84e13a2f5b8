#include "sim/simulated_synth.h"

#include "sim/simulated_voices.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

using Sysex::Kind;

constexpr std::uint8_t ChangeDeviceByte = 0x10 + SimulatedSynth::Device;
constexpr int LastVoiceByte = 92;
constexpr int OperatorMaskPara = 93;
constexpr int FirstAftertouchPara = 23;
constexpr int LastAftertouchPara = 26;
constexpr int LastPartPara = 95;
constexpr int PartsStart = 4; // multi block byte of part 1's first byte

QString kindName(Kind kind) {
    switch (kind) {
    case Kind::VoiceBlock:
        return QStringLiteral("voice block");
    case Kind::AddVoice:
        return QStringLiteral("additional voice");
    case Kind::Aftertouch:
        return QStringLiteral("aftertouch");
    case Kind::Effect:
        return QStringLiteral("effect");
    case Kind::MultiBlock:
        return QStringLiteral("multi block");
    case Kind::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

bool sevenBit(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; });
}

// The kind of a complete, well-formed bulk message for this synth: right length and framing,
// the format's text, 7-bit data and a correct checksum.
Kind bulkKind(std::span<const std::uint8_t> message) {
    const Kind kind = Sysex::HeaderKind(message, SimulatedSynth::Device);
    if (kind == Kind::Unknown)
        return kind;
    const Sysex::Format& format = Sysex::formatOf(kind);
    const auto checksumAt = std::size_t(format.dataOffset + format.dataCount);
    if (message.size() != std::size_t(format.length) || message.front() != Sysex::Start ||
        message.back() != Sysex::End || !sevenBit(message.subspan(1, message.size() - 2)) ||
        (format.text && std::memcmp(message.data() + 6, format.text, 10) != 0) ||
        message[checksumAt] != Sysex::SysexChecksum(message.data() + 6, int(checksumAt) - 6))
        return Kind::Unknown;
    return kind;
}

SimulatedSynth::Message build(const Sysex::Format& format, std::span<const std::uint8_t> data) {
    SimulatedSynth::Message message(std::size_t(format.length));
    Sysex::writeHeader(format, message.data());
    std::copy(data.begin(), data.end(), message.begin() + format.dataOffset);
    const auto checksumAt = std::size_t(format.dataOffset + format.dataCount);
    message[checksumAt] = Sysex::SysexChecksum(message.data() + 6, int(checksumAt) - 6);
    message[checksumAt + 1] = Sysex::End;
    return message;
}

// The F0..F7 messages in a run of bytes.
std::vector<std::span<const std::uint8_t>> framed(std::span<const std::uint8_t> bytes) {
    std::vector<std::span<const std::uint8_t>> messages;
    std::size_t start = bytes.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == Sysex::Start)
            start = i;
        else if (bytes[i] == Sysex::End && start < i) {
            messages.push_back(bytes.subspan(start, i - start + 1));
            start = bytes.size();
        }
    }
    return messages;
}

QString set(std::uint8_t& byte, std::uint8_t value, const QString& what) {
    const QString change = QStringLiteral("%1: %2 -> %3").arg(what).arg(byte).arg(value);
    byte = value;
    return change;
}

} // namespace

SimulatedSynth::SimulatedSynth() : library_(BuiltInVoices()) {
    voice_ = library_.front();
}

SimulatedSynth::Outcome SimulatedSynth::Receive(std::span<const std::uint8_t> message) {
    if (message.size() < 3 || message.front() != Sysex::Start || message.back() != Sysex::End)
        return {{}, QStringLiteral("ignored: not a system exclusive message")};
    if (message[1] != Sysex::Manufacturer)
        return {{}, QStringLiteral("ignored: another manufacturer's message")};
    if (std::ranges::equal(message, Sysex::VoiceDumpRequest))
        return {VoiceDump(), QStringLiteral("voice dump request: sent the voice")};
    if (std::ranges::equal(message, Sysex::MultiDumpRequest))
        return {MultiDump(), QStringLiteral("multi dump request: sent the multi")};
    if (message[2] == ChangeDeviceByte && (message.size() == 7 || message.size() == 8) &&
        sevenBit(message.subspan(1, message.size() - 2)))
        return {{}, applyChange(message)};
    const Kind kind = bulkKind(message);
    if (kind != Kind::Unknown) {
        const Sysex::Format& format = Sysex::formatOf(kind);
        return {{},
                store(kind, message.subspan(std::size_t(format.dataOffset),
                                            std::size_t(format.dataCount)))};
    }
    return {{}, QStringLiteral("ignored: not a message of this synth, or malformed")};
}

QString SimulatedSynth::applyChange(std::span<const std::uint8_t> message) {
    const int group = message[3];
    const int para = message[4];
    const std::uint8_t value = message[5];
    if (message.size() == 8) {
        if (group == 0x10 && para == 0x7B && value == 0)
            return set(multi_.Block[0], message[6], QStringLiteral("master tune"));
        return QStringLiteral("ignored: unknown 8-byte parameter change");
    }
    const auto at = std::size_t(para);
    switch (group) {
    case 0x12:
        if (para <= LastVoiceByte)
            return set(voice_.Block[at], value, QStringLiteral("voice block byte %1").arg(para));
        if (para == OperatorMaskPara && value <= 0x0F) {
            const QString change =
                QStringLiteral("operator mask: %1 -> %2").arg(operatorMask_).arg(value);
            operatorMask_ = value;
            return change;
        }
        break;
    case 0x13:
        if (para < FirstAftertouchPara)
            return set(voice_.AddVoice[at], value,
                       QStringLiteral("additional voice byte %1").arg(para));
        if (para <= LastAftertouchPara)
            return set(voice_.Aftertouch[at - FirstAftertouchPara], value,
                       QStringLiteral("aftertouch byte %1").arg(para - FirstAftertouchPara));
        break;
    case 0x24:
        return applyGlobal(para, value);
    case 0x10:
        if (para <= LastPartPara)
            return set(multi_.Block[PartsStart + at], value,
                       QStringLiteral("multi block byte %1").arg(PartsStart + para));
        break;
    default:
        break;
    }
    return QStringLiteral("ignored: no parameter %1 in group 0x%2")
        .arg(para)
        .arg(group, 2, 16, QLatin1Char('0'));
}

QString SimulatedSynth::applyGlobal(int para, std::uint8_t value) {
    if (para >= 1 && para <= 3)
        return set(multi_.Block[std::size_t(para)], value,
                   QStringLiteral("multi block byte %1").arg(para));
    if (para >= 4 && para <= 6) {
        auto& effect = multiMode_ ? multi_.Effect : voice_.Effect;
        return set(effect[std::size_t(para - 4)], value,
                   QStringLiteral("%1 effect byte %2")
                       .arg(multiMode_ ? QStringLiteral("multi") : QStringLiteral("voice"))
                       .arg(para - 4));
    }
    // The editor switches to multi mode with 120 and 109, back to voice mode with 122.
    if ((para == 109 || para == 120 || para == 122) && (value == 0 || value == 127)) {
        if (value == 127)
            multiMode_ = para != 122;
        return QStringLiteral("mode switch %1 = %2 (%3 mode)")
            .arg(para)
            .arg(value)
            .arg(multiMode_ ? QStringLiteral("multi") : QStringLiteral("voice"));
    }
    return QStringLiteral("ignored: no parameter %1 in group 0x24").arg(para);
}

QString SimulatedSynth::store(Sysex::Kind kind, std::span<const std::uint8_t> data) {
    auto into = [&](auto& block) { std::copy(data.begin(), data.end(), block.begin()); };
    switch (kind) {
    case Kind::VoiceBlock:
        into(voice_.Block);
        break;
    case Kind::AddVoice:
        into(voice_.AddVoice);
        break;
    case Kind::Aftertouch:
        into(voice_.Aftertouch);
        break;
    case Kind::Effect:
        into(multiMode_ ? multi_.Effect : voice_.Effect);
        break;
    case Kind::MultiBlock:
        into(multi_.Block);
        break;
    case Kind::Unknown:
        break;
    }
    return QStringLiteral("stored the %1 message").arg(kindName(kind));
}

std::vector<SimulatedSynth::Message> SimulatedSynth::VoiceDump() const {
    return {build(Sysex::VoiceBlockFormat, voice_.Block),
            build(Sysex::AddVoiceFormat, voice_.AddVoice),
            build(Sysex::AftertouchFormat, voice_.Aftertouch),
            build(Sysex::EffectFormat, voice_.Effect)};
}

std::vector<SimulatedSynth::Message> SimulatedSynth::MultiDump() const {
    return {build(Sysex::MultiBlockFormat, multi_.Block),
            build(Sysex::EffectFormat, multi_.Effect)};
}

std::optional<SimulatedSynth::Message> SimulatedSynth::SelectVoice(int number) {
    if (number < 0 || number >= LibrarySize())
        return std::nullopt;
    voice_ = library_[std::size_t(number)];
    const int channel = multi_.Block[2] < 16 ? multi_.Block[2] : 0;
    return Message{std::uint8_t(0xC0 | channel), std::uint8_t(number)};
}

namespace {

// Loads a file's bulk messages into a fresh synth in the given mode; false, with the reason,
// unless every one of the wanted kinds was there.
bool loadInto(SimulatedSynth& synth, std::span<const std::uint8_t> bytes,
              std::initializer_list<Kind> wanted, QString& problem) {
    std::set<Kind> found;
    for (std::span<const std::uint8_t> message : framed(bytes)) {
        const Kind kind = bulkKind(message);
        if (kind != Kind::Unknown) {
            synth.Receive(message);
            found.insert(kind);
        }
    }
    for (Kind kind : wanted)
        if (!found.contains(kind)) {
            problem = QStringLiteral("no valid %1 message").arg(kindName(kind));
            return false;
        }
    return true;
}

} // namespace

std::optional<SimulatedSynth::Voice>
SimulatedSynth::VoiceFromFile(std::span<const std::uint8_t> bytes, QString& problem) {
    SimulatedSynth synth;
    if (!loadInto(synth, bytes, {Kind::VoiceBlock, Kind::AddVoice, Kind::Aftertouch, Kind::Effect},
                  problem))
        return std::nullopt;
    return synth.voice_;
}

std::optional<SimulatedSynth::Multi>
SimulatedSynth::MultiFromFile(std::span<const std::uint8_t> bytes, QString& problem) {
    SimulatedSynth synth;
    synth.multiMode_ = true;
    if (!loadInto(synth, bytes, {Kind::MultiBlock, Kind::Effect}, problem))
        return std::nullopt;
    return synth.multi_;
}
