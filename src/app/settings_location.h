#pragma once

#include <QString>

// Where the settings file lives: the given file; else the program's path with ".INI" in place of
// its extension where that folder can be written; else "marrowlink.INI" in the user's
// configuration folder. A demo keeps a file of its own ("-demo" before ".INI") so that it never
// changes the user's device choices.
QString SettingsPath(const QString& given, const QString& programPath, bool demo);

// The library of voices: the one given, else library.sqlite (the demo's demo-library.sqlite) in
// the user's data folder.
QString LibraryPath(const QString& given, bool demo);
