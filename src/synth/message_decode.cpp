#include "synth/message_decode.h"

namespace Layouts {
namespace {

struct Range {
    int group;
    int para;
    int max;
    int row;
};

Range rangeOf(Target target, int param) {
    if (target == Target::Voice) {
        const ParamInfo& spec = InfoOf(VoiceParam::FromIndex(param));
        return {spec.group, spec.para, spec.max, spec.row};
    }
    const MultiParamInfo& spec = InfoOf(MultiParam::FromRow(param));
    return {spec.group, spec.para, spec.max, -1};
}

} // namespace

DecodedMessage DecodeMessage(const BulkLayout& layout, std::span<const std::uint8_t> message) {
    DecodedMessage decoded;
    decoded.layout = &layout;
    decoded.values = ReadBytes(layout, message);
    for (MessageByte& byte : decoded.values) {
        const int max = rangeOf(layout.target, byte.param).max;
        if (byte.value > max) {
            decoded.problems.push_back({layout.target, byte.param, byte.value, byte.dataByte});
            byte.value = max;
        }
    }
    if (layout.nameAt >= 0 && !decoded.values.empty())
        decoded.name = ReadVoiceName(message);
    return decoded;
}

void Apply(const DecodedMessage& decoded, Voice& voice) {
    for (const MessageByte& byte : decoded.values)
        voice.Set(VoiceParam::FromIndex(byte.param), byte.value);
    if (decoded.name)
        voice.SetName(*decoded.name);
}

void Apply(const DecodedMessage& decoded, Multi& multi) {
    for (const MessageByte& byte : decoded.values)
        multi.Set(MultiParam::FromRow(byte.param), byte.value);
}

QString ProblemText(const DecodeProblem& problem) {
    const Range range = rangeOf(problem.target, problem.param);
    const QString cc = range.row < 0 ? QStringLiteral("none") : QString::number(range.row);
    return QStringLiteral("Value too big CC:%1; Val:%2: Max:%3: Gp:%4: Parm:%5")
        .arg(cc)
        .arg(problem.value)
        .arg(range.max)
        .arg(range.group)
        .arg(range.para);
}

} // namespace Layouts
