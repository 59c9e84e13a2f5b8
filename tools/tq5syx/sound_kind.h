#pragma once

#include "files/file_io.h"
#include "model/multi.h"
#include "model/voice.h"

#include <QString>
#include <optional>
#include <vector>

class DataBuffer;

// The two kinds of sound file and the parameter keys they carry. A key is the parameter's group as
// two upper-case hex digits, a slash and its parameter number in decimal: "12/39".
enum class SoundKind { Voice, Multi };

std::optional<SoundKind> SoundKindNamed(const QString& word);
QString WordOf(SoundKind kind);
const SyxFiles::FileKind& FileOf(SoundKind kind);

// What a file of either kind holds: a voice or a multi.
struct Sound {
    Voice voice;
    Multi multi;

    int Value(Layouts::Target target, int param) const;
    void Set(Layouts::Target target, int param, int value);
    // One of the file's messages, from the voice or the multi, into the buffer.
    void Write(const Layouts::BulkLayout& layout, DataBuffer& buffer) const;
};

struct KeyedParam {
    QString key;
    Layouts::Target target;
    int param;
    int max;
};

QString ParamKey(Layouts::Target target, int param);
// Every parameter the kind's file carries, ordered by group and then parameter number.
const std::vector<KeyedParam>& KeyedParams(SoundKind kind);
