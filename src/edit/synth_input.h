#pragma once

#include "edit/change_origin.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <span>

class ControllerEcho;
class EditPath;
class EditorPorts;
class ModulationGroups;
class Operators;
class Prompter;
class VoiceTransmission;
struct EditState;
struct PageControls;
struct SynthData;
namespace Layouts {
struct BulkLayout;
}

// Everything the synth sends: its dumps decoded into the voice and the multi, each message on its
// own as it arrives, with the screen, the controller and the operators refreshed after each voice
// message; a program change on the synth fetches the new voice or multi. A message's values out
// of range are said once it is decoded, in one box.
class SynthInput {
public:
    SynthInput(EditPath& path, SynthData& data, EditState& state, EditorPorts& ports,
               Prompter& prompts, const PageControls& controls, ControllerEcho& echo,
               Operators& operators, ModulationGroups& groups, VoiceTransmission& voice);

    // The synth input's notice: drains its queue.
    void MidiSynthToPCMidiInput();
    // Decodes the message in SysexInStream by its kind.
    void DispatchSynthSysex();
    // One message of the voice or the multi, from the synth or a file: decoded and applied, a
    // voice message followed by the refresh. Returns the texts of its values out of range.
    QStringList DecodeMessage(const Layouts::BulkLayout& layout,
                              std::span<const std::uint8_t> message, Origin origin);
    void RefreshAfterVoiceDump(Origin origin);
    // Says a decode's problems in one warning box, one line each.
    void ReportProblems(const QStringList& problems);
    // Runs a decode of bytes that did not come from the synth (a file load) as the synth's own
    // are run: synth input that arrives meanwhile, while a box waits, stays in its queue and is
    // decoded once the whole decode is done.
    void DecodeHeld(const std::function<void()>& decode);

private:
    EditPath& path_;
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
};
