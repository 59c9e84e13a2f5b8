#pragma once

#include "json_output.h"
#include "sound_kind.h"

#include <QIODevice>

class ToolSession;

// tq5syx voice|multi FILE: reads the file exactly as the editor's load does, starting from the
// buffers the session's records build (their start values, in a new session), and reports what
// the records hold afterwards.
Readout LoadSoundFile(SoundKind kind, QIODevice& file, ToolSession& session);
int RunRead(SoundKind kind, const QString& path);
