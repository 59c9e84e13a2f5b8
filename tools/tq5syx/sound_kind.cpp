#include "sound_kind.h"

#include "model/parameter_records.h"
#include "synth/bulk_records.h"

#include <algorithm>

std::optional<SoundKind> SoundKindNamed(const QString& word) {
    for (SoundKind kind : {SoundKind::Voice, SoundKind::Multi})
        if (word == WordOf(kind))
            return kind;
    return std::nullopt;
}

QString WordOf(SoundKind kind) {
    return kind == SoundKind::Voice ? QStringLiteral("voice") : QStringLiteral("multi");
}

const SyxFiles::FileKind& FileOf(SoundKind kind) {
    return kind == SoundKind::Voice ? SyxFiles::PatchFile : SyxFiles::MultiFile;
}

QString ParamKey(const TSyx_Param& record) {
    return QStringLiteral("%1/%2")
        .arg(QString::number(record.Gp, 16).toUpper(), 2, QLatin1Char('0'))
        .arg(record.Para);
}

std::vector<TSyx_Param*> KeyedRecords(SoundKind kind, ParameterMap& map) {
    std::vector<TSyx_Param*> records;
    for (const SyxFiles::FileMessage& m : FileOf(kind).messages) {
        const std::vector<TSyx_Param*> some = Layouts::RecordsOf(*m.layout, map);
        records.insert(records.end(), some.begin(), some.end());
    }
    std::sort(records.begin(), records.end(), [](const TSyx_Param* a, const TSyx_Param* b) {
        return std::pair(a->Gp, a->Para) < std::pair(b->Gp, b->Para);
    });
    return records;
}
