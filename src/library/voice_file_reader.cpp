#include "library/voice_file_reader.h"

#include "files/file_guess.h"
#include "files/file_reading.h"
#include "files/sound_groups.h"
#include "library/vmem_bank.h"
#include "synth/message_decode.h"

#include <algorithm>

namespace {

using Bytes = std::span<const std::uint8_t>;

struct Placed {
    qsizetype offset;
    ImportedVoice voice;
};

QString outOfRangeNote(int count) {
    return count == 1
               ? QStringLiteral("1 value was out of range and set to its maximum")
               : QStringLiteral("%1 values were out of range and set to their maximum").arg(count);
}

// The kinds of message a voice of this file lacks, whose parameters keep their start values.
QString missingNote(const QStringList& missing) {
    QString list = missing.front();
    for (qsizetype i = 1; i < missing.size(); ++i)
        list +=
            (i + 1 == missing.size() ? QStringLiteral(" or ") : QStringLiteral(", ")) + missing[i];
    return QStringLiteral("no %1 message: its parameters keep their start values").arg(list);
}

// Decodes the messages into a new voice in the order a load decodes them.
ImportedVoice voiceFrom(const std::vector<SyxFiles::LoadMessage>& messages, SourceFormat format) {
    ImportedVoice imported{Voice(), 0, format, {}};
    int problems = 0;
    QStringList wrongChecksums;
    for (const SyxFiles::LoadMessage& m : messages) {
        const Layouts::DecodedMessage decoded = Layouts::DecodeMessage(*m.message->layout, m.bytes);
        Layouts::Apply(decoded, imported.voice);
        problems += int(decoded.problems.size());
        if (!m.checksumOk)
            wrongChecksums << SyxScan::MessageName(m.message->layout->format.kind);
    }
    if (format == SourceFormat::VoiceMessages) {
        QStringList missing;
        for (int index : SyxFiles::PatchFile.loadOrder) {
            const SyxFiles::FileMessage& m = SyxFiles::PatchFile.messages[std::size_t(index)];
            if (std::none_of(messages.begin(), messages.end(),
                             [&](const SyxFiles::LoadMessage& l) { return l.message == &m; }))
                missing << SyxScan::MessageName(m.layout->format.kind);
        }
        if (!missing.isEmpty())
            imported.notes << missingNote(missing);
    }
    for (const QString& name : wrongChecksums)
        imported.notes << QStringLiteral("the %1 message's checksum is wrong").arg(name);
    if (problems > 0)
        imported.notes << outOfRangeNote(problems);
    return imported;
}

SyxFiles::LoadMessage loadMessage(Bytes file, const SyxScan::FoundMessage& found) {
    const auto& messages = SyxFiles::PatchFile.messages;
    const auto m = std::find_if(messages.begin(), messages.end(), [&](const auto& fm) {
        return fm.layout->format.kind == found.kind;
    });
    const Bytes bytes = found.In(file);
    return {&*m, {bytes.begin(), bytes.end()}, found.offset, true, found.checksumOk};
}

std::vector<Placed> messageVoices(Bytes file, const SyxScan::Scan& scan) {
    std::vector<Placed> voices;
    for (const SyxScan::SoundMessages& sound : SyxScan::VoicesOf(scan)) {
        const SyxScan::FoundMessage* block = sound.Find(Sysex::Kind::VoiceBlock);
        if (!block)
            continue;
        std::vector<SyxFiles::LoadMessage> messages;
        for (int index : SyxFiles::PatchFile.loadOrder) {
            const Sysex::Kind kind =
                SyxFiles::PatchFile.messages[std::size_t(index)].layout->format.kind;
            if (const SyxScan::FoundMessage* found = sound.Find(kind))
                messages.push_back(loadMessage(file, *found));
        }
        voices.push_back({block->offset, voiceFrom(messages, SourceFormat::VoiceMessages)});
    }
    return voices;
}

std::vector<Placed> bankVoices(Bytes file, const SyxScan::FoundBank& bank) {
    const Bytes data = bank.Data(file);
    const SourceFormat format =
        Vmem::CarriesAdditional(data) ? SourceFormat::Tx81zBank : SourceFormat::OlderBank;
    std::vector<Placed> voices;
    for (int i = 0; i < SyxScan::BankVoiceCount; ++i) {
        const Vmem::UnpackedVoice unpacked = Vmem::UnpackVoice(
            data.subspan(std::size_t(i * SyxScan::BankVoiceLength), SyxScan::BankVoiceLength));
        ImportedVoice imported{unpacked.voice, 0, format, {}};
        if (!bank.framed)
            imported.notes << QStringLiteral("bank data without its SysEx frame");
        if (!bank.checksumOk)
            imported.notes << QStringLiteral("the bank's checksum is wrong");
        if (unpacked.dropsDx21Settings)
            imported.notes << QStringLiteral("its chorus, foot switches and pitch envelope (DX21) "
                                             "are not kept");
        if (unpacked.outOfRange > 0)
            imported.notes << outOfRangeNote(unpacked.outOfRange);
        voices.push_back({bank.offset + i, std::move(imported)});
    }
    return voices;
}

} // namespace

QString FormatName(SourceFormat format) {
    switch (format) {
    case SourceFormat::PatchFile:
        return QStringLiteral("patch file");
    case SourceFormat::VoiceMessages:
        return QStringLiteral("voice messages");
    case SourceFormat::OlderBank:
        return QStringLiteral("DX21/DX27/DX100 bank");
    case SourceFormat::Tx81zBank:
        return QStringLiteral("TX81Z/DX11 bank");
    }
    return {};
}

std::optional<SourceFormat> FormatNamed(const QString& name) {
    for (SourceFormat format : {SourceFormat::PatchFile, SourceFormat::VoiceMessages,
                                SourceFormat::OlderBank, SourceFormat::Tx81zBank})
        if (FormatName(format) == name)
            return format;
    return std::nullopt;
}

FileVoices ReadVoices(Bytes file) {
    FileVoices result;
    if (const auto own = SyxFiles::ReadOwnLayout(file, SyxFiles::PatchFile)) {
        result.voices.push_back(voiceFrom(own->messages, SourceFormat::PatchFile));
        result.voices.back().position = 1;
        return result;
    }
    const SyxScan::Scan scan = SyxScan::ScanBytes(file);
    std::vector<Placed> placed = messageVoices(file, scan);
    for (const SyxScan::FoundBank& bank : scan.banks) {
        std::vector<Placed> voices = bankVoices(file, bank);
        placed.insert(placed.end(), std::make_move_iterator(voices.begin()),
                      std::make_move_iterator(voices.end()));
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.offset < b.offset; });
    for (Placed& p : placed) {
        p.voice.position = int(result.voices.size()) + 1;
        result.voices.push_back(std::move(p.voice));
    }
    if (!result.voices.empty())
        return result;
    if (SyxScan::HoldsVoiceMessages(scan) && !SyxScan::HoldsMultiBlock(scan))
        result.problem = QStringLiteral("This file holds no whole TQ5 voice: none of its messages "
                                        "is a voice block.");
    else
        result.problem = SyxFiles::NothingToLoadText(file, scan, SyxFiles::PatchFile);
    return result;
}
