#pragma once

#include "json_output.h"
#include "sound_kind.h"

#include <QIODevice>

// tq5syx voice|multi FILE: reads the file exactly as the editor's load does, starting from the
// buffers the records' start values build, and reports what the records hold afterwards.
Readout LoadSoundFile(SoundKind kind, QIODevice& file);
int RunRead(SoundKind kind, const QString& path);
