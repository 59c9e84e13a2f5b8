#pragma once

#include "sim/simulated_controller.h"

#include <QString>
#include <QStringList>
#include <mutex>

class VirtualMidiService;

// A simulated controller as a device of the in-process MIDI service: what the program's outputs
// send to the device reaches the controller, and its answers and what its elements send come back
// as the device's input. Messages arrive on the service's delivery thread; the accessors take a
// consistent copy from any thread.
class SimulatedControllerDevice {
public:
    // Adds the device (it both sends and receives) under this name.
    SimulatedControllerDevice(VirtualMidiService& service, const QString& name);
    ~SimulatedControllerDevice();
    SimulatedControllerDevice(const SimulatedControllerDevice&) = delete;
    SimulatedControllerDevice& operator=(const SimulatedControllerDevice&) = delete;

    SimulatedController Snapshot() const;
    // What each message received and each action did, in order.
    QStringList Changes() const;
    // A hand on the controller: what the encoder or key sends goes out to the program.
    void Turn(int encoder, int steps);
    void Press(int button);

private:
    void receive(std::span<const std::uint8_t> message);
    void sendOut(const SimulatedController::Outcome& outcome);

    VirtualMidiService& service_;
    const QString name_;
    mutable std::mutex mutex_;
    SimulatedController controller_;
    QStringList changes_;
};
