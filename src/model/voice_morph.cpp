#include "model/voice_morph.h"

#include "model/rows.h"

#include <algorithm>
#include <cmath>

bool IsChoice(VoiceParam param) {
    if (!InfoOf(param).names.empty())
        return true; // every parameter whose values have names of their own
    if (param == VoiceParam::Single(Rows::Algorithm))
        return true;
    return param.KindOf() == VoiceParam::Kind::Operator && param.Field() == OpField::Wave;
}

Voice MorphVoice(const Voice& from, const Voice& to, int percent) {
    percent = std::clamp(percent, 0, 100);
    Voice morphed = to;
    for (VoiceParam param : AllVoiceParams()) {
        const int a = from.Value(param);
        const int b = to.Value(param);
        if (IsChoice(param))
            morphed.Set(param, percent < 50 ? a : b);
        else
            morphed.Set(param, int(std::lround(a + (b - a) * percent / 100.0)));
    }
    return morphed;
}
