#include "edit/editor_ports.h"

#include "edit/scope_exit.h"
#include "midi/midi_errors.h"
#include "model/domain.h"
#include "views/prompts.h"
#include "views/services.h"

#include <algorithm>
#include <utility>

namespace {
const QString NoDevice = QStringLiteral("None");
const QString DevicesSection = QStringLiteral("MidiDevices");
constexpr Port InputPorts[] = {Port::SynthIn, Port::CtrlIn, Port::KbdIn};

// The order of the settings keys, of restoring at start-up and of storing at shut-down.
constexpr Port SettingsOrder[] = {Port::SynthIn, Port::SynthOut, Port::CtrlIn, Port::CtrlOut,
                                  Port::KbdIn};

struct Conflict {
    Port own;
    Port other;
    const char* question;
};

// Checked in this order. One input device never serves two input ports, and one output device
// never both outputs.
constexpr Conflict Conflicts[] = {
    {Port::SynthIn, Port::CtrlIn, "The controller has this device.\nReset the controller?"},
    {Port::SynthIn, Port::KbdIn, "The keyboard has this device.\nReset the keyboard?"},
    {Port::SynthOut, Port::CtrlOut, "The BCR output has this device.\nReset the BCR Input?"},
    {Port::CtrlIn, Port::SynthIn, "The Midi input has this device.\nReset the Midi Input?"},
    {Port::CtrlIn, Port::KbdIn, "The keyboard has this device.\nReset the keyboard?"},
    {Port::CtrlOut, Port::SynthOut, "The Synth output has this device.\nReset the Midi Input?"},
    {Port::KbdIn, Port::SynthIn, "The Midi input has this device.\nReset the Midi Input?"},
    {Port::KbdIn, Port::CtrlIn, "The controller has this device.\nReset the controller?"},
};

bool isInput(Port port) {
    return port == Port::SynthIn || port == Port::CtrlIn || port == Port::KbdIn;
}
} // namespace

EditorPorts::EditorPorts(MidiService& midi, Prompter& prompts, SettingsStore& settings)
    : midi_(midi), prompts_(prompts), settings_(settings), synthIn_(midi), ctrlIn_(midi),
      kbdIn_(midi), synthOut_(midi), ctrlOut_(midi) {
    for (Port port : InputPorts) {
        inputOf(port).OnEventsDropped = [this, port](std::uint32_t dropped) {
            reportLoss(Loss::Dropped, port, dropped);
        };
        inputOf(port).OnCyclesMissed = [this, port](std::uint32_t cycles) {
            reportLoss(Loss::CyclesMissed, port, cycles);
        };
    }
    changeHandler_ = midi_.AddChangeHandler([this] { followDevices(); });
}

EditorPorts::~EditorPorts() {
    midi_.RemoveChangeHandler(changeHandler_);
}

void EditorPorts::reportLoss(Loss loss, Port port, std::uint32_t count) {
    unreportedLosses_[std::size_t(loss)][std::size_t(port)] += count;
    if (reportingLosses_)
        return;
    reportingLosses_ = true;
    for (bool said = true; said;) {
        said = false;
        for (Loss kind : {Loss::Dropped, Loss::CyclesMissed})
            for (Port input : InputPorts) {
                const std::uint32_t n =
                    std::exchange(unreportedLosses_[std::size_t(kind)][std::size_t(input)], 0);
                if (n == 0)
                    continue;
                said = true;
                const int index = Index(input);
                const QString device =
                    index >= 0 ? DeviceList(input).value(index) : SettingsKey(input);
                prompts_.Warning(
                    kind == Loss::Dropped
                        ? QStringLiteral("%1 MIDI messages from \"%2\" were lost: they came "
                                         "faster than the editor could take them.")
                              .arg(n)
                              .arg(device)
                        : QStringLiteral("MIDI messages from \"%1\" may have been lost: the MIDI "
                                         "system ran %2 of its cycles without the editor while the "
                                         "device was sending. A JACK server with real-time "
                                         "scheduling keeps the editor in time.")
                              .arg(device)
                              .arg(n));
            }
    }
    reportingLosses_ = false;
}

QString EditorPorts::SettingsKey(Port port) {
    switch (port) {
    case Port::SynthIn:
        return QStringLiteral("Input");
    case Port::SynthOut:
        return QStringLiteral("Output");
    case Port::CtrlIn:
        return QStringLiteral("CtrlInput");
    case Port::CtrlOut:
        return QStringLiteral("CtrlOutput");
    case Port::KbdIn:
        break;
    }
    return QStringLiteral("KbdInput");
}

int& EditorPorts::indexOf(Port port) {
    switch (port) {
    case Port::SynthIn:
        return synthInIndex_;
    case Port::SynthOut:
        return synthOutIndex_;
    case Port::CtrlIn:
        return ctrlInIndex_;
    case Port::CtrlOut:
        return ctrlOutIndex_;
    case Port::KbdIn:
        break;
    }
    return kbdInIndex_;
}

