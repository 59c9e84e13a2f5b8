#pragma once

#include "json_output.h"
#include "sound_kind.h"

#include <QByteArray>
#include <QString>

// tq5syx voice|multi FILE: reads the file exactly as the editor's load does (by its messages, or
// by position for a file in the editor's own layout), starting from a new voice or multi (its start
// values), and reports what it holds afterwards. The warnings are the values out of range, then
// what a load notes (wrong checksums, damaged messages, further voices). A file with nothing for
// the kind is refused: BadInput with the load's text, after the file's name.
// What the sound holds, in the kind's key order.
Readout ReadoutOf(SoundKind kind, const Sound& sound, const QStringList& warnings);

Readout LoadSoundFile(SoundKind kind, const QByteArray& bytes, const QString& fileName);
int RunRead(SoundKind kind, const QString& path);
