#pragma once

#include "sound_kind.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

struct TSyx_Param;

// What build reads from standard input: an object shaped like the output of voice or multi.
// "params" may name only some records; "warnings" is ignored.
struct BuildRequest {
    std::optional<QString> name;                     // voice only
    std::vector<std::pair<TSyx_Param*, int>> values; // in the order of the given records
};

// Throws BadInput for malformed JSON, a "kind" other than the one being built, an unknown key or
// a value that is not a whole number from 0 to its record's maximum. records are the kind's keyed
// records.
BuildRequest ParseBuildRequest(const QByteArray& json, SoundKind kind,
                               const std::vector<TSyx_Param*>& records);
