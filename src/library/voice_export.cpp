#include "library/voice_export.h"

#include "files/patch_bytes.h"
#include "files/safe_save.h"
#include "library/vmem_bank.h"
#include "model/rows.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString InitVoiceName = QStringLiteral("INIT VOICE");

// A file name from a voice name: no folder separators, control characters or the letters other
// systems refuse, no leading dot that would hide it.
QString fileNameOf(const QString& name) {
    QString base = name.trimmed();
    for (QChar& c : base)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    if (base.startsWith(QLatin1Char('.')))
        base[0] = QLatin1Char('_');
    return base.isEmpty() ? QStringLiteral("Voice") : base;
}

QString freePath(const QDir& folder, const QString& base) {
    QString path = folder.filePath(base + QStringLiteral(".SYX"));
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = folder.filePath(QStringLiteral("%1 (%2).SYX").arg(base).arg(n));
    return path;
}

int single(const Voice& voice, int row) {
    return voice.Value(*VoiceParam::Single(row));
}

bool hasAftertouch(const Voice& voice) {
    for (int row = 0; row <= Rows::LastModulationRow; ++row)
        if (voice.Value(*VoiceParam::Mod(0, row)) != 0)
            return true;
    return false;
}

} // namespace

ExportReport ExportPatchFiles(const std::vector<Voice>& voices, const QString& folder) {
    ExportReport report;
    const QDir dir(folder);
    for (const Voice& voice : voices) {
        const QString path = freePath(dir, fileNameOf(voice.Name()));
        if (const auto error = SafeSave::WriteAtomically(path, SyxFiles::PatchFileBytes(voice))) {
            report.error = QStringLiteral("Unable to save %1: %2").arg(path, *error);
            return report;
        }
        report.written << path;
    }
    return report;
}

QStringList BankLosses(const std::vector<Voice>& voices) {
    QStringList losses;
    for (std::size_t i = 0; i < voices.size(); ++i) {
        const Voice& voice = voices[i];
        QStringList lost;
        if (single(voice, Rows::EffectType) != 0)
            lost << QStringLiteral("its effect");
        if (hasAftertouch(voice))
            lost << QStringLiteral("its aftertouch settings");
        if (voice.OperatorMask() != 0xF)
            lost << QStringLiteral("its operators switched off");
        if (!lost.isEmpty())
            losses << QStringLiteral("Voice %1, \"%2\": the bank cannot hold %3.")
                          .arg(i + 1)
                          .arg(voice.Name().trimmed(),
                               lost.size() == 1
                                   ? lost.front()
                                   : lost.mid(0, lost.size() - 1).join(QStringLiteral(", ")) +
                                         QStringLiteral(" or ") + lost.back());
    }
    return losses;
}

QByteArray BankFileBytes(const std::vector<Voice>& voices) {
    Voice init;
    init.SetName(InitVoiceName);
    std::array<Vmem::VoiceBytes, SyxScan::BankVoiceCount> packed;
    for (std::size_t i = 0; i < packed.size(); ++i)
        packed[i] = Vmem::PackVoice(i < voices.size() ? voices[i] : init);
    return Vmem::BankMessage(packed);
}

ExportReport ExportBank(const std::vector<Voice>& voices, const QString& path) {
    ExportReport report;
    if (voices.size() > std::size_t(BankVoices)) {
        report.error = QStringLiteral("A bank holds %1 voices; %2 were chosen.")
                           .arg(BankVoices)
                           .arg(voices.size());
        return report;
    }
    if (const auto error = SafeSave::WriteAtomically(path, BankFileBytes(voices))) {
        report.error = QStringLiteral("Unable to save %1: %2").arg(path, *error);
        return report;
    }
    report.written << path;
    report.notes = BankLosses(voices);
    const int first = int(voices.size()) + 1;
    if (first == BankVoices)
        report.notes
            << QStringLiteral("Voice %1 of the bank is \"%2\".").arg(first).arg(InitVoiceName);
    else if (first < BankVoices)
        report.notes << QStringLiteral("Voices %1 to %2 of the bank are \"%3\".")
                            .arg(first)
                            .arg(BankVoices)
                            .arg(InitVoiceName);
    return report;
}
