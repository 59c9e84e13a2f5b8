#pragma once

#include "sim/simulated_synth.h"

#include <QString>
#include <QStringList>
#include <mutex>

class VirtualMidiService;

// A simulated synth as a device of the in-process MIDI service: what the program's outputs send to
// the device reaches the synth, and its replies come back as the device's input. The synth runs on
// the service's delivery thread; the accessors here take a consistent copy from any thread.
class SimulatedSynthDevice {
public:
    // Adds the device (it both sends and receives) under this name.
    SimulatedSynthDevice(VirtualMidiService& service, const QString& name);
    ~SimulatedSynthDevice();
    SimulatedSynthDevice(const SimulatedSynthDevice&) = delete;
    SimulatedSynthDevice& operator=(const SimulatedSynthDevice&) = delete;

    SimulatedSynth Snapshot() const;
    // What each message the synth received did, in order.
    QStringList Changes() const;
    // A voice chosen on the synth's panel: the voice changes and a program change goes out.
    bool SelectVoice(int number);

private:
    void receive(std::span<const std::uint8_t> message);

    VirtualMidiService& service_;
    const QString name_;
    mutable std::mutex mutex_;
    SimulatedSynth synth_;
    QStringList changes_;
};
