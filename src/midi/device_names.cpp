#include "midi/device_names.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

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

std::vector<ListedDevice> ListDevices(const QStringList& reported,
                                      const std::vector<unsigned>& indexes) {
    const QStringList names = StableDeviceNames(reported);
    std::vector<ListedDevice> devices;
    for (int i = 0; i < reported.size(); ++i)
        devices.push_back(
            {names[i], reported[i], std::size_t(i) < indexes.size() ? indexes[std::size_t(i)] : 0});
    return devices;
}

QStringList NamesOf(const std::vector<ListedDevice>& devices) {
    QStringList names;
    for (const ListedDevice& device : devices)
        names << device.name;
    return names;
}

const ListedDevice* FindDevice(const std::vector<ListedDevice>& devices, const QString& name) {
    auto found = std::find_if(devices.begin(), devices.end(),
                              [&](const ListedDevice& device) { return device.name == name; });
    return found == devices.end() ? nullptr : &*found;
}
