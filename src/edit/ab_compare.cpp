#include "edit/ab_compare.h"

#include "edit/controller_echo.h"
#include "edit/edit_path.h"
#include "model/param_names.h"
#include "model/rows.h"

AbCompare::AbCompare(EditPath& path, ControllerEcho& echo) : path_(path), echo_(echo) {}

const Voice& AbCompare::b() const {
    return bShown_ ? *bShown_ : path_.CurrentVoice();
}

void AbCompare::light() {
    echo_.EchoCc(Rows::CompareCC, ShowingA() ? 1 : 0);
    if (OnChanged)
        OnChanged();
}

void AbCompare::VoiceCameIn(const Voice& voice) {
    a_ = voice;
    if (OnChanged)
        OnChanged();
    if (ShowingA()) {
        bShown_.reset();
        light();
    }
}

void AbCompare::Forget() {
    if (ShowingA()) {
        bShown_.reset();
        light();
    }
}

void AbCompare::SetA() {
    ReturnToB();
    a_ = path_.CurrentVoice();
    if (OnChanged)
        OnChanged();
}

void AbCompare::Toggle() {
    if (ShowingA()) {
        ReturnToB();
        return;
    }
    bShown_ = path_.CurrentVoice();
    path_.Replace(a_, Origin::Compare);
    light();
}

void AbCompare::ReturnToB() {
    if (!ShowingA())
        return;
    const Voice b = *bShown_;
    bShown_.reset();
    path_.Replace(b, Origin::Compare);
    light();
}

std::vector<VoiceParam> AbCompare::Differences() const {
    std::vector<VoiceParam> params;
    for (VoiceParam param : AllVoiceParams())
        if (a_.Value(param) != b().Value(param))
            params.push_back(param);
    return params;
}

bool AbCompare::NamesDiffer() const {
    return a_.Name() != b().Name();
}

QStringList AbCompare::DifferenceTexts() const {
    QStringList texts;
    for (VoiceParam param : Differences())
        texts << QStringLiteral("%1: %2 -> %3")
                     .arg(ParamName(param), ValueText(param, a_.Value(param)),
                          ValueText(param, b().Value(param)));
    if (NamesDiffer())
        texts << QStringLiteral("Name: \"%1\" -> \"%2\"").arg(a_.Name(), b().Name());
    return texts;
}

void AbCompare::TakeFromA(std::span<const VoiceParam> params, bool name) {
    ReturnToB();
    Voice voice = path_.CurrentVoice();
    for (VoiceParam param : params)
        voice.Set(param, a_.Value(param));
    if (name)
        voice.SetName(a_.Name());
    path_.Replace(voice, Origin::Compare);
}

void AbCompare::TakeOperatorFromA(int op) {
    std::vector<VoiceParam> params;
    for (int field = 0; field < OpFieldCount; ++field)
        params.push_back(VoiceParam::Op(op, OpField(field)));
    params.push_back(VoiceParam::OpSwitch(op));
    TakeFromA(params);
}

void AbCompare::TakeAllFromA() {
    const std::vector<VoiceParam> params = Differences();
    TakeFromA(params, true);
}
