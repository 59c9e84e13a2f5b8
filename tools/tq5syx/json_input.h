#pragma once

#include "sound_kind.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

// What build reads from standard input: an object shaped like the output of voice or multi.
// "params" may name only some parameters; "warnings" is ignored.
struct BuildRequest {
    std::optional<QString> name;                           // voice only
    std::vector<std::pair<const KeyedParam*, int>> values; // in the order of the kind's keys
};

// Throws BadInput for malformed JSON, a "kind" other than the one being built, an unknown key or
// a value that is not a whole number from 0 to its parameter's maximum.
BuildRequest ParseBuildRequest(const QByteArray& json, SoundKind kind);

// What build bank reads: a JSON list of such objects, the way bank prints them ("position" and
// "format" are ignored too). Each element comes back as its own JSON text for ParseBuildRequest.
// Throws BadInput for malformed JSON, a list of more than maxVoices or an element that is not an
// object.
std::vector<QByteArray> ParseBankRequest(const QByteArray& json, int maxVoices);
