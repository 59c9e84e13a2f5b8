#pragma once

#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"

#include <QIODevice>
#include <array>
#include <span>
#include <vector>

// Patch and multi files are the synth's own messages laid end to end, with no header and no
// filler. A load reads each message's bytes by position into its buffer and then decodes the
// buffers in an order of its own.
namespace SyxFiles {

struct FileMessage {
    const Layouts::BulkLayout* layout;
    DataBuffer SynthData::*buffer;
};

// In file order.
inline const std::array<FileMessage, 4> PatchMessages{{
    {&Layouts::AddVoice, &SynthData::AddVoiceBuf},
    {&Layouts::Aftertouch, &SynthData::AftertouchBuf},
    {&Layouts::VoiceEffect, &SynthData::VoiceEffectBuf},
    {&Layouts::VoiceBlock, &SynthData::VoiceBlockBuf},
}};
// Indexes into PatchMessages: effect, aftertouch, additional voice, voice block.
inline constexpr std::array<int, 4> PatchLoadOrder{2, 1, 0, 3};
constexpr int PatchFileLength = 191;

inline const std::array<FileMessage, 2> MultiMessages{{
    {&Layouts::MultiBlock, &SynthData::MultiBuf},
    {&Layouts::MultiEffect, &SynthData::MultiEffectBuf},
}};
// The effect goes first although it is second in the file.
inline constexpr std::array<int, 2> MultiLoadOrder{1, 0};
constexpr int MultiFileLength = 139;

// Reads up to each message's length from the file into its buffer, in file order, keeping the
// buffers' lengths; returns how many bytes each read delivered.
std::vector<int> ReadByPosition(QIODevice& file, SynthData& data,
                                std::span<const FileMessage> messages);

} // namespace SyxFiles
