#include "midi/rtmidi_service.h"

#include "midi/device_watch.h"
#include "midi/input_delivery.h"
#include "midi/midi_event.h"
#include "midi/rtmidi_support.h"

namespace {

// RtMidi's JACK backend passes each message through a 16 KiB ring and silently drops one that
// does not fit.
constexpr std::size_t JackLongestMessage = 16379;

} // namespace

class RtMidiService::Input final : public InputDelivery {
public:
    Input(std::unique_ptr<RtMidiErrors> errors, std::unique_ptr<RtMidiIn> in, MidiInputSink& sink)
        : InputDelivery(sink), errors_(std::move(errors)), in_(std::move(in)) {
        // Everything is asked for: RtMidi's timing filter would also drop 0xF1, which is queued;
        // the port filters 0xF8 and 0xFE itself.
        in_->ignoreTypes(false, false, false);
        in_->setCallback(&Input::received, this);
    }

    MidiResult open(const ListedDevice& port) {
        in_->openPort(port.index, "in");
        return in_->isPortOpen() ? MidiOk : errors_->Result();
    }

private:
    // The backend's thread.
    static void received(double, std::vector<unsigned char>* message, void* self) {
        static_cast<Input*>(self)->Deliver(message->data(), message->size());
    }

    std::unique_ptr<RtMidiErrors> errors_;
    // Destroyed before the delivery it calls; that waits for the backend's thread, so no call
    // arrives afterwards.
    std::unique_ptr<RtMidiIn> in_;
};

class RtMidiService::Output final : public ServiceOutput {
public:
    Output(std::unique_ptr<RtMidiErrors> errors, std::unique_ptr<RtMidiOut> out,
           MidiOutputSink& sink, DeviceWatch& watch)
        : errors_(std::move(errors)), out_(std::move(out)), sink_(sink), watch_(watch),
          jack_(out_->getCurrentApi() == RtMidi::UNIX_JACK) {}
    ~Output() override { watch_.Forget(gone_); }

    MidiResult open(const ListedDevice& port) {
        out_->openPort(port.index, "out");
        if (!out_->isPortOpen())
            return errors_->Result();
        watch_.Watch(port.reported, gone_);
        return MidiOk;
    }

    MidiResult SendShort(std::uint32_t packed) override {
        const std::uint8_t bytes[3] = {std::uint8_t(packed), std::uint8_t(packed >> 8),
                                       std::uint8_t(packed >> 16)};
        return send(bytes, std::size_t(ShortMessageLength(bytes[0])));
    }

    MidiResult SendLong(TMyMidiHdr& header) override {
        if (jack_ && header.BufferLength > JackLongestMessage)
            return MidiTooLong;
        const MidiResult result = send(header.Data.get(), header.BufferLength);
        if (result == MidiOk)
            sink_.LongDone(header);
        return result;
    }

private:
    MidiResult send(const std::uint8_t* bytes, std::size_t count) {
        if (gone_.load(std::memory_order_acquire))
            return MidiNoDevice;
        errors_->Clear();
        out_->sendMessage(bytes, count);
        return errors_->Result();
    }

    std::unique_ptr<RtMidiErrors> errors_;
    std::unique_ptr<RtMidiOut> out_;
    MidiOutputSink& sink_;
    DeviceWatch& watch_;
    const bool jack_;
    std::atomic<bool> gone_{false};
};

RtMidiService::RtMidiService(MidiBackend backend, const QString& clientName)
    : backend_(ResolveBackend(backend)), clientName_(clientName),
      ownPort_(QLatin1Char('^') + QRegularExpression::escape(clientName) +
               QStringLiteral("(-\\d+)?:")),
      listErrors_(std::make_unique<RtMidiErrors>()),
      inputList_(MakeRtMidi<RtMidiIn>(backend_, clientName.toStdString(), *listErrors_)),
      outputList_(MakeRtMidi<RtMidiOut>(backend_, clientName.toStdString(), *listErrors_)),
      watch_(std::make_unique<DeviceWatch>(
          [this] {
              DeviceSnapshot seen;
              for (const ListedDevice& port : inputPorts())
                  seen.inputs << port.reported;
              for (const ListedDevice& port : outputPorts())
                  seen.outputs << port.reported;
              return seen;
          },
          [this] { PostChange(); })) {}

RtMidiService::~RtMidiService() = default;

template <class Api> std::vector<ListedDevice> RtMidiService::portsOf(Api* api) {
    std::lock_guard lock(listing_);
    if (!api)
        return {};
    QStringList reported;
    std::vector<unsigned> indexes;
    const unsigned count = api->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        const QString name = QString::fromStdString(api->getPortName(i));
        // A port can vanish between the count and the name.
        if (name.isEmpty() || ownPort_.match(name).hasMatch())
            continue;
        reported << name;
        indexes.push_back(i);
    }
    listErrors_->Clear();
    return ListDevices(reported, indexes);
}

std::vector<ListedDevice> RtMidiService::inputPorts() {
    return portsOf(inputList_.get());
}

std::vector<ListedDevice> RtMidiService::outputPorts() {
    return portsOf(outputList_.get());
}

QStringList RtMidiService::InputDevices() {
    return NamesOf(inputPorts());
}

QStringList RtMidiService::OutputDevices() {
    return NamesOf(outputPorts());
}

template <class Handle, class Api, class Sink, class Opened, class... More>
MidiResult RtMidiService::open(const std::vector<ListedDevice>& ports, const QString& name,
                               Sink& sink, std::unique_ptr<Opened>& opened, More&... more) {
    const ListedDevice* port = FindDevice(ports, name);
    if (!port)
        return MissingDeviceResult(name);
    auto errors = std::make_unique<RtMidiErrors>();
    auto api = MakeRtMidi<Api>(backend_, clientName_.toStdString(), *errors);
    if (!api)
        return MidiNoDriver;
    auto handle = std::make_unique<Handle>(std::move(errors), std::move(api), sink, more...);
    const MidiResult result = handle->open(*port);
    if (result == MidiOk)
        opened = std::move(handle);
    return result;
}

MidiResult RtMidiService::OpenInput(const QString& name, MidiInputSink& sink,
                                    std::unique_ptr<ServiceInput>& input) {
    return open<Input, RtMidiIn>(inputPorts(), name, sink, input);
}

MidiResult RtMidiService::OpenOutput(const QString& name, MidiOutputSink& sink,
                                     std::unique_ptr<ServiceOutput>& output) {
    return open<Output, RtMidiOut>(outputPorts(), name, sink, output, *watch_);
}
