#pragma once

#include "edit/change_origin.h"
#include "edit/edit_history.h"
#include "edit/range_warnings.h"
#include "model/multi.h"
#include "model/voice.h"

#include <QString>
#include <functional>
#include <span>

class Clock;
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
             EditorPorts& ports, Prompter& prompts, const Clock& clock, ControllerEcho& echo,
             VoiceDisplay& display, VoiceTransmission& transmission);

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
    // controller hears every knob's value and the synth the whole voice; from undo, compare and
    // morph, the synth gets the changes and the controller the rings that show them (Restore);
    // from the library, the synth gets the whole voice and the controller the changed rings.
    void Replace(const Voice& voice, Origin origin);
    // A voice the editor had before, put back: the synth gets exactly the values that differ (or
    // the whole voice, when that is fewer bytes than the single changes), the controller the rings
    // and switches that show them; nothing is sent for what did not change.
    void Restore(const Voice& voice, Origin origin);
    // More changed values than this go to the synth as the whole voice: its four messages are 191
    // bytes, as many as 27 parameter changes of seven.
    static constexpr int WholeVoiceChanges = 27;
    // The name, at most ten characters; sent to the synth unless the synth sent it.
    void SetName(const QString& name, Origin origin);

    // One value of the multi, sent to the synth as the multi page sends it.
    void SetMulti(MultiParam param, int value, Origin origin);
    void SendMultiParameter(MultiParam param);
    // A multi from the synth or a file: shows the given rows where they changed, or all of them.
    void ReplaceMulti(const Multi& multi, std::span<const int> rows, bool showAll, Origin origin);

    // The histories of the voice and the multi. Every change above is recorded but those that
    // undo and redo make; a group makes one step of all the changes within it.
    void Undo();
    void Redo();
    void UndoMulti();
    void RedoMulti();
    const VoiceHistory& History() const { return history_; }
    const MultiHistory& MultiUndoHistory() const { return multiHistory_; }
    void BeginStep(const QString& label);
    void EndStep();
    void BeginMultiStep(const QString& label);
    void EndMultiStep();
    // The morph is let go: its next movement is a step of its own.
    void EndMorph() { history_.EndStep(); }

    const Voice& CurrentVoice() const;
    const Multi& CurrentMulti() const;

    // Called before an edit from the screen, the controller or the randomiser is made (the A/B
    // compare brings B back), and with each voice that came in from the synth, a file or the
    // library.
    std::function<void()> BeforeEdit;
    std::function<void(const Voice&)> OnVoiceCameIn;
    // After every change of the voice, the multi or their histories (the undo buttons follow).
    std::function<void()> OnChanged;
    // With the voice after each of its changes, whatever their origin.
    std::function<void(const Voice&)> OnVoiceChanged;
    // The randomiser's edit is about to begin.
    void PrepareEdit();

private:
    // A value from the screen or the controller above its maximum is said at once.
    int checked(const TSyx_Param& record, int value, Origin origin);
    void sendName();
    void echoEveryKnob();
    void record(const Voice& before, Origin origin, int param = -1);
    void recordMulti(const Multi& before, Origin origin, int row = -1);
    QString describe(const VoiceHistory::Step& step) const;
    QString describeMulti(const MultiHistory::Step& step) const;
    void restoreMulti(const Multi& multi);

    EditedSound& sound_;
    const ParameterMap& map_;
    const EditState& state_;
    EditorPorts& ports_;
    ControllerEcho& echo_;
    const Clock& clock_;
    VoiceDisplay& display_;
    VoiceTransmission& transmission_;
    VoiceHistory history_;
    MultiHistory multiHistory_;
    RangeWarnings rangeWarnings_;
};
