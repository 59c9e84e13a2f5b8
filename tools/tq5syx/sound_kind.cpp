#include "sound_kind.h"

#include "synth/data_buffers.h"

#include <algorithm>

namespace {
struct GroupAndNumber {
    int group;
    int para;
    int max;
};

GroupAndNumber specOf(Layouts::Target target, int param) {
    if (target == Layouts::Target::Voice) {
        const ParamInfo& spec = InfoOf(VoiceParam::FromIndex(param));
        return {spec.group, spec.para, spec.max};
    }
    const MultiParamInfo& spec = InfoOf(MultiParam::FromRow(param));
    return {spec.group, spec.para, spec.max};
}

std::vector<KeyedParam> keyedParams(SoundKind kind) {
    std::vector<std::pair<GroupAndNumber, KeyedParam>> params;
    for (const SyxFiles::FileMessage& m : FileOf(kind).messages)
        for (int param : Layouts::ParamsOf(*m.layout)) {
            const GroupAndNumber spec = specOf(m.layout->target, param);
            params.push_back(
                {spec, {ParamKey(m.layout->target, param), m.layout->target, param, spec.max}});
        }
    std::sort(params.begin(), params.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.group, a.first.para) < std::pair(b.first.group, b.first.para);
    });
    std::vector<KeyedParam> keyed;
    for (const auto& [spec, param] : params)
        keyed.push_back(param);
    return keyed;
}
} // namespace

std::optional<SoundKind> SoundKindNamed(const QString& word) {
    for (SoundKind kind : {SoundKind::Voice, SoundKind::Multi})
        if (word == WordOf(kind))
            return kind;
    return std::nullopt;
}

QString WordOf(SoundKind kind) {
    return kind == SoundKind::Voice ? QStringLiteral("voice") : QStringLiteral("multi");
}

const SyxFiles::FileKind& FileOf(SoundKind kind) {
    return kind == SoundKind::Voice ? SyxFiles::PatchFile : SyxFiles::MultiFile;
}

int Sound::Value(Layouts::Target target, int param) const {
    return target == Layouts::Target::Voice ? voice.Value(VoiceParam::FromIndex(param))
                                            : multi.Value(MultiParam::FromRow(param));
}

void Sound::Set(Layouts::Target target, int param, int value) {
    if (target == Layouts::Target::Voice)
        voice.Set(VoiceParam::FromIndex(param), value);
    else
        multi.Set(MultiParam::FromRow(param), value);
}

void Sound::Write(const Layouts::BulkLayout& layout, DataBuffer& buffer) const {
    if (layout.target == Layouts::Target::Voice)
        Layouts::WriteMessage(layout, voice, buffer);
    else
        Layouts::WriteMessage(layout, multi, buffer);
}

QString ParamKey(Layouts::Target target, int param) {
    const GroupAndNumber spec = specOf(target, param);
    return QStringLiteral("%1/%2")
        .arg(QString::number(spec.group, 16).toUpper(), 2, QLatin1Char('0'))
        .arg(spec.para);
}

const std::vector<KeyedParam>& KeyedParams(SoundKind kind) {
    static const std::vector<KeyedParam> voice = keyedParams(SoundKind::Voice);
    static const std::vector<KeyedParam> multi = keyedParams(SoundKind::Multi);
    return kind == SoundKind::Voice ? voice : multi;
}
