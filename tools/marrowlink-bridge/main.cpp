// marrowlink-bridge: the editor's engine between a controller and a synth, without a window.

#include "bridge_options.h"
#include "command_line.h"
#include "edit/editor.h"
#include "edit/guarded_application.h"
#include "edit/system_services.h"
#include "editor_preview.h"
#include "jack_server.h"
#include "midi/midi_service_factory.h"
#include "model/control_names.h"
#include "named_files.h"
#include "preview/jack_preview.h"
#include "signal_aware_sleeper.h"
#include "sim/virtual_studio.h"
#include "views/console_prompter.h"
#include "views/headless_controls.h"
#include "views/quit_on_signal.h"

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

const QString Program = QStringLiteral("marrowlink-bridge");

void printList(const char* heading, const QStringList& names) {
    std::printf("%s\n", heading);
    for (const QString& name : names)
        std::printf("  %s\n", qPrintable(name));
}

bool hasDevice(const QStringList& names, const QString& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const QString& n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
}

// The folder becomes the current one: the editor finds its files there by relative names, which
// keeps a folder name that is not UTF-8 intact. Why it cannot, or nothing.
std::optional<QString> enterFolder(const QString& folder) {
    if (::chdir(FileNameBytes(folder).constData()) == 0)
        return std::nullopt;
    if (errno == ENOENT)
        return QStringLiteral("folder \"%1\" does not exist").arg(folder);
    if (errno == ENOTDIR)
        return QStringLiteral("\"%1\" is not a folder").arg(folder);
    return QStringLiteral("folder \"%1\" cannot be used: %2")
        .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
}

int fail(const QString& message) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(Program), qPrintable(message));
    return 2;
}

int run(GuardedApplication<QCoreApplication>& app, const BridgeOptions& options) {
    if (!options.folder.isEmpty())
        if (const auto problem = enterFolder(options.folder))
            return fail(*problem);
    if (options.backend && ResolveBackend(*options.backend) == MidiBackend::Jack &&
        !JackServerRunning())
        return fail(QStringLiteral("no JACK server is running"));

    std::unique_ptr<VirtualStudio> studio;
    std::unique_ptr<MidiService> system;
    MidiService* service = nullptr;
    try {
        if (!options.backend) {
            studio = std::make_unique<VirtualStudio>();
            service = &studio->Service();
        } else {
            system = MakeMidiService(*options.backend, QStringLiteral("marrowlink-bridge"));
            service = system.get();
        }
    } catch (const std::exception& failure) {
        return fail(QStringLiteral("the MIDI system cannot be used: %1")
                        .arg(QString::fromLocal8Bit(failure.what())));
    }

    const QStringList inputs = service->InputDevices();
    const QStringList outputs = service->OutputDevices();
    if (options.listDevices) {
        printList("Input devices:", inputs);
        printList("Output devices:", outputs);
        return 0;
    }
    const std::pair<const QString*, bool> wanted[] = {{&options.synthIn, true},
                                                      {&options.synthOut, false},
                                                      {&options.ctrlIn, true},
                                                      {&options.ctrlOut, false},
                                                      {&options.kbdIn, true}};
    for (const auto& [name, input] : wanted) {
        if (name->isEmpty() || hasDevice(input ? inputs : outputs, *name))
            continue;
        return fail(QStringLiteral("no MIDI %1 device named \"%2\" (see --list-devices)")
                        .arg(QLatin1String(input ? "input" : "output"), *name));
    }

    MemorySettings settings;
    const QString devices = QStringLiteral("MidiDevices");
    settings.SetValue(devices, QStringLiteral("Input"), options.synthIn);
    settings.SetValue(devices, QStringLiteral("Output"), options.synthOut);
    settings.SetValue(devices, QStringLiteral("CtrlInput"), options.ctrlIn);
    settings.SetValue(devices, QStringLiteral("CtrlOutput"), options.ctrlOut);
    settings.SetValue(devices, QStringLiteral("KbdInput"),
                      options.kbdIn.isEmpty() ? QStringLiteral("None") : options.kbdIn);
    settings.SetValue(QStringLiteral("Modulation"), QStringLiteral("Start"), options.modGroup);

    HeadlessControls controls{EditorControls()};
    ConsolePrompter prompts(QStringLiteral("marrowlink-bridge"));
    NoFileChooser files;
    SystemClock clock;
    SignalAwareSleeper sleeper;
    UniformRandom random;
    app.Reporter = &prompts;
    JackPreview preview; // outlives the editor that plays it
    Editor editor(*service, EditorServices{controls, prompts, files, settings, clock, sleeper,
                                           random, QDir(QStringLiteral("."))});
    try {
        if (!editor.StartUp())
            return 2;
        if (options.sendPreset && !QuitRequested())
            editor.bLoadBCRClick();
    } catch (const EMidiError& failure) {
        prompts.Error(failure.Message());
    } catch (const StoppedBySignal&) {
    }

    if (options.preview) {
        ConnectPreview(editor, preview);
        // The bridge goes on without its sound.
        if (const auto problem = preview.Start())
            std::fprintf(stderr, "marrowlink-bridge: %s\n", qPrintable(*problem));
    }

    if (!QuitRequested()) {
        std::fprintf(
            stderr, "marrowlink-bridge: running on %s; SIGINT, SIGTERM or SIGHUP ends it\n",
            options.backend ? qPrintable(MidiBackendName(*options.backend)) : "in-process devices");
        std::fflush(stderr);
        app.exec();
    }
    try {
        editor.ShutDown();
    } catch (const EMidiError& failure) {
        prompts.Error(failure.Message());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    GuardedApplication<QCoreApplication> app(argc, argv);
    QuitEventLoopOnSignals();
    return RunReporting(Program, [&] {
        int exitCode = 0;
        const std::optional<BridgeOptions> options =
            ParseBridgeOptions(ArgumentsOf(argc, argv), exitCode);
        return options ? run(app, *options) : exitCode;
    });
}
