#pragma once

#include "edit/change_origin.h"
#include "model/multi.h"
#include "model/voice.h"

#include <QString>
#include <span>

class ControllerEcho;
class EditorPorts;
class ParameterMap;
class Prompter;
class VoiceDisplay;
class VoiceTransmission;
struct EditState;
struct EditedSound;
struct TSyx_Param;

// The one way the voice and the multi change. Every change says where it came from, and its origin
// decides the rest in one place: what goes to the synth, what is echoed to the controller, and
// whether a value above its maximum is said at once (a decode collects its problems and says them
// once it is done). The screen follows every change.
class EditPath {
public:
    EditPath(EditedSound& sound, const ParameterMap& map, const EditState& state,
             EditorPorts& ports, Prompter& prompts, ControllerEcho& echo, VoiceDisplay& display,
             VoiceTransmission& transmission);

    // A patch row's value from the controller or the screen (rows 0..47 but 21). Nothing happens
    // when it is the row's last value; otherwise the row's current variant takes it and the synth
    // gets the parameter change (a row without a variant in the current group only remembers the
    // value).
    void ApplyToRow(int row, int value, Origin origin);
    // The parameter change of the row's current variant.
    void SendParameter(int row);
    // One value of the voice, kept within its range.
    void Set(VoiceParam param, int value, Origin origin);
    // A whole voice. From a file, a new name is sent to the synth; from the randomiser, the
    // controller hears every knob's value and the synth the whole voice.
    void Replace(const Voice& voice, Origin origin);
    // The name, at most ten characters; sent to the synth unless the synth sent it.
    void SetName(const QString& name, Origin origin);

    // One value of the multi, sent to the synth as the multi page sends it.
    void SetMulti(MultiParam param, int value, Origin origin);
    void SendMultiParameter(MultiParam param);
    // A multi from the synth or a file: shows the given rows where they changed, or all of them.
    void ReplaceMulti(const Multi& multi, std::span<const int> rows, bool showAll);

    const Voice& CurrentVoice() const;
    const Multi& CurrentMulti() const;

private:
    // A value from the screen or the controller above its maximum is said at once.
    int checked(const TSyx_Param& record, int value, Origin origin);
    void sendName();
    void echoEveryKnob();

    EditedSound& sound_;
    const ParameterMap& map_;
    const EditState& state_;
    EditorPorts& ports_;
    Prompter& prompts_;
    ControllerEcho& echo_;
    VoiceDisplay& display_;
    VoiceTransmission& transmission_;
};
