#pragma once

#include "sound_kind.h"

#include <QString>

// tq5syx build voice|multi -o FILE: sets the records from the JSON on standard input (keys left
// out keep their start values) and writes the file exactly as the editor's save does.
int RunBuild(SoundKind kind, const QString& outputPath);
