#pragma once

class CaptionView;
class EditPath;
class KnobValue;
class ParameterMap;
class VoiceDisplay;
class VoiceTransmission;
struct EditState;

// The Multipart page: its knobs and value buttons edit the multi and send each change to the synth
// at once; the bank buttons keep a part's voice names in step, and the note limits of the parts
// never add up to more than the synth has.
class MultiPageHandlers {
public:
    MultiPageHandlers(const ParameterMap& map, EditState& state, EditPath& path,
                      VoiceDisplay& display, VoiceTransmission& voice);

    // A knob the user turned.
    void MKnobChange(KnobValue* sender);
    void MKnobMouseEnter(KnobValue* sender);
    void MKnobMouseLeave(KnobValue* sender);
    // A value button's click; backwards when the press asked for it.
    void tlmValClick(CaptionView* sender, bool backwards);
    // The multi row of a knob or a value button, or -1.
    int MultiRowOfKnob(const KnobValue* knob) const;
    int MultiRowOfButton(const CaptionView* button) const;

private:
    void applyNoteLimit(int part);

    const ParameterMap& map_;
    EditState& state_;
    EditPath& path_;
    VoiceDisplay& display_;
    VoiceTransmission& voice_;
};
