#pragma once

#include "midi/device_names.h"
#include "midi/midi_service.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class DeviceWatch;
class JackClient;
struct DeviceSnapshot;

// The MIDI service on a JACK server, on libjack, with a port of its own for each device opened.
// The program has two JACK clients, one for its inputs, named clientName, and one for its
// outputs, named clientName + " out" (JACK adds a number to a name that is taken). One client would
// run once per cycle either after a device's client, to read what that sent, or before it, to have
// what it is sent read in the same cycle, never both: an answer to a program that is both the
// controller and the synth (a bridge to ALSA, say) would then wait a period more. Inputs are
// delivered on JACK's process thread. The clients' own ports are left out of the device lists.
//
// When the server goes away every open device fails at once: sends raise the invalid-handle error
// and inputs receive nothing more. The lists are then empty and the system is not running; the
// device watch connects again once a server answers, and the change handlers hear of both, so a
// device chosen again after the server is back opens as before.
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
    bool SystemRunning() override;

private:
    struct Connection {
        std::shared_ptr<JackClient> receiving;
        std::shared_ptr<JackClient> sending;
        bool Usable() const;
    };

    // The clients on the server, made anew when the server has gone; not usable without a server.
    Connection connection();
    // The device watch's look at the server.
    DeviceSnapshot look();
    // Under mutex_: closes the clients of a server that has gone.
    void closeGoneClients();
    // Devices are the MIDI ports of other clients; flags pick the ports that send or receive.
    static std::vector<ListedDevice> devices(const Connection& connection, unsigned long flags);
    template <class Handle, class Opened, class Sink, class... More>
    MidiResult open(unsigned long deviceFlags, const QString& name, Sink& sink,
                    std::unique_ptr<Opened>& opened, More&... more);

    const QString clientName_;
    std::mutex mutex_; // connection_: the Qt thread connects, the device watch lists
    Connection connection_;
    bool socketKnown_ = false; // under mutex_: the server's socket was where serverSocket() says
    std::atomic<bool> running_{false}; // whether connection_ was usable when last made or asked for
    std::unique_ptr<DeviceWatch> watch_; // last: it uses the clients
};
