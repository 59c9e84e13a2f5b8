#pragma once

#include "files/file_layouts.h"

#include <QIODevice>
#include <span>
#include <vector>

// Saving and loading a patch or multi file, minus the dialogs and the synth: the messages are
// built from the voice or the multi, written in file order and read back by position.
namespace SyxFiles {

struct FileKind {
    std::span<const FileMessage> messages; // in file order
    std::span<const int> loadOrder;        // indexes into messages, in the order a load decodes
    int length;                            // of a complete file
};

extern const FileKind PatchFile;
extern const FileKind MultiFile;

// A message that a load decodes, with the number of bytes the file gave its buffer.
struct LoadedMessage {
    const FileMessage* message;
    int count;
};

// Reads the file by position into the buffers and returns, in load order, the messages whose
// buffer received at least one byte.
std::vector<LoadedMessage> ReadForLoad(QIODevice& file, const FileKind& kind, SynthData& data);

// Writes the buffers in file order, each with its length; false when a write fails.
bool WriteMessages(QIODevice& file, const FileKind& kind, const SynthData& data);

} // namespace SyxFiles
