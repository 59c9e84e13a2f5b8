#pragma once

#include <QString>

class DataBuffer;
class EditorPorts;
class ParameterMap;
struct EditState;
struct PageControls;
struct SynthData;

// What goes to the synth besides single changes: the dump requests, the voice and multi messages
// built from the records, the whole voice, and the voice name as it is typed.
class VoiceTransmission {
public:
    VoiceTransmission(ParameterMap& map, SynthData& data, const EditState& state,
                      EditorPorts& ports, const PageControls& controls);

    // The dump request: the multi while the Multipart page is shown, else the voice. Nothing
    // while a bulk update runs.
    void bGetPatchClick();
    // Sends count bytes of the buffer to the synth, unless a bulk update runs.
    void SendToSynth(const DataBuffer& buffer, int count);
    void SendVoice();
    void BuildVoiceBlock();
    void BuildAddVoiceBlock();
    void BuildAftertouchBlock();
    void BuildVoiceEffect();
    void BuildMultiBlock();
    void BuildMultiEffect();
    // The name edit's change notice: at most ten characters, each change sent whole.
    void eNameChange();
    QString VoiceName() const;

private:
    ParameterMap& map_;
    SynthData& data_;
    const EditState& state_;
    EditorPorts& ports_;
    const PageControls& controls_;
};