int EditorPorts::Index(Port port) const {
    return const_cast<EditorPorts*>(this)->indexOf(port);
}

TMidiInput& EditorPorts::inputOf(Port port) {
    return port == Port::SynthIn ? synthIn_ : port == Port::CtrlIn ? ctrlIn_ : kbdIn_;
}

TMidiOutput& EditorPorts::outputOf(Port port) {
    return port == Port::SynthOut ? synthOut_ : ctrlOut_;
}

const QStringList& EditorPorts::DeviceList(Port port) const {
    return isInput(port) ? inputDevices_ : outputDevices_;
}

bool EditorPorts::ListDevices() {
    inputDevices_.clear();
    outputDevices_.clear();
    // The controller's ports list the devices, as they always have.
    const unsigned inputs = ctrlIn_.DeviceCount();
    for (unsigned i = 0; i < inputs; ++i) {
        ctrlIn_.SetDeviceID(i);
        inputDevices_ << ctrlIn_.ProductName();
    }
    const unsigned outputs = ctrlOut_.DeviceCount();
    for (unsigned i = 0; i < outputs; ++i) {
        ctrlOut_.SetDeviceID(i);
        outputDevices_ << ctrlOut_.ProductName();
    }
    inputDevices_ << NoDevice;
    outputDevices_ << NoDevice;
    for (Port port : SettingsOrder)
        indexOf(port) = -1;
    listed_ = true;
    systemRunning_ = midi_.SystemRunning();
    if (inputs == 0) {
        prompts_.Error(QStringLiteral("You need a Midi interface for this program to work."));
        return false;
    }
    return true;
}

void EditorPorts::closePort(Port port) {
    if (isInput(port))
        inputOf(port).StopAndClose();
    else
        outputOf(port).Close();
}

void EditorPorts::resetPort(Port port) {
    closePort(port);
    indexOf(port) = -1;
    settings_.SetValue(DevicesSection, SettingsKey(port), NoDevice);
}

bool EditorPorts::ChooseDevice(Port port, int entry) {
    bool chosen = false;
    {
        choosing_ = true;
        ScopeExit done([this] { choosing_ = false; });
        chosen = choose(port, entry);
    }
    if (followAgain_)
        followDevices();
    return chosen;
}

bool EditorPorts::choose(Port port, int entry) {
    const QStringList& list = DeviceList(port);
    if (entry < 0 || entry >= list.size() - 1) {
        resetPort(port);
        return true;
    }
    for (const Conflict& c : Conflicts) {
        if (c.own != port || indexOf(c.other) != entry)
            continue;
        if (prompts_.ErrorQuestion(QString::fromLatin1(c.question)) != Answer::Yes)
            return false;
        resetPort(c.other);
    }
    closePort(port);
    indexOf(port) = -1;
    if (!open(port, entry))
        return true;
    settings_.SetValue(DevicesSection, SettingsKey(port), list[entry]);
    if (port == Port::CtrlOut && OnControllerOutputChosen)
        OnControllerOutputChosen();
    return true;
}

bool EditorPorts::open(Port port, int entry) {
    const QString& name = DeviceList(port)[entry];
    // A device that cannot be opened is reported and left unchosen; its stored name stays, so the
    // next start tries it again.
    // The device is selected by the name the list shows: the service's own numbering may have
    // changed since the list was made (a device unplugged), and must not open another device.
    auto refuse = [&](const QString& direction, const QString& reason) {
        prompts_.Error(QStringLiteral("The MIDI %1 device \"%2\" cannot be opened: %3")
                           .arg(direction, name, reason));
        return false;
    };
    if (isInput(port)) {
        TMidiInput& input = inputOf(port);
        try {
            input.SetProductName(name);
            input.OpenAndStart();
        } catch (const EMidiError& error) {
            return refuse(QStringLiteral("input"), error.Message());
        }
    } else {
        TMidiOutput& output = outputOf(port);
        try {
            output.SetProductName(name);
        } catch (const EMidiError& error) {
            return refuse(QStringLiteral("output"), error.Message());
        }
        if (!output.Open())
            return refuse(QStringLiteral("output"), MidiService::ResultText(output.Error()));
    }
    indexOf(port) = entry;
    return true;
}

int EditorPorts::FindDevice(Port port, const QString& name) const {
    const QStringList& list = DeviceList(port);
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return list.size() - 1;
}

QString EditorPorts::RememberedDevice(const SettingsStore& settings, Port port) {
    const QString name = settings.Value(DevicesSection, SettingsKey(port), NoDevice).toString();
    return name.compare(NoDevice, Qt::CaseInsensitive) == 0 ? QString() : name;
}

