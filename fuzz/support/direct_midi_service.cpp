#include "support/direct_midi_service.h"

#include "midi/input_delivery.h"
#include "midi/midi_event.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void corrupt(const char* what, std::span<const std::uint8_t> bytes) {
    std::fprintf(stderr, "The program sent a malformed message (%s):", what);
    for (const std::uint8_t byte : bytes)
        std::fprintf(stderr, " %02X", byte);
    std::fprintf(stderr, "\n");
    std::abort();
}

} // namespace

class DirectMidiService::Input final : public InputDelivery {
public:
    Input(DirectMidiService& service, const QString& device, MidiInputSink& sink)
        : InputDelivery(sink), service_(service), device_(device) {}
    ~Input() override {
        if (Device* device = service_.find(device_))
            device->inputs.erase(std::remove(device->inputs.begin(), device->inputs.end(), this),
                                 device->inputs.end());
    }

private:
    DirectMidiService& service_;
    QString device_;
};

class DirectMidiService::Output final : public ServiceOutput {
public:
    explicit Output(MidiOutputSink& sink) : sink_(sink) {}

    MidiResult SendShort(std::uint32_t packed) override {
        const std::uint8_t bytes[3] = {std::uint8_t(packed), std::uint8_t(packed >> 8),
                                       std::uint8_t(packed >> 16)};
        const int length = ShortMessageLength(bytes[0]);
        const std::span<const std::uint8_t> message(bytes, std::size_t(std::max(length, 1)));
        if (!(bytes[0] & 0x80) || length < 1)
            corrupt("a short message without a status byte", message);
        if (std::any_of(message.begin() + 1, message.end(),
                        [](std::uint8_t b) { return b & 0x80; }))
            corrupt("a data byte above 0x7F", message);
        return MidiOk;
    }

    // A SysEx from F0 to F7, or a piece of one: the keyboard's thru passes a SysEx longer than
    // one input buffer on in pieces, which join again on the wire.
    MidiResult SendLong(TMyMidiHdr& header) override {
        const std::span<const std::uint8_t> bytes(header.Data.get(), header.BufferLength);
        if (bytes.empty())
            corrupt("an empty long message", bytes);
        const bool starts = bytes.front() == 0xF0;
        if (!starts && !inSysex_)
            corrupt("a long message that is no SysEx", bytes);
        inSysex_ = true;
        for (std::size_t i = starts ? 1 : 0; i < bytes.size(); ++i) {
            const bool last = i + 1 == bytes.size();
            if (bytes[i] == 0xF7 && last)
                inSysex_ = false;
            else if (bytes[i] & 0x80)
                corrupt("a SysEx with a byte above 0x7F", bytes);
        }
        sink_.LongDone(header);
        return MidiOk;
    }

private:
    MidiOutputSink& sink_;
    bool inSysex_ = false; // a piece of a SysEx went out and its F7 has not yet
};

DirectMidiService::DirectMidiService() = default;
DirectMidiService::~DirectMidiService() = default;

void DirectMidiService::AddDevice(const QString& name, bool sendsOnly) {
    devices_.push_back({name, sendsOnly, {}});
}

DirectMidiService::Device* DirectMidiService::find(const QString& name) {
    for (Device& device : devices_)
        if (device.name == name)
            return &device;
    return nullptr;
}

void DirectMidiService::Inject(const QString& device, std::span<const std::uint8_t> bytes) {
    if (Device* found = find(device))
        for (Input* input : found->inputs)
            input->Deliver(bytes.data(), bytes.size());
}

void DirectMidiService::ForgetPartialMessages() {
    for (Device& device : devices_)
        for (Input* input : device.inputs) {
            input->Stop();
            input->Start();
        }
}

QStringList DirectMidiService::InputDevices() {
    QStringList names;
    for (const Device& device : devices_)
        names << device.name;
    return names;
}

QStringList DirectMidiService::OutputDevices() {
    QStringList names;
    for (const Device& device : devices_)
        if (!device.sendsOnly)
            names << device.name;
    return names;
}

MidiResult DirectMidiService::OpenInput(const QString& name, MidiInputSink& sink,
                                        std::unique_ptr<ServiceInput>& input) {
    Device* device = find(name);
    if (!device)
        return MissingDeviceResult(name);
    auto opened = std::make_unique<Input>(*this, name, sink);
    device->inputs.push_back(opened.get());
    input = std::move(opened);
    return MidiOk;
}

MidiResult DirectMidiService::OpenOutput(const QString& name, MidiOutputSink& sink,
                                         std::unique_ptr<ServiceOutput>& output) {
    const Device* device = find(name);
    if (!device || device->sendsOnly)
        return MissingDeviceResult(name);
    output = std::make_unique<Output>(sink);
    return MidiOk;
}
