#pragma once

#include "model/voice.h"

#include <QByteArray>
#include <optional>

// A voice as the catalogue keeps it: the 191 bytes of its patch file, and the fingerprint of the
// sound those bytes hold (the operator switches, which no file keeps, are all on).
struct StoredVoice {
    QByteArray bytes;
    quint64 fingerprint;
};

StoredVoice StoreForm(const Voice& voice);

// The voice the bytes hold, named as given (the bytes keep only a 7-bit name); nothing for bytes
// that are not a patch file.
std::optional<Voice> VoiceFromStored(const QByteArray& bytes, const QString& name);
