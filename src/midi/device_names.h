#pragma once

#include <QString>
#include <QStringList>

// Turns the port names a MIDI backend reports into names fit to be stored in the settings:
// numbers the backend hands out afresh at each plug-in (ALSA's trailing "client:port", and the
// ALSA client number a JACK bridge puts in brackets) are dropped, and a name that occurs more than
// once is told apart by a suffix in list order: "Name", "Name #2", "Name #3", skipping a suffixed
// name that another device really has.
QStringList StableDeviceNames(const QStringList& reported);
