#pragma once

#include "json_output.h"

#include <QByteArray>
#include <QString>
#include <vector>

// tq5syx bank FILE: every voice a file holds (a patch file, voice messages, one or more banks)
// as a JSON list, each as voice prints one, with its position in the file and the format it came
// in; its warnings are what the import notes. A file without a voice is refused with BadInput.
std::vector<Readout> BankReadouts(const QByteArray& bytes, const QString& fileName);
int RunBank(const QString& path);

// tq5syx bank FILE --pick N -o OUT.SYX: the voice at position N as a patch file.
int RunPick(const QString& path, int position, const QString& outputPath);
