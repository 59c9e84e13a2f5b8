#pragma once

class DataBuffer;
class EditorPorts;
struct EditState;
struct EditedSound;
struct SynthData;

// What goes to the synth besides single changes: the dump requests, the voice and multi messages
// built from the values, and the whole voice.
class VoiceTransmission {
public:
    VoiceTransmission(const EditedSound& sound, SynthData& data, const EditState& state,
                      EditorPorts& ports);

    // The dump request: the multi while the Multipart page is shown, else the voice. Nothing
    // while a message from the synth is being decoded.
    void bGetPatchClick();
    // Sends count bytes of the buffer to the synth.
    void SendToSynth(const DataBuffer& buffer, int count);
    void SendVoice();
    void BuildVoiceBlock();
    void BuildAddVoiceBlock();
    void BuildAftertouchBlock();
    void BuildVoiceEffect();
    void BuildMultiBlock();
    void BuildMultiEffect();

private:
    const EditedSound& sound_;
    SynthData& data_;
    const EditState& state_;
    EditorPorts& ports_;
};
