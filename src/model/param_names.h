#pragma once

#include "model/multi.h"
#include "model/voice_params.h"

#include <QString>

// What the screen calls a parameter and its values, for lists and hints that name them away from
// their controls (the undo buttons, the compare list, accessible names): "Op 2 Coarse",
// "Breath Pitch", "Part 3 Volume".

// The name of patch row 0..47 as its knob or button is captioned, without operator or group.
QString RowName(int row);
QString GroupName(int group); // 0..3: "Aftertouch", "Mod Wheel", "Breath", "Foot"

QString ParamName(VoiceParam param);
QString ParamName(MultiParam param);

// A value as the screen shows it: the value's name where the parameter's values have names, the
// offset number where its knob shows one (transpose -24..24, detune -3..3, the aftertouch pitch
// -50..50), else the number.
QString ValueText(VoiceParam param, int value);
