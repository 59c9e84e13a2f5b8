#include "files/file_reading.h"

#include "files/file_guess.h"
#include "files/sound_groups.h"
#include "model/domain.h"

#include <algorithm>

namespace SyxFiles {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr int DeviceByte = 2;
constexpr int LongestHeader = 16;

// Where each of the kind's messages starts in a complete file, in file order.
std::vector<qsizetype> offsetsOf(const FileKind& kind) {
    std::vector<qsizetype> offsets;
    qsizetype at = 0;
    for (const FileMessage& m : kind.messages) {
        offsets.push_back(at);
        at += m.layout->format.length;
    }
    return offsets;
}

bool ownLayout(Bytes file, const FileKind& kind) {
    if (qsizetype(file.size()) != kind.length)
        return false;
    const std::vector<qsizetype> offsets = offsetsOf(kind);
    for (std::size_t i = 0; i < kind.messages.size(); ++i) {
        std::uint8_t header[LongestHeader];
        const int length = Sysex::writeHeader(kind.messages[i].layout->format, header);
        if (!std::equal(header, header + length, file.begin() + offsets[i]))
            return false;
    }
    return true;
}

FileReading byPosition(Bytes file, const FileKind& kind) {
    FileReading reading;
    reading.ownLayout = true;
    reading.voiceCount = &kind == &PatchFile ? 1 : 0;
    const std::vector<qsizetype> offsets = offsetsOf(kind);
    for (int index : kind.loadOrder) {
        const FileMessage& m = kind.messages[std::size_t(index)];
        const qsizetype offset = offsets[std::size_t(index)];
        const Bytes message =
            file.subspan(std::size_t(offset), std::size_t(m.layout->format.length));
        reading.messages.push_back({&m,
                                    {message.begin(), message.end()},
                                    offset,
                                    SyxScan::WellFormed(message),
                                    SyxScan::ChecksumOk(message)});
    }
    return reading;
}

} // namespace

std::optional<FileReading> ReadOwnLayout(Bytes file, const FileKind& kind) {
    if (!ownLayout(file, kind))
        return std::nullopt;
    return byPosition(file, kind);
}

FileReading ReadByMessages(Bytes file, const FileKind& kind) {
    if (auto own = ReadOwnLayout(file, kind))
        return std::move(*own);

    const SyxScan::Scan scan = SyxScan::ScanBytes(file);
    FileReading reading;
    reading.damaged = scan.damaged;
    SyxScan::SoundMessages sound;
    if (&kind == &PatchFile) {
        const std::vector<SyxScan::SoundMessages> voices = SyxScan::VoicesOf(scan);
        reading.voiceCount = SyxScan::VoiceCount(voices);
        if (!voices.empty())
            sound = voices.front();
    } else {
        sound = SyxScan::MultiOf(scan);
    }
    if (sound.Empty()) {
        reading.refusal = NothingToLoadText(file, scan, kind);
        reading.bank = !scan.banks.empty() && scan.messages.empty();
        return reading;
    }
    for (int index : kind.loadOrder) {
        const FileMessage& m = kind.messages[std::size_t(index)];
        const SyxScan::FoundMessage* found = sound.Find(m.layout->format.kind);
        if (!found)
            continue;
        const Bytes message = found->In(file);
        LoadMessage load{
            &m, {message.begin(), message.end()}, found->offset, true, found->checksumOk};
        load.bytes[DeviceByte] = std::uint8_t(SynthDeviceNumber);
        reading.messages.push_back(std::move(load));
    }
    return reading;
}

QStringList LoadNotes(const FileReading& reading, const QString& fileName) {
    QStringList wrong;
    for (const LoadMessage& m : reading.messages)
        if (!m.checksumOk)
            wrong << QStringLiteral("the %1 message (byte %2)")
                         .arg(SyxScan::MessageName(m.message->layout->format.kind))
                         .arg(m.offset);
    QStringList damaged;
    for (const SyxScan::DamagedMessage& d : reading.damaged)
        damaged << QStringLiteral("the %1 at byte %2").arg(d.what).arg(d.offset);

    const auto listed = [](const QStringList& items) {
        if (items.size() < 2)
            return items.join(QString());
        return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
               items.back();
    };
    QStringList notes;
    if (wrong.size() == 1)
        notes << QStringLiteral("%1: the checksum of %2 is wrong; it was loaded as it is.")
                     .arg(fileName, wrong.front());
    else if (wrong.size() > 1)
        notes << QStringLiteral("%1: the checksums of %2 are wrong; they were loaded as they are.")
                     .arg(fileName, listed(wrong));
    if (!damaged.isEmpty())
        notes << QStringLiteral("%1: %2 %3 cut short or damaged and not loaded.")
                     .arg(fileName, listed(damaged),
                          damaged.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    if (reading.voiceCount > 1)
        notes << QStringLiteral("%1 holds %2 voices: the first was loaded; the Library imports "
                                "them all.")
                     .arg(fileName)
                     .arg(reading.voiceCount);
    return notes;
}

} // namespace SyxFiles
