#pragma once

#include "views/services.h"

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class ControllerEcho;
class EditorPorts;
class ModulationGroups;
class Operators;
class ParameterMap;
class Prompter;
class VoiceTransmission;
struct EditState;
struct PageControls;
struct SynthData;
enum class Refresh;
namespace Layouts {
struct BulkLayout;
struct FieldValue;
} // namespace Layouts

// Everything the synth sends: its dumps decoded into the records, each message on its own as it
// arrives, with the screen, the controller and the operators refreshed after each voice message;
// a program change on the synth fetches the new voice or multi.
class SynthInput {
public:
    SynthInput(ParameterMap& map, SynthData& data, EditState& state, EditorPorts& ports,
               Prompter& prompts, const PageControls& controls, ControllerEcho& echo,
               Operators& operators, ModulationGroups& groups, VoiceTransmission& voice);

    // The synth input's notice: drains its queue.
    void MidiSynthToPCMidiInput();
    // Decodes the message in SysexInStream by its kind.
    void DispatchSynthSysex();
    void DecodeVoiceBlock(std::span<const std::uint8_t> message);
    void DecodeAddVoiceBlock(std::span<const std::uint8_t> message);
    void DecodeAftertouchBlock(std::span<const std::uint8_t> message);
    void DecodeVoiceEffect(std::span<const std::uint8_t> message);
    void DecodeMultiEffect(std::span<const std::uint8_t> message);
    void DecodeMultiBlock(std::span<const std::uint8_t> message);
    void RefreshAfterVoiceDump();
    // Runs a decode of bytes that did not come from the synth (a file load) under the guard of
    // the synth's own: synth input that arrives meanwhile, while a warning box waits, stays in its
    // queue and is decoded once the whole decode is done.
    void DecodeHeld(const std::function<void()>& decode);

private:
    void storeValues(const std::vector<Layouts::FieldValue>& values, Refresh refresh);
    void storePartVoice(int part, int value, Refresh refresh);
    void decodeInto(const Layouts::BulkLayout& layout, std::span<const std::uint8_t> message);

    ParameterMap& map_;
    SynthData& data_;
    EditState& state_;
    EditorPorts& ports_;
    Prompter& prompts_;
    const PageControls& controls_;
    ControllerEcho& echo_;
    Operators& operators_;
    ModulationGroups& groups_;
    VoiceTransmission& voice_;

    QByteArray SysexInStream; // the last SysEx message taken from the synth input
    int VoiceDumpCount = 0;
    bool FirstMultiDump = true;
    // A synth message is being decoded: more synth input waits in the queue until it is done.
    bool decodingSynthMessage_ = false;
};
