#pragma once

#include "midi/midi_ports.h"

#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <span>

class MidiService;
class Prompter;
class SettingsStore;

enum class Port { SynthIn, SynthOut, CtrlIn, CtrlOut, KbdIn };
constexpr std::size_t PortCount = 5;

// The five MIDI ports, the device chosen for each and how a choice is made: a device taken from
// another port only after a question, every choice stored in the settings file. A port without a
// device has index -1, and nothing is sent to it.
//
// The ports follow the MIDI system: when its devices change, the lists are made anew; a port whose
// device has gone is closed, and so is every port when the system stops (each said once); a
// device the settings name for a port without one is opened as soon as it appears, also when the
// system is back.
class EditorPorts {
public:
    EditorPorts(MidiService& midi, Prompter& prompts, SettingsStore& settings);
    ~EditorPorts();
    EditorPorts(const EditorPorts&) = delete;
    EditorPorts& operator=(const EditorPorts&) = delete;

    TMidiInput& MidiSynthToPC() { return synthIn_; }
    TMidiInput& MidiBCtoPC() { return ctrlIn_; }
    TMidiInput& MidiKbdToPC() { return kbdIn_; }
    TMidiOutput& MidiPCToSynth() { return synthOut_; }
    TMidiOutput& MidiPCtoBC() { return ctrlOut_; }

    // Fills the device lists ("None" last: entry i below the count is device i); false, after an
    // error box, when there is no input device at all.
    bool ListDevices();
    const QStringList& DeviceList(Port port) const;
    int Index(Port port) const;
    // The first entry equal to the name, letter case ignored; the "None" entry when none is.
    int FindDevice(Port port, const QString& name) const;
    // The device list's click action: opens the entry's device on the port (or closes the port for
    // "None"), asking before taking a device from another port. False when the user keeps the other
    // port's device. A device that cannot be opened is reported in an error box and the port is
    // left without a device; the stored name does not change.
    bool ChooseDevice(Port port, int entry);
    // Start-up: chooses the devices the settings file names. A device that is not there is left
    // unchosen and keeps its name in the file, to be opened when it appears.
    void RestoreDevices();
    // Shut-down: closes the ports that have a device and stores their names. Every step runs; the
    // first port error is raised at the end.
    void CloseAndStore();
    static QString SettingsKey(Port port);
    // The device the settings name for the port; empty for none.
    static QString RememberedDevice(const SettingsStore& settings, Port port);

    bool SynthOutputChosen() const { return synthOutIndex_ != -1; }
    bool ControllerOutputChosen() const { return ctrlOutIndex_ != -1; }
    bool ControllerInputChosen() const { return ctrlInIndex_ != -1; }
    // Sends a whole message to the synth, if a synth output is chosen.
    void ToSynth(std::span<const std::uint8_t> message);
    // Sends a control change to the controller on its channel, if a controller output is chosen.
    void ControllerCc(int cc, int value);

    // Raised when a device has been chosen for the controller output.
    std::function<void()> OnControllerOutputChosen;

private:
    bool choose(Port port, int entry);
    // Selects and opens the entry's device; false (after an error box) when it cannot be opened.
    bool open(Port port, int entry);
    // The MIDI service's change handler. It waits while a choice is being made (its question runs
    // a nested event loop), and a change heard inside its own boxes is followed after them.
    void followDevices();
    void followOnce();
    // Closes the ports whose devices are no longer listed; the names of those devices.
    QStringList closeGone(const std::array<QString, PortCount>& opened);
    // Opens the remembered devices that the old lists did not have and the new ones do.
    void openAppeared(const QStringList& oldInputs, const QStringList& oldOutputs);
    // Messages an input had no room for, or cycles of the MIDI system that ran without it.
    enum class Loss { Dropped, CyclesMissed };
    // Says that an input lost messages. Losses while its box is open are added up per kind and
    // port and said once it closes.
    void reportLoss(Loss loss, Port port, std::uint32_t count);
    int& indexOf(Port port);
    TMidiInput& inputOf(Port port);
    TMidiOutput& outputOf(Port port);
    void closePort(Port port);
    void resetPort(Port port);

    MidiService& midi_;
    Prompter& prompts_;
    SettingsStore& settings_;
    int changeHandler_ = 0;
    bool listed_ = false;
    bool systemRunning_ = true;
    bool choosing_ = false;
    bool following_ = false;
    bool followAgain_ = false;
    TMidiInput synthIn_;
    TMidiInput ctrlIn_;
    TMidiInput kbdIn_;
    TMidiOutput synthOut_;
    TMidiOutput ctrlOut_;
    int synthInIndex_ = -1;
    int synthOutIndex_ = -1;
    int ctrlInIndex_ = -1;
    int ctrlOutIndex_ = -1;
    int kbdInIndex_ = -1;
    QStringList inputDevices_;
    QStringList outputDevices_;
    bool reportingLosses_ = false;
    std::array<std::array<std::uint32_t, PortCount>, 2> unreportedLosses_{};
};
