#include "edit/editor.h"
#include "views/prompts.h"
#include "views/services.h"
#include "views/views.h"

namespace {
const QString NoDevice = QStringLiteral("None");

struct Conflict {
    Editor::Port own;
    Editor::Port other;
    const char* question;
};

// Checked in this order. One input device never serves two input ports, and one output device
// never both outputs.
constexpr Conflict Conflicts[] = {
    {Editor::Port::SynthIn, Editor::Port::CtrlIn,
     "The controller has this device.\nReset the controller?"},
    {Editor::Port::SynthIn, Editor::Port::KbdIn,
     "The keyboard has this device.\nReset the keyboard?"},
    {Editor::Port::SynthOut, Editor::Port::CtrlOut,
     "The BCR output has this device.\nReset the BCR Input?"},
    {Editor::Port::CtrlIn, Editor::Port::SynthIn,
     "The Midi input has this device.\nReset the Midi Input?"},
    {Editor::Port::CtrlIn, Editor::Port::KbdIn,
     "The keyboard has this device.\nReset the keyboard?"},
    {Editor::Port::CtrlOut, Editor::Port::SynthOut,
     "The Synth output has this device.\nReset the Midi Input?"},
    {Editor::Port::KbdIn, Editor::Port::SynthIn,
     "The Midi input has this device.\nReset the Midi Input?"},
    {Editor::Port::KbdIn, Editor::Port::CtrlIn,
     "The controller has this device.\nReset the controller?"},
};

bool isInput(Editor::Port port) {
    return port == Editor::Port::SynthIn || port == Editor::Port::CtrlIn ||
           port == Editor::Port::KbdIn;
}
} // namespace

QString Editor::SettingsKey(Port port) {
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
        return QStringLiteral("KbdInput");
    }
    return {};
}

int& Editor::indexOf(Port port) {
    switch (port) {
    case Port::SynthIn:
        return Devices.SynthIn;
    case Port::SynthOut:
        return Devices.SynthOut;
    case Port::CtrlIn:
        return Devices.CtrlIn;
    case Port::CtrlOut:
        return Devices.CtrlOut;
    case Port::KbdIn:
        break;
    }
    return Devices.KbdIn;
}

TMidiInput& Editor::inputOf(Port port) {
    return port == Port::SynthIn ? MidiSynthToPC : port == Port::CtrlIn ? MidiBCtoPC : MidiKbdToPC;
}

TMidiOutput& Editor::outputOf(Port port) {
    return port == Port::SynthOut ? MidiPCToSynth : MidiPCtoBC;
}

const QStringList& Editor::DeviceList(Port port) const {
    return isInput(port) ? InputDevices : OutputDevices;
}

bool Editor::ListDevices() {
    InputDevices.clear();
    OutputDevices.clear();
    const unsigned inputs = MidiBCtoPC.DeviceCount();
    for (unsigned i = 0; i < inputs; ++i) {
        MidiBCtoPC.SetDeviceID(i);
        InputDevices << MidiBCtoPC.ProductName();
    }
    const unsigned outputs = MidiPCtoBC.DeviceCount();
    for (unsigned i = 0; i < outputs; ++i) {
        MidiPCtoBC.SetDeviceID(i);
        OutputDevices << MidiPCtoBC.ProductName();
    }
    InputDevices << NoDevice;
    OutputDevices << NoDevice;
    Devices = {};
    if (inputs == 0) {
        services_.prompts.Error(
            QStringLiteral("You need a Midi interface for this program to work."));
        return false;
    }
    return true;
}

void Editor::closePort(Port port) {
    if (isInput(port))
        inputOf(port).StopAndClose();
    else
        outputOf(port).Close();
}

void Editor::resetPort(Port port) {
    closePort(port);
    indexOf(port) = -1;
    services_.settings.SetValue(QStringLiteral("MidiDevices"), SettingsKey(port), NoDevice);
}

bool Editor::ChooseDevice(Port port, int entry) {
    const QStringList& list = DeviceList(port);
    if (entry < 0 || entry >= list.size() - 1) {
        resetPort(port);
        return true;
    }
    for (const Conflict& c : Conflicts) {
        if (c.own != port || indexOf(c.other) != entry)
            continue;
        if (services_.prompts.ErrorQuestion(QString::fromLatin1(c.question)) != Answer::Yes)
            return false;
        resetPort(c.other);
    }
    closePort(port);
    indexOf(port) = entry;
    if (isInput(port)) {
        TMidiInput& input = inputOf(port);
        try {
            input.SetDeviceID(unsigned(entry));
            input.OpenAndStart();
        } catch (...) {
            // A device that cannot be opened is not kept as chosen.
            indexOf(port) = -1;
            throw;
        }
    } else {
        TMidiOutput& output = outputOf(port);
        output.SetDeviceID(unsigned(entry));
        output.Open();
    }
    services_.settings.SetValue(QStringLiteral("MidiDevices"), SettingsKey(port), list[entry]);
    if (port == Port::CtrlOut && Controls.bLoadBCR)
        Controls.bLoadBCR->SetVisible(true);
    return true;
}

int Editor::FindDevice(Port port, const QString& name) const {
    const QStringList& list = DeviceList(port);
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return list.size() - 1;
}
