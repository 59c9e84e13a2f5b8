#include "midi/jack_service.h"

#include "midi/device_names.h"
#include "midi/device_watch.h"
#include "midi/jack_client.h"
#include "midi/jack_input.h"
#include "midi/jack_output.h"

bool JackMidiService::Connection::Usable() const {
    return receiving && sending && !receiving->Gone() && !sending->Gone();
}

JackMidiService::JackMidiService(const QString& clientName)
    : clientName_(clientName), watch_(std::make_unique<DeviceWatch>([this] {
          Connection current;
          {
              std::lock_guard lock(mutex_);
              current = connection_;
          }
          // Without a server every device has gone; the watch never connects again itself.
          QStringList reported;
          if (current.Usable())
              for (const ListedDevice& device : devices(current, JackPortIsInput))
                  reported << device.reported;
          return reported;
      })) {
    connection();
}

JackMidiService::~JackMidiService() = default;

JackMidiService::Connection JackMidiService::connection() {
    std::lock_guard lock(mutex_);
    if (connection_.Usable())
        return connection_;
    // The ports that still hold the clients of a server that has gone fail as they did.
    for (const std::shared_ptr<JackClient>& client : {connection_.receiving, connection_.sending})
        if (client)
            client->Close();
    connection_.receiving = JackClient::Open(clientName_);
    connection_.sending = JackClient::Open(clientName_ + QStringLiteral(" out"));
    if (!connection_.Usable())
        connection_ = {};
    return connection_;
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
