#include "files/save_name.h"

namespace SaveNames {

namespace {

QString proposed(const QString& name, const QString& empty) {
    QString kept;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            continue;
        kept += c == QLatin1Char('/') || c == QLatin1Char('\\') ? QLatin1Char('_') : c;
    }
    kept = kept.trimmed();
    while (kept.startsWith(QLatin1Char('.')))
        kept = kept.mid(1).trimmed();
    return (kept.isEmpty() ? empty : kept) + QStringLiteral(".SYX");
}

} // namespace

QString ForPatch(const QString& voiceName) {
    return proposed(voiceName, QStringLiteral("Patch"));
}

QString ForMulti(const QString& multiName) {
    return proposed(multiName, QStringLiteral("Multi"));
}

} // namespace SaveNames
