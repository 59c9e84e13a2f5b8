#pragma once

#include "sound_kind.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A file built from JSON: its bytes, and the warnings to show (a name shortened or changed).
struct BuiltFile {
    QByteArray bytes;
    QStringList warnings;
};

// A new voice or multi set from the JSON (keys left out keep their start values), its file's bytes
// written exactly as the editor's save does. Throws BadInput as ParseBuildRequest does.
BuiltFile BuildFile(const QByteArray& json, SoundKind kind);

// tq5syx build voice|multi -o FILE: BuildFile on the JSON of standard input, written to the file.
int RunBuild(SoundKind kind, const QString& outputPath);
