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

// A new voice or multi set from the JSON (keys left out keep their start values), with the
// warnings. Throws BadInput as ParseBuildRequest does.
struct BuiltSound {
    Sound sound;
    QStringList warnings;
};
BuiltSound BuildSound(const QByteArray& json, SoundKind kind);

// BuildSound's file, its bytes written exactly as the editor's save does.
BuiltFile BuildFile(const QByteArray& json, SoundKind kind);

// Standard input, refused with BadInput beyond a size no JSON of sounds reaches.
QByteArray ReadStandardInput();

// tq5syx build voice|multi -o FILE: BuildFile on the JSON of standard input, written to the file.
int RunBuild(SoundKind kind, const QString& outputPath);
