#include "model/param_names.h"

#include "model/rows.h"

namespace {

// The names of patch rows 0..47 (rows 0..3 of a group, 32..47 of an operator).
constexpr const char* RowNames[EditRowCount] = {
    "LFO Pitch",
    "LFO Amp",
    "Pitch",
    "Envelope",
    "PB Range",
    "Portamento Speed",
    "LFO Speed",
    "LFO Delay",
    "Amp Mod Enable",
    "Amp Mod Enable",
    "Amp Mod Enable",
    "Amp Mod Enable",
    "Mono",
    "Portamento Type",
    "LFO Wave",
    "LFO Key Sync",
    "Fix/Ratio",
    "Fix/Ratio",
    "Fix/Ratio",
    "Fix/Ratio",
    "FX Type",
    "Random",
    "CC LFO Sens. Pitch",
    "CC LFO Sens. Amp",
    "Algorithm",
    "Transpose",
    "Feedback",
    "FX Reverb",
    "FX Balance",
    "FX Time",
    "LFO Mod Pitch",
    "LFO Mod Amp",
    "FixRange",
    "Coarse",
    "Fine",
    "Detune",
    "Velocity",
    "Envel Sens",
    "Wave",
    "Output",
    "Attack",
    "Decay1",
    "Decay Level",
    "Decay 2",
    "Release",
    "Shift",
    "Kbd Scale Level",
    "Kbd Scale Rate",
};
constexpr const char* GroupNames[ModGroupCount] = {"Aftertouch", "Mod Wheel", "Breath", "Foot"};
constexpr int FootGroup = 3;

constexpr const char* PartNames[PartFieldCount] = {
    "Patch Select", "Patch Bank",  "Out Port", "Channel",   "LFO Select", "Max Notes",
    "Top Note",     "Lowest Note", "Detune",   "Transpose", "Volume"}; // in PartField order
constexpr const char* GlobalNames[MultiFieldCount] = {"Master Tune", "Main Rx Chan", "Main Tx Chan",
                                                      "Memory Lock", "FX Type",      "FX Time",
                                                      "FX Balance"}; // in MultiField order

// The knobs that show a value as an offset from its middle.
constexpr int TransposeMiddle = 24;
constexpr int DetuneMiddle = 3;
constexpr int BiasMiddle = 50;
constexpr int DetuneRow = 35;
constexpr int PitchRow = 2;

} // namespace

QString RowName(int row) {
    return QString::fromLatin1(RowNames[row]);
}

QString GroupName(int group) {
    return QString::fromLatin1(GroupNames[group]);
}

QString ParamName(VoiceParam param) {
    const int row = InfoOf(param).row;
    switch (param.KindOf()) {
    case VoiceParam::Kind::Operator:
        return QStringLiteral("Op %1 ").arg(param.Operator() + 1) + RowName(row);
    case VoiceParam::Kind::Switch:
        return QStringLiteral("Op %1 On").arg(param.Operator() + 1);
    case VoiceParam::Kind::Modulation:
        // The foot group's second knob is its volume.
        return GroupName(param.Group()) + QLatin1Char(' ') +
               (param.Group() == FootGroup && row == 1 ? QStringLiteral("Vol") : RowName(row));
    case VoiceParam::Kind::Single:
        break;
    }
    return RowName(row);
}

QString ParamName(MultiParam param) {
    const int part = param.PartNumber();
    if (part == 0)
        return QString::fromLatin1(GlobalNames[param.Row()]);
    return QStringLiteral("Part %1 ").arg(part) +
           QString::fromLatin1(PartNames[int(param.Field())]);
}

QString ValueText(VoiceParam param, int value) {
    const ParamInfo& info = InfoOf(param);
    if (!info.names.empty() && value >= 0 && value < int(info.names.size()))
        return QString::fromLatin1(info.names[std::size_t(value)]);
    if (param == VoiceParam::Single(Rows::Transpose))
        return QString::number(value - TransposeMiddle);
    if (param.KindOf() == VoiceParam::Kind::Operator && info.row == DetuneRow)
        return QString::number(value - DetuneMiddle);
    if (param == VoiceParam::Mod(0, PitchRow))
        return QString::number(value - BiasMiddle);
    return QString::number(value);
}
