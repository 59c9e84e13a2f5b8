#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A 32-voice VMEM bank from a JSON list of up to 32 voices, each shaped as build voice takes one
// (or as bank prints them); the places left are "INIT VOICE". The warnings: each voice's own (as
// build voice gives them, after "voice N: "), then what the bank cannot hold. Throws BadInput.
struct BuiltBank {
    QByteArray bytes;
    QStringList warnings;
};
BuiltBank BuildBank(const QByteArray& json);

// tq5syx build bank -o FILE: BuildBank on the JSON of standard input, written to the file.
int RunBuildBank(const QString& outputPath);
