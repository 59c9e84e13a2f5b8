#include "midi/jack_service.h"

#include "midi/device_names.h"
#include "midi/device_watch.h"
#include "midi/jack_client.h"
#include "midi/jack_input.h"
#include "midi/jack_output.h"

JackMidiService::JackMidiService(const QString& clientName)
    : clientName_(clientName), client_(JackClient::Open(clientName)),
      watch_(std::make_unique<DeviceWatch>([this] {
          std::shared_ptr<JackClient> client;
          {
              std::lock_guard lock(mutex_);
              client = client_;
          }
          // Without a server every device has gone; the watch never connects again itself.
          return client && !client->Gone() ? client->OtherPorts(JackPortIsInput) : QStringList();
      })) {}

JackMidiService::~JackMidiService() = default;

std::shared_ptr<JackClient> JackMidiService::connection() {
    std::lock_guard lock(mutex_);
    if (client_ && client_->Gone())
        client_->Close(); // the ports that still hold it fail as they did
    if (!client_ || client_->Gone())
        client_ = JackClient::Open(clientName_);
    return client_;
}

std::vector<ListedDevice> JackMidiService::devices(JackClient& client, unsigned long flags) {
    return ListDevices(client.OtherPorts(flags));
}

QStringList JackMidiService::InputDevices() {
    const std::shared_ptr<JackClient> client = connection();
    return client ? NamesOf(devices(*client, JackPortIsOutput)) : QStringList();
}

QStringList JackMidiService::OutputDevices() {
    const std::shared_ptr<JackClient> client = connection();
    return client ? NamesOf(devices(*client, JackPortIsInput)) : QStringList();
}

template <class Handle, class Opened, class Sink, class... More>
MidiResult JackMidiService::open(unsigned long deviceFlags, const QString& name, Sink& sink,
                                 std::unique_ptr<Opened>& opened, More&... more) {
    const std::shared_ptr<JackClient> client = connection();
    if (!client)
        return MidiNoDriver;
    const std::vector<ListedDevice> listed = devices(*client, deviceFlags);
    const ListedDevice* device = FindDevice(listed, name);
    if (!device)
        return MissingDeviceResult(name);
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
