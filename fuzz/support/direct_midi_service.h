#pragma once

#include "midi/midi_service.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <vector>

// A MIDI service for the fuzz targets that does everything at once on the calling thread: bytes a
// device sends go through the framing rules into the open ports' queues during Inject, and what
// the program sends is checked and dropped. Without a delivery thread to wait for, an input costs
// microseconds rather than the milliseconds of the in-process service's hand-overs.
//
// Everything the program sends must be a well-formed message: a status byte first and 7-bit data
// (a SysEx from F0 to F7 with 7-bit bytes between). Anything else would reach a device corrupted,
// so it aborts the process, which the fuzzer counts as a crash.
class DirectMidiService final : public MidiService {
public:
    DirectMidiService();
    ~DirectMidiService() override;

    // The device both sends to and receives from the computer, unless sendsOnly.
    void AddDevice(const QString& name, bool sendsOnly = false);
    // The device sends one chunk of bytes (no bytes: an empty SysEx buffer), as a driver hands
    // one over.
    void Inject(const QString& device, std::span<const std::uint8_t> bytes);
    // Every open input forgets a message begun in an earlier chunk, as after a restart of the port.
    void ForgetPartialMessages();

    QStringList InputDevices() override;
    QStringList OutputDevices() override;
    MidiResult OpenInput(const QString& name, MidiInputSink& sink,
                         std::unique_ptr<ServiceInput>& input) override;
    MidiResult OpenOutput(const QString& name, MidiOutputSink& sink,
                          std::unique_ptr<ServiceOutput>& output) override;

private:
    class Input;
    class Output;
    struct Device {
        QString name;
        bool sendsOnly;
        std::vector<Input*> inputs;
    };
    Device* find(const QString& name);

    std::vector<Device> devices_;
};
