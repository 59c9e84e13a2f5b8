#include "model/voice.h"

#include <algorithm>

Voice::Voice() : name_(StartVoiceName) {
    for (VoiceParam param : AllVoiceParams())
        values_[std::size_t(param.Index())] = std::uint8_t(InfoOf(param).start);
}

void Voice::Set(VoiceParam param, int value) {
    values_[std::size_t(param.Index())] = std::uint8_t(std::clamp(value, 0, InfoOf(param).max));
}

void Voice::SetName(const QString& name) {
    name_ = name.left(NameLength);
}

int Voice::OperatorMask() const {
    int mask = 0;
    for (int op = 0; op < OperatorCount; ++op)
        if (Value(VoiceParam::OpSwitch(op)))
            mask |= 0x8 >> op;
    return mask;
}

std::uint64_t Voice::Fingerprint() const {
    // FNV-1a: stable across runs and builds, which a catalogue that stores it relies on.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (std::uint8_t v : values_) {
        hash ^= v;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}
