#pragma once

#include "model/multi.h"
#include "model/voice.h"
#include "synth/sysex_formats.h"

#include <QString>
#include <array>
#include <span>
#include <vector>

class DataBuffer;

// Which data byte of a bulk message holds which parameter. One table per message, walked by both
// the writers and the readers, so the two can never disagree.

namespace Layouts {

// Whose parameters a message carries: a voice's (VoiceParam indexes) or a multi's (multi rows).
enum class Target { Voice, Multi };

struct FixedByte {
    int index; // data byte
    int param;
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

// What a writer puts into a data byte that has no parameter.
enum class Unmapped { Zero, Keep };

struct BulkLayout {
    const Sysex::Format& format;
    Target target;
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

// The four messages of a voice, in the order the synth answers them and a whole voice is sent.
inline constexpr const BulkLayout* VoiceLayouts[] = {&VoiceBlock, &AddVoice, &Aftertouch,
                                                     &VoiceEffect};

constexpr int NameLength = Voice::NameLength;
using VoiceName = std::array<std::uint8_t, NameLength>;

// The ten name bytes: the first ten characters padded with blanks. A character above 0x7F would
// end or corrupt the message, so it goes out as '?'.
VoiceName EncodeVoiceName(const QString& name);
// The name bytes of a voice block message, ending early at a 0 byte, as Latin-1.
QString ReadVoiceName(std::span<const std::uint8_t> message);

// The byte a message holds for one parameter, as it is (not checked against the range); block is
// the repeated block it came from, or -1.
struct MessageByte {
    int param;
    int value;
    int block;
    int dataByte;
};

// The parameters' bytes in the order a decoder stores them. The message must hold at least the
// format's length in bytes (a data buffer always does); a shorter one gives nothing.
std::vector<MessageByte> ReadBytes(const BulkLayout& layout, std::span<const std::uint8_t> message);

// Writes the whole message into the buffer and sets its length: a voice layout from the voice (the
// voice block with its name), a multi layout from the multi. Bytes without a parameter are 0, or
// keep the buffer's byte where the layout says so.
void WriteMessage(const BulkLayout& layout, const Voice& voice, DataBuffer& buffer);
void WriteMessage(const BulkLayout& layout, const Multi& multi, DataBuffer& buffer);

// Every parameter a layout covers, in read order.
std::vector<int> ParamsOf(const BulkLayout& layout);

} // namespace Layouts
