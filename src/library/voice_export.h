#pragma once

#include "model/voice.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Chosen voices written out: as patch files into a folder, or as one 32-voice bank for the DX and
// TX synths of the family. Every file is written whole or not at all (beside it, then renamed).

struct ExportReport {
    QStringList written;          // the files, in the voices' order
    QStringList notes;            // what the files could not hold
    std::optional<QString> error; // the export stopped here
};

// Each voice as a patch file named after it ("Bass 1.SYX"). A name the folder holds already is
// never replaced: the file becomes "Bass 1 (2).SYX", and so on.
ExportReport ExportPatchFiles(const std::vector<Voice>& voices, const QString& folder);

constexpr int BankVoices = 32;
// At most 32 voices into one VMEM bank file; the places left are "INIT VOICE". The notes name
// each voice whose effect, aftertouch settings or operator switches the bank cannot hold.
ExportReport ExportBank(const std::vector<Voice>& voices, const QString& path);

// What a bank leaves out of each voice, one line a voice that loses something.
QStringList BankLosses(const std::vector<Voice>& voices);

// The bank file's bytes (4104), the places after the voices filled with "INIT VOICE".
QByteArray BankFileBytes(const std::vector<Voice>& voices);
