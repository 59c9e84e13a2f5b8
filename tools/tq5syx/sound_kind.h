#pragma once

#include "files/file_io.h"

#include <QString>
#include <optional>
#include <vector>

class ParameterMap;
struct TSyx_Param;

// The two kinds of sound file and the parameter keys they carry. A key is the record's group as
// two upper-case hex digits, a slash and its parameter number in decimal: "12/39".
enum class SoundKind { Voice, Multi };

std::optional<SoundKind> SoundKindNamed(const QString& word);
QString WordOf(SoundKind kind);
const SyxFiles::FileKind& FileOf(SoundKind kind);

QString ParamKey(const TSyx_Param& record);
// Every record the kind's file carries, ordered by group and then parameter number.
std::vector<TSyx_Param*> KeyedRecords(SoundKind kind, ParameterMap& map);
