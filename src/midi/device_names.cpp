#include "midi/device_names.h"

#include <QHash>
#include <QRegularExpression>

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
    QStringList names;
    QHash<QString, int> seen;
    for (const QString& raw : reported) {
        const QString name = withoutVolatileNumbers(raw);
        const int count = ++seen[name];
        names << (count == 1 ? name : QStringLiteral("%1 #%2").arg(name).arg(count));
    }
    return names;
}
