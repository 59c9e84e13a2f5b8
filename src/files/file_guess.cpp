#include "files/file_guess.h"

#include "files/sound_groups.h"
#include "model/bcl_sysex.h"

#include <QByteArray>
#include <algorithm>

namespace SyxFiles {
namespace {

using Bytes = std::span<const std::uint8_t>;

QByteArrayView view(Bytes bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())};
}

// Each run from an F0 to the next F7, whatever lies between.
template <class Visit> void forEachSysex(Bytes bytes, Visit visit) {
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] != Sysex::Start)
            continue;
        const auto end = std::find(bytes.begin() + std::ptrdiff_t(at), bytes.end(), Sysex::End);
        if (end == bytes.end())
            return;
        const std::size_t length = std::size_t(end - bytes.begin()) + 1 - at;
        if (visit(bytes.subspan(at, length)))
            return;
        at += length - 1;
    }
}

bool yamaha(Bytes message, std::initializer_list<std::uint8_t> formatBytes) {
    if (message.size() < 3 + formatBytes.size() || message[1] != Sysex::Manufacturer ||
        (message[2] & 0xF0) != 0)
        return false;
    return std::equal(formatBytes.begin(), formatBytes.end(), message.begin() + 3);
}

bool anySysex(Bytes bytes, bool (*test)(Bytes)) {
    bool found = false;
    forEachSysex(bytes, [&](Bytes message) { return found = test(message); });
    return found;
}

bool controllerPreset(Bytes message) {
    return Bcl::ReadLine(message).has_value();
}

bool performances(Bytes message) {
    return yamaha(message, {0x7E}) && view(message).contains("LM  8976PM");
}

// The DX7's single voice and 32-voice bank.
bool sixOperatorVoices(Bytes message) {
    return yamaha(message, {0x00, 0x01, 0x1B}) || yamaha(message, {0x09, 0x20, 0x00});
}

bool sysex(Bytes) {
    return true;
}

QString whatItIs(Bytes file, const SyxScan::Scan& scan, bool patchPage) {
    if (file.empty())
        return QStringLiteral("it is empty");
    if (patchPage && SyxScan::HoldsMultiBlock(scan))
        return QStringLiteral("it is a multi file, which the Multipart page loads");
    if (!patchPage && SyxScan::HoldsVoiceMessages(scan))
        return QStringLiteral("it is a voice file, which the Patch page loads");
    if (scan.banks.size() == 1)
        return QStringLiteral("it is a bank of 32 voices, which the Library imports");
    if (scan.banks.size() > 1)
        return QStringLiteral("it holds %1 banks of 32 voices, which the Library imports")
            .arg(scan.banks.size());
    if (!scan.damaged.empty())
        return QStringLiteral("its %1 at byte %2 is cut short or damaged")
            .arg(scan.damaged.front().what)
            .arg(scan.damaged.front().offset);
    if (anySysex(file, controllerPreset))
        return QStringLiteral("it looks like a BCR2000 preset");
    if (anySysex(file, performances))
        return QStringLiteral("it holds TX81Z performances, not voices");
    if (anySysex(file, sixOperatorVoices))
        return QStringLiteral("it holds DX7 voices, which have six operators");
    if (view(file).startsWith("MThd"))
        return QStringLiteral("it looks like a standard MIDI file");
    if (anySysex(file, sysex))
        return QStringLiteral("it holds SysEx messages for another device");
    return QStringLiteral("it is not a SysEx file");
}

} // namespace

QString NothingToLoadText(Bytes file, const SyxScan::Scan& scan, const FileKind& kind) {
    const bool patchPage = &kind == &PatchFile;
    const QString sound = patchPage ? QStringLiteral("voice") : QStringLiteral("multi");
    return QStringLiteral("This file holds no TQ5 %1: %2.")
        .arg(sound, whatItIs(file, scan, patchPage));
}

} // namespace SyxFiles
