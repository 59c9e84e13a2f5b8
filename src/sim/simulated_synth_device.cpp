#include "sim/simulated_synth_device.h"

#include "midi/virtual_midi_service.h"

SimulatedSynthDevice::SimulatedSynthDevice(VirtualMidiService& service, const QString& name)
    : service_(service), name_(name) {
    service_.AddDevice(name_);
    service_.SetReceiveHandler(name_,
                               [this](std::span<const std::uint8_t> bytes) { receive(bytes); });
}

SimulatedSynthDevice::~SimulatedSynthDevice() {
    service_.SetReceiveHandler(name_, nullptr);
}

SimulatedSynth SimulatedSynthDevice::Snapshot() const {
    std::lock_guard lock(mutex_);
    return synth_;
}

QStringList SimulatedSynthDevice::Changes() const {
    std::lock_guard lock(mutex_);
    return changes_;
}

bool SimulatedSynthDevice::SelectVoice(int number) {
    std::lock_guard lock(mutex_);
    const auto programChange = synth_.SelectVoice(number);
    if (programChange)
        service_.Inject(name_, *programChange);
    return programChange.has_value();
}

void SimulatedSynthDevice::receive(std::span<const std::uint8_t> message) {
    std::lock_guard lock(mutex_);
    SimulatedSynth::Outcome outcome = synth_.Receive(message);
    changes_ << outcome.Change;
    for (const SimulatedSynth::Message& reply : outcome.Replies)
        service_.Inject(name_, reply);
}
