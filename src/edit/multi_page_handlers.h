#pragma once

class CaptionView;
class EditorPorts;
class KnobValue;
class ParameterMap;
class Prompter;
class VoiceTransmission;
struct EditState;
struct TSyx_Param;

// The Multipart page: its knobs and value buttons edit the multi's records and send each change to
// the synth at once; the bank buttons keep a part's voice names in step, and the note limits of the
// parts never add up to more than the synth has.
class MultiPageHandlers {
public:
    MultiPageHandlers(ParameterMap& map, EditState& state, EditorPorts& ports, Prompter& prompts,
                      VoiceTransmission& voice);

    void MKnobChange(KnobValue* sender);
    void MKnobMouseDown(KnobValue* sender);
    void MKnobKeyDown(KnobValue* sender);
    void MKnobMouseEnter(KnobValue* sender);
    void MKnobMouseLeave(KnobValue* sender);
    // A value button's click; backwards when the press asked for it.
    void tlmValClick(CaptionView* sender, bool backwards);
    // The multi row of a knob or a value button, or -1.
    int MultiRowOfKnob(const KnobValue* knob) const;
    int MultiRowOfButton(const CaptionView* button) const;
    void SendMultiParameter(const TSyx_Param& record);

private:
    void applyNoteLimit(int part);

    ParameterMap& map_;
    EditState& state_;
    EditorPorts& ports_;
    Prompter& prompts_;
    VoiceTransmission& voice_;
};
