#include "midi/jack_service.h"

#include "midi/device_names.h"
#include "midi/device_watch.h"
#include "midi/jack_client.h"
#include "midi/jack_input.h"
#include "midi/jack_output.h"

#include <QFileInfo>
#include <unistd.h>

namespace {

// Where a JACK2 server of this user listens, as libjack looks for it. Not a promise of libjack's:
// the service checks the guess while it is connected before it relies on it.
QString serverSocket() {
    const QString server = qEnvironmentVariable("JACK_DEFAULT_SERVER", QStringLiteral("default"));
    const unsigned user = qEnvironmentVariableIsSet("JACK_PROMISCUOUS_SERVER") ? 0 : ::geteuid();
    return QStringLiteral("/dev/shm/jack_%1_%2_0").arg(server).arg(user);
}

} // namespace

bool JackMidiService::Connection::Usable() const {
    return receiving && sending && !receiving->Gone() && !sending->Gone();
}

JackMidiService::JackMidiService(const QString& clientName) : clientName_(clientName) {
    // While no server runs the watch tries to connect every tenth of a second, and libjack would
    // print its failure each time; the program says in its own words that the system has stopped.
    static std::once_flag quiet;
    std::call_once(quiet, [] { jack_set_error_function([](const char*) {}); });
    connection();
    watch_ = std::make_unique<DeviceWatch>([this] { return look(); }, [this] { PostChange(); });
}

JackMidiService::~JackMidiService() = default;

void JackMidiService::closeGoneClients() {
    if (connection_.Usable())
        return;
    // The ports that still hold the clients of a server that has gone fail as they did.
    for (const std::shared_ptr<JackClient>& client : {connection_.receiving, connection_.sending})
        if (client)
            client->Close();
    connection_ = {};
}

JackMidiService::Connection JackMidiService::connection() {
    std::lock_guard lock(mutex_);
    if (!connection_.Usable()) {
        closeGoneClients();
        connection_.receiving = JackClient::Open(clientName_);
        connection_.sending = JackClient::Open(clientName_ + QStringLiteral(" out"));
        if (!connection_.Usable())
            connection_ = {};
        else
            socketKnown_ = QFileInfo::exists(serverSocket());
    }
    running_.store(connection_.Usable());
    return connection_;
}

DeviceSnapshot JackMidiService::look() {
    Connection current;
    bool mayConnect = false;
    {
        std::lock_guard lock(mutex_);
        // A client that connects, or fails to, has libjack clear away every client of the process
        // that the old server left, and a later close of one of those crashes: ours are closed
        // as soon as the server has gone. The program has no other clients, but a test's peer may
        // share the process, so while the server's socket is known to be missing nothing is tried.
        closeGoneClients();
        current = connection_;
        mayConnect = !socketKnown_ || QFileInfo::exists(serverSocket());
    }
    // Connects again once a server that has gone is back, so that the devices can be opened again.
    if (!current.Usable() && mayConnect)
        current = connection();
    DeviceSnapshot seen;
    seen.running = current.Usable();
    running_.store(seen.running);
    if (!seen.running)
        return seen;
    for (const ListedDevice& device : devices(current, JackPortIsOutput))
        seen.inputs << device.reported;
    for (const ListedDevice& device : devices(current, JackPortIsInput))
        seen.outputs << device.reported;
    return seen;
}

bool JackMidiService::SystemRunning() {
    return running_.load();
}

std::vector<ListedDevice> JackMidiService::devices(const Connection& connection,
                                                   unsigned long flags) {
    const QString receiving = connection.receiving->Name() + QLatin1Char(':');
    const QString sending = connection.sending->Name() + QLatin1Char(':');
    QStringList others;
    for (const QString& port : connection.receiving->Ports(flags))
        if (!port.startsWith(receiving) && !port.startsWith(sending))
            others << port;
    return ListDevices(others);
}

QStringList JackMidiService::InputDevices() {
    const Connection current = connection();
    return current.Usable() ? NamesOf(devices(current, JackPortIsOutput)) : QStringList();
}

QStringList JackMidiService::OutputDevices() {
    const Connection current = connection();
    return current.Usable() ? NamesOf(devices(current, JackPortIsInput)) : QStringList();
}

template <class Handle, class Opened, class Sink, class... More>
MidiResult JackMidiService::open(unsigned long deviceFlags, const QString& name, Sink& sink,
                                 std::unique_ptr<Opened>& opened, More&... more) {
    const Connection current = connection();
    if (!current.Usable())
        return MidiNoDriver;
    const std::vector<ListedDevice> listed = devices(current, deviceFlags);
    const ListedDevice* device = FindDevice(listed, name);
    if (!device)
        return MissingDeviceResult(name);
    // A device that sends is read by the receiving client, one that receives is written to by
    // the sending client.
    const std::shared_ptr<JackClient>& client =
        deviceFlags == JackPortIsOutput ? current.receiving : current.sending;
    auto handle = std::make_unique<Handle>(client, sink, more...);
    const MidiResult result = handle->Open(device->reported);
    if (result == MidiOk)
        opened = std::move(handle);
    return result;
}

MidiResult JackMidiService::OpenInput(const QString& name, MidiInputSink& sink,
                                      std::unique_ptr<ServiceInput>& input) {
    return open<JackInput>(JackPortIsOutput, name, sink, input);
}

MidiResult JackMidiService::OpenOutput(const QString& name, MidiOutputSink& sink,
                                       std::unique_ptr<ServiceOutput>& output) {
    return open<JackOutput>(JackPortIsInput, name, sink, output, *watch_);
}
