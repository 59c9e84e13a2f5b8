#include "files/sound_groups.h"

#include <algorithm>

namespace SyxScan {
namespace {

using Kind = Sysex::Kind;

bool followsMultiBlock(const Scan& scan, std::size_t index) {
    return index > 0 && scan.messages[index - 1].kind == Kind::MultiBlock;
}

} // namespace

const FoundMessage* SoundMessages::Find(Kind kind) const {
    const auto found = std::find_if(messages.begin(), messages.end(),
                                    [&](const FoundMessage& m) { return m.kind == kind; });
    return found == messages.end() ? nullptr : &*found;
}

void SoundMessages::Put(const FoundMessage& message) {
    std::erase_if(messages, [&](const FoundMessage& m) { return m.kind == message.kind; });
    messages.push_back(message);
}

std::vector<SoundMessages> VoicesOf(const Scan& scan) {
    std::vector<SoundMessages> voices;
    if (HoldsMultiBlock(scan) && !HoldsVoiceMessages(scan))
        return voices;
    SoundMessages open;
    for (std::size_t i = 0; i < scan.messages.size(); ++i) {
        const FoundMessage& m = scan.messages[i];
        if (m.kind == Kind::MultiBlock || (m.kind == Kind::Effect && followsMultiBlock(scan, i)))
            continue;
        open.Put(m);
        if (m.kind == Kind::VoiceBlock) {
            voices.push_back(std::move(open));
            open = {};
        }
    }
    if (open.Empty())
        return voices;
    // A voice block followed by the other messages of the same voice (some programs save them in
    // that order) is one voice, unless the last voice has its own of a kind already.
    const bool joins = !voices.empty() && std::none_of(open.messages.begin(), open.messages.end(),
                                                       [&](const FoundMessage& m) {
                                                           return voices.back().Find(m.kind);
                                                       });
    if (joins)
        for (const FoundMessage& m : open.messages)
            voices.back().Put(m);
    else
        voices.push_back(std::move(open));
    return voices;
}

int VoiceCount(const std::vector<SoundMessages>& voices) {
    return int(std::count_if(voices.begin(), voices.end(), [](const SoundMessages& v) {
        return v.Find(Kind::VoiceBlock) != nullptr;
    }));
}

SoundMessages MultiOf(const Scan& scan) {
    SoundMessages multi;
    const auto& messages = scan.messages;
    const auto block = std::find_if(messages.begin(), messages.end(), [](const FoundMessage& m) {
        return m.kind == Kind::MultiBlock;
    });
    if (block == messages.end()) {
        if (HoldsVoiceMessages(scan))
            return multi;
        const auto effect =
            std::find_if(messages.begin(), messages.end(),
                         [](const FoundMessage& m) { return m.kind == Kind::Effect; });
        if (effect != messages.end())
            multi.Put(*effect);
        return multi;
    }
    multi.Put(*block);
    if (block + 1 != messages.end() && block[1].kind == Kind::Effect)
        multi.Put(block[1]);
    return multi;
}

bool HoldsVoiceMessages(const Scan& scan) {
    return std::any_of(scan.messages.begin(), scan.messages.end(), [](const FoundMessage& m) {
        return m.kind == Kind::VoiceBlock || m.kind == Kind::AddVoice || m.kind == Kind::Aftertouch;
    });
}

bool HoldsMultiBlock(const Scan& scan) {
    return std::any_of(scan.messages.begin(), scan.messages.end(),
                       [](const FoundMessage& m) { return m.kind == Kind::MultiBlock; });
}

} // namespace SyxScan
