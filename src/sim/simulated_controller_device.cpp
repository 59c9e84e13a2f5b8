#include "sim/simulated_controller_device.h"

#include "midi/virtual_midi_service.h"

SimulatedControllerDevice::SimulatedControllerDevice(VirtualMidiService& service,
                                                     const QString& name)
    : service_(service), name_(name) {
    service_.AddDevice(name_);
    service_.SetReceiveHandler(name_,
                               [this](std::span<const std::uint8_t> bytes) { receive(bytes); });
}

SimulatedControllerDevice::~SimulatedControllerDevice() {
    service_.SetReceiveHandler(name_, nullptr);
}

SimulatedController SimulatedControllerDevice::Snapshot() const {
    std::lock_guard lock(mutex_);
    return controller_;
}

QStringList SimulatedControllerDevice::Changes() const {
    std::lock_guard lock(mutex_);
    return changes_;
}

void SimulatedControllerDevice::Turn(int encoder, int steps) {
    std::lock_guard lock(mutex_);
    sendOut(controller_.Turn(encoder, steps));
}

void SimulatedControllerDevice::Press(int button) {
    std::lock_guard lock(mutex_);
    sendOut(controller_.Press(button));
}

void SimulatedControllerDevice::receive(std::span<const std::uint8_t> message) {
    std::lock_guard lock(mutex_);
    sendOut(controller_.Receive(message));
}

void SimulatedControllerDevice::sendOut(const SimulatedController::Outcome& outcome) {
    changes_ << outcome.Changes;
    for (const SimulatedController::Message& message : outcome.Sent)
        service_.Inject(name_, message);
}
