#pragma once

#include "midi/virtual_midi_service.h"
#include "sim/simulated_controller_device.h"
#include "sim/simulated_synth_device.h"

#include <QString>

// The in-process MIDI devices for trying the editor or the bridge without hardware: a simulated
// synth and a simulated controller, each sending and receiving, and a keyboard that only sends.
class VirtualStudio {
public:
    static inline const QString SynthName = QStringLiteral("TQ5 Simulator");
    static inline const QString ControllerName = QStringLiteral("Virtual Controller");
    static inline const QString KeyboardName = QStringLiteral("Virtual Keyboard");

    VirtualStudio();

    VirtualMidiService& Service() { return service_; }
    SimulatedSynthDevice& Synth() { return synth_; }
    SimulatedControllerDevice& Controller() { return controller_; }

private:
    VirtualMidiService service_;
    SimulatedSynthDevice synth_;
    SimulatedControllerDevice controller_;
};
