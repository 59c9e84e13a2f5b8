#pragma once

#include "files/message_scan.h"

#include <optional>
#include <vector>

// Which of a file's messages make one voice or one multi.
namespace SyxScan {

// At most one message of each kind.
struct SoundMessages {
    std::vector<FoundMessage> messages; // in file order

    const FoundMessage* Find(Sysex::Kind kind) const;
    bool Empty() const { return messages.empty(); }
    // Keeps the later of two messages of a kind, as the synth would.
    void Put(const FoundMessage& message);
};

// The voices in file order. A voice ends at its voice block and takes the additional voice,
// aftertouch and effect messages that came since the voice before it (a TX81Z sends its
// additional voice first, the editor's own files all three). Messages after the last voice block
// belong to it where it has none of their kinds, else they are a last voice without a voice block.
// An effect message right after a multi block is the multi's, and a file with a multi block but
// none of a voice's own messages holds no voice.
std::vector<SoundMessages> VoicesOf(const Scan& scan);

// The number of voices with a voice block.
int VoiceCount(const std::vector<SoundMessages>& voices);

// The first multi block with the effect message right after it; in a file with neither a multi
// block nor a voice's own messages, its first effect message.
SoundMessages MultiOf(const Scan& scan);

// Whether the file holds messages that only a voice has (voice block, additional voice,
// aftertouch), or a multi block.
bool HoldsVoiceMessages(const Scan& scan);
bool HoldsMultiBlock(const Scan& scan);

} // namespace SyxScan
