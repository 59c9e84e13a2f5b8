#pragma once

#include "model/voice.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The voices a file holds, whatever its kind: the editor's patch files, the voice messages of
// other synths of the family (one voice or a capture of several, in any order) and 32-voice banks
// with or without their SysEx frame, several in one file.

enum class SourceFormat { PatchFile, VoiceMessages, OlderBank, Tx81zBank };

// "patch file", "voice messages", "DX21/DX27/DX100 bank", "TX81Z/DX11 bank".
QString FormatName(SourceFormat format);
std::optional<SourceFormat> FormatNamed(const QString& name);

struct ImportedVoice {
    Voice voice;
    int position; // 1.. in file order
    SourceFormat format;
    QStringList notes; // what was set, left out or out of range on the way
};

struct FileVoices {
    std::vector<ImportedVoice> voices;
    // Why a file gives no voice: "This file holds no TQ5 voice: it is a multi file, ...".
    std::optional<QString> problem;
};

FileVoices ReadVoices(std::span<const std::uint8_t> file);
