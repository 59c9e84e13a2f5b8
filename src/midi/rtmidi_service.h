#pragma once

#include "midi/device_names.h"
#include "midi/midi_backend.h"
#include "midi/midi_service.h"

#include <QRegularExpression>
#include <memory>
#include <mutex>
#include <vector>

class DeviceWatch;
class RtMidiIn;
class RtMidiOut;
struct RtMidiErrors;

// The real MIDI service, on RtMidi: ALSA or JACK on Linux, the native system elsewhere. Inputs are
// delivered on the backend's own thread. The device watch looks at the lists every tenth of a
// second: the change handlers hear what it saw change, and an output whose device has gone fails
// its sends once it has noticed. Every port this service opens belongs to a
// client named clientName; those ports are left out of the device lists so the program never offers
// itself.
class RtMidiService final : public MidiService {
public:
    explicit RtMidiService(MidiBackend backend = MidiBackend::PlatformDefault,
                           const QString& clientName = QStringLiteral("Marrowlink"));
    ~RtMidiService() override;

    MidiBackend Backend() const { return backend_; }

    QStringList InputDevices() override;
    QStringList OutputDevices() override;
    MidiResult OpenInput(const QString& name, MidiInputSink& sink,
                         std::unique_ptr<ServiceInput>& input) override;
    MidiResult OpenOutput(const QString& name, MidiOutputSink& sink,
                          std::unique_ptr<ServiceOutput>& output) override;

private:
    class Input;
    class Output;

    std::vector<ListedDevice> inputPorts();
    std::vector<ListedDevice> outputPorts();
    template <class Api> std::vector<ListedDevice> portsOf(Api* api);
    template <class Handle, class Api, class Sink, class Opened, class... More>
    MidiResult open(const std::vector<ListedDevice>& ports, const QString& name, Sink& sink,
                    std::unique_ptr<Opened>& opened, More&... more);

    const MidiBackend backend_;
    const QString clientName_;
    const QRegularExpression ownPort_;
    std::mutex listing_; // the lists serve the Qt thread and the device watch
    std::unique_ptr<RtMidiErrors> listErrors_;
    std::unique_ptr<RtMidiIn> inputList_;
    std::unique_ptr<RtMidiOut> outputList_;
    std::unique_ptr<DeviceWatch> watch_; // last: it uses the lists
};
