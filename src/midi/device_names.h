#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Turns the port names a MIDI backend reports into names fit to be stored in the settings:
// numbers the backend hands out afresh at each plug-in (ALSA's trailing "client:port", and the
// ALSA client number a JACK bridge puts in brackets) are dropped, and a name that occurs more than
// once is told apart by a suffix in list order: "Name", "Name #2", "Name #3", skipping a suffixed
// name that another device really has.
QStringList StableDeviceNames(const QStringList& reported);

// A device as a backend lists it now: its stable name, the name the backend reports and the
// backend's own number for it.
struct ListedDevice {
    QString name;
    QString reported;
    unsigned index = 0;
};

// The devices of one listing, named with StableDeviceNames; indexes[i] is the backend's number of
// reported[i] (none given: 0).
std::vector<ListedDevice> ListDevices(const QStringList& reported,
                                      const std::vector<unsigned>& indexes = {});
QStringList NamesOf(const std::vector<ListedDevice>& devices);
// Null when no device has this stable name.
const ListedDevice* FindDevice(const std::vector<ListedDevice>& devices, const QString& name);
