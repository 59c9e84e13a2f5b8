#include "edit/editor.h"
#include "edit/scope_exit.h"
#include "midi/midi_errors.h"
#include "midi/midi_ports.h"
#include "views/prompts.h"
#include "views/services.h"
#include "views/views.h"

namespace {
constexpr Editor::Port RestoreOrder[] = {Editor::Port::SynthIn, Editor::Port::SynthOut,
                                         Editor::Port::CtrlIn, Editor::Port::CtrlOut,
                                         Editor::Port::KbdIn};
const QString DevicesSection = QStringLiteral("MidiDevices");
} // namespace

bool Editor::StartUp(int systemWheelLines) {
    EnvRevStartup = true;
    SplashFade = true;
    ScreenEditArmed = false;
    Updating = false;
    SettingsStore& settings = services_.settings;

    const bool haveInputs = ListDevices();

    TimeReverse =
        settings.Value(QStringLiteral("Envelope"), QStringLiteral("TimeReverse"), true).toBool();
    if (Controls.cbEnvRev)
        Controls.cbEnvRev->SetChecked(TimeReverse);

    WheelDivider = qBound(
        0,
        settings.Value(QStringLiteral("MouseWheel"), QStringLiteral("Jump"), systemWheelLines)
            .toInt(),
        0xFFFF);
    settings.SetValue(QStringLiteral("MouseWheel"), QStringLiteral("Jump"), WheelDivider);

    for (Port port : RestoreOrder) {
        const QString name =
            settings.Value(DevicesSection, SettingsKey(port), QStringLiteral("None")).toString();
        try {
            ChooseDevice(port, FindDevice(port, name));
        } catch (const EMidiError& error) {
            // A remembered device that is present but cannot be opened: say so and go on
            // without it.
            services_.prompts.Error(error.Message());
        }
    }

    // A group outside 0..3 in the settings file would address no group at all.
    const int group =
        settings.Value(QStringLiteral("Modulation"), QStringLiteral("Start"), 1).toInt();
    ModGroup = group >= 0 && group <= 3 ? group : 1;

    BuildMaps();

    // Selecting operator 1 re-shows and echoes its values; it must not send them to the synth,
    // whose voice is fetched right after.
    SelectedOp = 1;
    {
        Updating = true;
        ScopeExit done([this] { Updating = false; });
        SelectOperator(0);
    }
    ShowModulationGroup();
    ControllerChannel = 0;
    SynthDevice = 0;
    sbRandChange(5);
    cbEnvRevClick();

    pcModeChange(Page::Multipart);
    bGetPatchClick();
    pcModeChange(Page::Patch);
    bGetPatchClick();
    PatchRequestedByController = false;
    return haveInputs;
}

void Editor::ShutDown() {
    // Every step runs even when closing a port fails; the first error is passed on at the end.
    std::exception_ptr failure;
    auto attempt = [&failure](auto&& step) {
        try {
            step();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    if (Devices.SynthOut != -1)
        attempt([this] { MidiPCToSynth.Close(); });
    if (Devices.SynthIn != -1)
        attempt([this] { MidiSynthToPC.StopAndClose(); });
    if (Devices.CtrlIn != -1)
        attempt([this] { MidiBCtoPC.StopAndClose(); });
    if (Devices.CtrlOut != -1)
        attempt([this] { MidiPCtoBC.Close(); });
    if (Devices.KbdIn != -1)
        attempt([this] { MidiKbdToPC.StopAndClose(); });
    for (Port port : RestoreOrder) {
        const int index = indexOf(port);
        if (index != -1)
            services_.settings.SetValue(DevicesSection, SettingsKey(port),
                                        DeviceList(port).value(index));
    }
    services_.settings.SetValue(QStringLiteral("Modulation"), QStringLiteral("Start"), ModGroup);
    if (failure)
        std::rethrow_exception(failure);
}
