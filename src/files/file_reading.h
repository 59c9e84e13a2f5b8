#pragma once

#include "files/file_io.h"
#include "files/message_scan.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

// What a load takes from a file, read by its messages. A file in the editor's own layout (its
// messages at their places, each header as the editor writes it, 191 or 139 bytes) is read by
// position as it always was. Any other file gives the complete messages of the page's kinds
// wherever they stand; the parts it does not hold are not loaded, so they keep their values.
namespace SyxFiles {

// A message a load sends to the synth and decodes.
struct LoadMessage {
    const FileMessage* message;      // its layout and the editor's buffer for it
    std::vector<std::uint8_t> bytes; // the whole message, with device byte 00 (the synth's)
    qsizetype offset;                // in the file
    // F0, 7-bit bytes, F7. A file in the editor's layout may hold other bytes, which are decoded
    // as always but never sent.
    bool wellFormed;
    bool checksumOk; // a wrong one is loaded all the same, and noted
};

struct FileReading {
    std::vector<LoadMessage> messages; // in the order a load decodes them; empty when refused
    bool ownLayout = false;
    // Why nothing is loaded: "This file holds no TQ5 voice: it looks like a BCR2000 preset."
    std::optional<QString> refusal;
    bool bank = false;  // refused as a bank of voices, which belongs in the library
    int voiceCount = 0; // the voices a file for the patch page holds; a load takes the first
    std::vector<SyxScan::DamagedMessage> damaged;
};

// kind is PatchFile (the patch page) or MultiFile (the multipart page).
FileReading ReadByMessages(std::span<const std::uint8_t> file, const FileKind& kind);
// The reading by position of a file in the editor's own layout; nothing for any other file.
std::optional<FileReading> ReadOwnLayout(std::span<const std::uint8_t> file, const FileKind& kind);

// What the user is told once after a load, one line each: the messages whose checksum is wrong,
// the damaged ones left out, and a file of several voices. fileName is shown as it is given.
QStringList LoadNotes(const FileReading& reading, const QString& fileName);

} // namespace SyxFiles
