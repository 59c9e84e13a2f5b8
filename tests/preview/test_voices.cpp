#include "test_voices.h"

#include "preview/preview_engine.h"

#include <algorithm>
#include <cmath>
#include <memory>

void SetSingle(Voice& voice, int row, int value) {
    voice.Set(*VoiceParam::Single(row), value);
}

Voice PlainVoice(int algorithm, std::initializer_list<int> switchedOn) {
    Voice voice;
    for (int op = 0; op < OperatorCount; ++op) {
        const auto set = [&](OpField field, int value) {
            voice.Set(VoiceParam::Op(op, field), value);
        };
        set(OpField::AR, 31);
        set(OpField::D1R, 0);
        set(OpField::D1L, 15);
        set(OpField::D2R, 0);
        set(OpField::RR, 15);
        set(OpField::Shift, 0);
        set(OpField::LS, 0);
        set(OpField::RS, 0);
        set(OpField::Fix, 0);
        set(OpField::Coarse, 4);
        set(OpField::Fine, 0);
        set(OpField::Detune, 3);
        set(OpField::AME, 0);
        set(OpField::KVS, 0);
        set(OpField::EBS, 0);
        set(OpField::Wave, 0);
        set(OpField::Out, 0);
        voice.Set(VoiceParam::OpSwitch(op), 0);
    }
    for (int op : switchedOn)
        voice.Set(VoiceParam::OpSwitch(op), 1);
    SetSingle(voice, AlgorithmRow, algorithm);
    SetSingle(voice, TransposeRow, 24);
    SetSingle(voice, FeedbackRow, 0);
    return voice;
}

Voice LoneCarrier() {
    Voice voice = PlainVoice(0, {0});
    voice.Set(VoiceParam::Op(0, OpField::Out), 99);
    return voice;
}

std::vector<float> HeldNote(const Voice& voice, int note, double seconds, int velocity,
                            int sampleRate) {
    auto engine = std::make_unique<PreviewEngine>(sampleRate);
    engine->SetVoice(voice);
    engine->NoteOn(note, velocity);
    std::vector<float> left(std::size_t(std::lround(seconds * sampleRate)));
    std::vector<float> right(left.size());
    engine->Render(left.data(), right.data(), int(left.size()));
    return left;
}

std::vector<double> CoarseRatios() {
    std::vector<double> ratios;
    for (double multiplier :
         {0.5, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0, 10.0, 11.0, 12.0, 13.0, 14.0, 15.0})
        for (double cents : {0.0, 600.0, 781.0, 950.0})
            ratios.push_back(multiplier * std::exp2(cents / 1200));
    std::sort(ratios.begin(), ratios.end());
    return ratios;
}

int CoarseFor(double ratio) {
    const std::vector<double> ratios = CoarseRatios();
    const auto found = std::find_if(ratios.begin(), ratios.end(),
                                    [&](double r) { return std::abs(r - ratio) < 1e-9; });
    return int(found - ratios.begin());
}
