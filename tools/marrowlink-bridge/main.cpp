// marrowlink-bridge: the editor's engine between a controller and a synth, without a window.

#include "bridge_options.h"
#include "command_line.h"
#include "edit/editor.h"
#include "edit/guarded_application.h"
#include "edit/system_services.h"
#include "midi/rtmidi_service.h"
#include "model/control_names.h"
#include "quit_on_signal.h"
#include "sim/virtual_studio.h"
#include "views/console_prompter.h"
#include "views/headless_controls.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <memory>

namespace {

void printList(const char* heading, const QStringList& names) {
    std::printf("%s\n", heading);
    for (const QString& name : names)
        std::printf("  %s\n", qPrintable(name));
}

bool hasDevice(const QStringList& names, const QString& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const QString& n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
}

} // namespace

int main(int argc, char** argv) {
    GuardedApplication<QCoreApplication> app(argc, argv);
    int exitCode = 0;
    const std::optional<BridgeOptions> options =
        ParseBridgeOptions(ArgumentsOf(argc, argv), exitCode);
    if (!options)
        return exitCode;

    std::unique_ptr<VirtualStudio> studio;
    std::unique_ptr<RtMidiService> rtmidi;
    MidiService* service = nullptr;
    try {
        if (!options->backend) {
            studio = std::make_unique<VirtualStudio>();
            service = &studio->Service();
        } else {
            rtmidi = std::make_unique<RtMidiService>(*options->backend,
                                                     QStringLiteral("marrowlink-bridge"));
            service = rtmidi.get();
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "marrowlink-bridge: the MIDI system cannot be used: %s\n",
                     failure.what());
        return 2;
    }

    const QStringList inputs = service->InputDevices();
    const QStringList outputs = service->OutputDevices();
    if (options->listDevices) {
        printList("Input devices:", inputs);
        printList("Output devices:", outputs);
        return 0;
    }
    const std::pair<const QString*, bool> wanted[] = {{&options->synthIn, true},
                                                      {&options->synthOut, false},
                                                      {&options->ctrlIn, true},
                                                      {&options->ctrlOut, false},
                                                      {&options->kbdIn, true}};
    for (const auto& [name, input] : wanted) {
        if (name->isEmpty() || hasDevice(input ? inputs : outputs, *name))
            continue;
        std::fprintf(stderr,
                     "marrowlink-bridge: no MIDI %s device named \"%s\" (see --list-devices)\n",
                     input ? "input" : "output", qPrintable(*name));
        return 2;
    }

    MemorySettings settings;
    const QString devices = QStringLiteral("MidiDevices");
    settings.SetValue(devices, QStringLiteral("Input"), options->synthIn);
    settings.SetValue(devices, QStringLiteral("Output"), options->synthOut);
    settings.SetValue(devices, QStringLiteral("CtrlInput"), options->ctrlIn);
    settings.SetValue(devices, QStringLiteral("CtrlOutput"), options->ctrlOut);
    settings.SetValue(devices, QStringLiteral("KbdInput"),
                      options->kbdIn.isEmpty() ? QStringLiteral("None") : options->kbdIn);
    settings.SetValue(QStringLiteral("Modulation"), QStringLiteral("Start"), options->modGroup);

    HeadlessControls controls{EditorControls()};
    ConsolePrompter prompts(QStringLiteral("marrowlink-bridge"));
    NoFileChooser files;
    SystemClock clock;
    ThreadSleeper sleeper;
    UniformRandom random;
    app.Reporter = &prompts;
    const QDir folder(options->folder.isEmpty() ? QDir::currentPath() : options->folder);
    Editor editor(*service, EditorServices{controls, prompts, files, settings, clock, sleeper,
                                           random, folder});
    try {
        if (!editor.StartUp())
            return 2;
        if (options->sendPreset)
            editor.bLoadBCRClick();
    } catch (const EMidiError& failure) {
        prompts.Error(failure.Message());
    }

    QuitEventLoopOnSignals();
    std::fprintf(stderr, "marrowlink-bridge: running on %s; SIGINT or SIGTERM ends it\n",
                 options->backend ? qPrintable(MidiBackendName(*options->backend))
                                  : "in-process devices");
    std::fflush(stderr);
    app.exec();
    try {
        editor.ShutDown();
    } catch (const EMidiError& failure) {
        prompts.Error(failure.Message());
    }
    return 0;
}
