#pragma once

#include "midi/device_names.h"
#include "midi/midi_service.h"

#include <memory>
#include <mutex>
#include <vector>

class DeviceWatch;
class JackClient;

// The MIDI service on a JACK server, on libjack: one JACK client for the program, named
// clientName (JACK adds a number when the name is taken), with a port of its own for each device
// opened. Inputs are delivered on JACK's process thread. The client's own ports are left out of
// the device lists.
//
// When the server goes away every open device fails at once: sends raise the invalid-handle error
// and inputs receive nothing more. The lists are then empty, and the next listing or opening
// connects again, so a device chosen again after the server is back opens as before.
class JackMidiService final : public MidiService {
public:
    explicit JackMidiService(const QString& clientName = QStringLiteral("Marrowlink"));
    ~JackMidiService() override;

    QStringList InputDevices() override;
    QStringList OutputDevices() override;
    MidiResult OpenInput(const QString& name, MidiInputSink& sink,
                         std::unique_ptr<ServiceInput>& input) override;
    MidiResult OpenOutput(const QString& name, MidiOutputSink& sink,
                          std::unique_ptr<ServiceOutput>& output) override;

private:
    // The connection to the server, made anew when the last one has gone; null without a server.
    std::shared_ptr<JackClient> connection();
    // Devices are the MIDI ports of other clients; flags pick the ports that send or receive.
    static std::vector<ListedDevice> devices(JackClient& client, unsigned long flags);
    template <class Handle, class Opened, class Sink, class... More>
    MidiResult open(unsigned long deviceFlags, const QString& name, Sink& sink,
                    std::unique_ptr<Opened>& opened, More&... more);

    const QString clientName_;
    std::mutex mutex_; // client_: the Qt thread connects, the device watch lists
    std::shared_ptr<JackClient> client_;
    std::unique_ptr<DeviceWatch> watch_; // last: it uses the client
};
