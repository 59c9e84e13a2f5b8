#include "midi/midi_errors.h"
#include "midi/midi_ports.h"

TMidiIO::TMidiIO(MidiService& service, Direction direction)
    : service_(service), direction_(direction),
      notifier_([this](PortNotifier::Kind kind) { notified(kind); }), record_(notifier_) {}

QStringList TMidiIO::deviceNames() const {
    return direction_ == Direction::Input ? service_.InputDevices() : service_.OutputDevices();
}

void TMidiIO::raise(const QString& text) const {
    if (direction_ == Direction::Input)
        throw EMidiInputError(text);
    throw EMidiOutputError(text);
}

void TMidiIO::followDevice() {
    const int index = deviceNames().indexOf(productName_);
    if (index >= 0)
        deviceId_ = std::uint32_t(index);
}

void TMidiIO::SetDeviceID(std::uint32_t id) {
    if (isOpen())
        raise(QStringLiteral("Change to DeviceID while device was open"));
    const QStringList names = deviceNames();
    if (id >= std::uint32_t(names.size()))
        raise(QStringLiteral("Invalid device ID"));
    deviceId_ = id;
    productName_ = names[int(id)];
    if (OnDeviceChanged)
        OnDeviceChanged();
}

void TMidiIO::SetProductName(const QString& name) {
    if (isOpen())
        raise(QStringLiteral("Change to ProductName while device was open"));
    const int index = deviceNames().indexOf(name);
    if (index >= 0) {
        SetDeviceID(std::uint32_t(index));
        return;
    }
    if (direction_ == Direction::Input)
        raise(QStringLiteral("MIDI Input Device ") + name + QStringLiteral(" not installed "));
    raise(QStringLiteral("MIDI output Device ") + name + QStringLiteral(" not installed"));
}