void EditorPorts::RestoreDevices() {
    for (Port port : SettingsOrder) {
        const QString name = RememberedDevice(settings_, port);
        const int entry = FindDevice(port, name);
        if (!name.isEmpty() && entry == DeviceList(port).size() - 1)
            continue;
        try {
            ChooseDevice(port, entry);
        } catch (const EMidiError& error) {
            // A remembered device that is present but cannot be opened: say so and go on
            // without it.
            prompts_.Error(error.Message());
        }
    }
}

void EditorPorts::followDevices() {
    if (!listed_ || choosing_ || following_) {
        followAgain_ = listed_;
        return;
    }
    following_ = true;
    ScopeExit done([this] { following_ = false; });
    do {
        followAgain_ = false;
        followOnce();
    } while (followAgain_);
}

void EditorPorts::followOnce() {
    const bool wasRunning = std::exchange(systemRunning_, midi_.SystemRunning());
    std::array<QString, PortCount> opened;
    for (Port port : SettingsOrder)
        if (Index(port) >= 0)
            opened[std::size_t(port)] = DeviceList(port)[Index(port)];
    // A system that has stopped is not asked: it may take a while to answer that it is not there.
    const QStringList oldInputs = std::exchange(
        inputDevices_, (systemRunning_ ? midi_.InputDevices() : QStringList()) << NoDevice);
    const QStringList oldOutputs = std::exchange(
        outputDevices_, (systemRunning_ ? midi_.OutputDevices() : QStringList()) << NoDevice);
    const QStringList gone = closeGone(opened);
    openAppeared(oldInputs, oldOutputs);
    // Said once the ports are as they will stay: a box runs a nested event loop.
    if (wasRunning && !systemRunning_) {
        prompts_.Error(QStringLiteral("The MIDI system has stopped, and the MIDI devices are "
                                      "closed. They are opened again when it is back."));
        return;
    }
    for (const QString& name : gone)
        prompts_.Error(QStringLiteral("The MIDI device \"%1\" has gone, and its port is closed. "
                                      "It is opened again when it is back.")
                           .arg(name));
}

QStringList EditorPorts::closeGone(const std::array<QString, PortCount>& opened) {
    QStringList gone;
    for (Port port : SettingsOrder) {
        const QString& name = opened[std::size_t(port)];
        if (name.isEmpty())
            continue;
        const QStringList& list = DeviceList(port);
        const int entry = int(list.indexOf(name));
        if (entry >= 0 && entry < list.size() - 1) {
            indexOf(port) = entry;
            continue;
        }
        indexOf(port) = -1;
        try {
            closePort(port);
        } catch (const EMidiError&) {
            // Its device has gone: there is nothing left to close.
        }
        if (!gone.contains(name))
            gone << name;
    }
    return gone;
}

void EditorPorts::openAppeared(const QStringList& oldInputs, const QStringList& oldOutputs) {
    for (Port port : SettingsOrder) {
        const QString name = RememberedDevice(settings_, port);
        const QStringList& before = isInput(port) ? oldInputs : oldOutputs;
        if (Index(port) >= 0 || name.isEmpty() || before.contains(name, Qt::CaseInsensitive))
            continue;
        const int entry = FindDevice(port, name);
        if (entry == DeviceList(port).size() - 1)
            continue;
        // A device another port has taken meanwhile stays with it.
        const bool taken =
            std::any_of(std::begin(SettingsOrder), std::end(SettingsOrder), [&](Port other) {
                return isInput(other) == isInput(port) && Index(other) == entry;
            });
        if (!taken && open(port, entry) && port == Port::CtrlOut && OnControllerOutputChosen)
            OnControllerOutputChosen();
    }
}

void EditorPorts::CloseAndStore() {
    std::exception_ptr failure;
    auto attempt = [&failure](auto&& step) {
        try {
            step();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    if (synthOutIndex_ != -1)
        attempt([this] { synthOut_.Close(); });
    if (synthInIndex_ != -1)
        attempt([this] { synthIn_.StopAndClose(); });
    if (ctrlInIndex_ != -1)
        attempt([this] { ctrlIn_.StopAndClose(); });
    if (ctrlOutIndex_ != -1)
        attempt([this] { ctrlOut_.Close(); });
    if (kbdInIndex_ != -1)
        attempt([this] { kbdIn_.StopAndClose(); });
    for (Port port : SettingsOrder) {
        const int index = indexOf(port);
        if (index != -1)
            settings_.SetValue(DevicesSection, SettingsKey(port), DeviceList(port).value(index));
    }
    if (failure)
        std::rethrow_exception(failure);
}

void EditorPorts::ToSynth(std::span<const std::uint8_t> message) {
    if (SynthOutputChosen())
        synthOut_.PutLong(message.data(), std::uint16_t(message.size()));
}

void EditorPorts::ControllerCc(int cc, int value) {
    if (ControllerOutputChosen())
        ctrlOut_.PutShort(std::uint8_t(MidiStatus::ControlChange | ControllerChannel),
                          std::uint8_t(cc), std::uint8_t(value));
}
