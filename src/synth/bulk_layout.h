#pragma once

#include "model/parameter_records.h"
#include "synth/sysex_formats.h"

#include <QString>
#include <array>
#include <span>
#include <vector>

class DataBuffer;
class ParameterMap;

// Which data byte of a bulk message holds which record. One table per message, walked by both the
// writers and the readers, so the two can never disagree.

namespace Layouts {

enum class RefKind { Row, Multi };

// A record reached outside the repeated blocks: a patch row's variant slot, or a multi global.
struct RecordRef {
    RefKind kind;
    int a; // row, or MultiField
    int slot = 0;
};

struct FixedByte {
    int index; // data byte
    RecordRef ref;
};

enum class BlockOwner { None, Operator, Part };

// Equal blocks laid side by side: the four operators (in the synth's order 4, 2, 3, 1) or the eight
// parts. fields are OpField or PartField values in byte order.
struct RepeatedBlock {
    BlockOwner owner = BlockOwner::None;
    int first = 0;
    int stride = 0;
    int count = 0;
    std::span<const int> fields;
};

// What a writer puts into a data byte that has no record.
enum class Unmapped { Zero, Keep };

struct BulkLayout {
    const Sysex::Format& format;
    RepeatedBlock blocks;
    std::span<const FixedByte> fixed;
    bool fixedFirst; // read order: the fixed bytes before the blocks
    Unmapped unmapped;
    int nameAt; // first of the ten name bytes, or -1
};

extern const BulkLayout VoiceBlock;
extern const BulkLayout AddVoice;
extern const BulkLayout Aftertouch;
extern const BulkLayout VoiceEffect;
extern const BulkLayout MultiEffect;
extern const BulkLayout MultiBlock;

constexpr int NameLength = 10;
using VoiceName = std::array<std::uint8_t, NameLength>;

// The ten name bytes: the first ten characters padded with blanks. A character above 0x7F would
// end or corrupt the message, so it goes out as '?'.
VoiceName EncodeVoiceName(const QString& name);
// The name bytes of a voice block message, ending early at a 0 byte, as Latin-1.
QString ReadVoiceName(std::span<const std::uint8_t> message);

// A value read from a message for one record; block is the repeated block it came from, or -1,
// and dataByte the data byte that held it.
struct FieldValue {
    TSyx_Param* record;
    int value;
    int block;
    int dataByte;
};

// The records' values in the order a decoder stores them. The message must hold at least the
// format's length in bytes (a data buffer always does); a shorter one gives nothing.
std::vector<FieldValue> ReadRecords(const BulkLayout& layout, ParameterMap& map,
                                    std::span<const std::uint8_t> message);

// Writes the whole message from the records into the buffer and sets its length. The voice block
// needs the name; bytes without a record are 0, or keep the buffer's byte where the layout says so.
void WriteMessage(const BulkLayout& layout, const ParameterMap& map, DataBuffer& buffer,
                  const VoiceName* name = nullptr);

// Every record a layout covers, in read order (for tools that list a file's parameters).
std::vector<TSyx_Param*> RecordsOf(const BulkLayout& layout, ParameterMap& map);
std::vector<const TSyx_Param*> RecordsOf(const BulkLayout& layout, const ParameterMap& map);

} // namespace Layouts
