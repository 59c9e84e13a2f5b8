#pragma once

#include "json_output.h"
#include "sound_kind.h"

#include <QIODevice>

// tq5syx voice|multi FILE: reads the file exactly as the editor's load does, starting from the
// messages of a new voice or multi (its start values), and reports what it holds afterwards.
Readout LoadSoundFile(SoundKind kind, QIODevice& file);
int RunRead(SoundKind kind, const QString& path);
