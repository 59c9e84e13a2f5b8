#include "midi/device_names.h"

#include <QRegularExpression>
#include <QSet>

namespace {

QString withoutVolatileNumbers(QString name) {
    static const QRegularExpression alsaAddress(QStringLiteral("\\s+\\d+:\\d+$"));
    static const QRegularExpression bridgedClient(QStringLiteral(" \\[\\d+\\]"));
    name.remove(alsaAddress);
    name.remove(bridgedClient);
    return name;
}

} // namespace

QStringList StableDeviceNames(const QStringList& reported) {
    QStringList cleaned;
    for (const QString& raw : reported)
        cleaned << withoutVolatileNumbers(raw);
    // A suffix must not take the name of a device that is really called so.
    QSet<QString> taken(cleaned.begin(), cleaned.end());
    QSet<QString> given;
    QStringList names;
    for (const QString& name : cleaned) {
        QString unique = name;
        for (int suffix = 2; given.contains(unique) || (unique != name && taken.contains(unique));
             ++suffix)
            unique = QStringLiteral("%1 #%2").arg(name).arg(suffix);
        given.insert(unique);
        names << unique;
    }
    return names;
}
