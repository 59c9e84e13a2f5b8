#include "app/application.h"

#include "app/dialogs.h"
#include "app/editor_session.h"
#include "app/ini_file.h"
#include "app/preview_switch.h"
#include "app/screenshots.h"
#include "app/settings_location.h"
#include "edit/system_services.h"
#include "editor_preview.h"
#include "midi/midi_errors.h"
#include "midi/midi_service_factory.h"
#include "preview/jack_preview.h"
#include "sim/virtual_studio.h"
#include "ui/library_page.h"
#include "ui/patch_layout.h"
#include "ui/patch_page.h"
#include "views/console_prompter.h"
#include "views/quit_on_signal.h"

#include <QApplication>
#include <QFileInfo>

namespace {
const QString DevicesSection = QStringLiteral("MidiDevices");

// A demo starts with the simulated synth and controller chosen, the first time.
void chooseDemoDevices(IniFile& settings) {
    settings.SetValue(DevicesSection, QStringLiteral("Input"), VirtualStudio::SynthName);
    settings.SetValue(DevicesSection, QStringLiteral("Output"), VirtualStudio::SynthName);
    settings.SetValue(DevicesSection, QStringLiteral("CtrlInput"), VirtualStudio::ControllerName);
    settings.SetValue(DevicesSection, QStringLiteral("CtrlOutput"), VirtualStudio::ControllerName);
    settings.SetValue(DevicesSection, QStringLiteral("KbdInput"), VirtualStudio::KeyboardName);
}
} // namespace

EditorApplication::EditorApplication(AppOptions options, QString programPath)
    : options_(std::move(options)), programPath_(std::move(programPath)),
      startFolder_(QDir::current()), console_(QStringLiteral("marrowlink")) {
    prompts_ = options_.batch || !options_.screenshotFolder.isEmpty()
                   ? static_cast<Prompter*>(&console_)
                   : &dialogs_;
}

int EditorApplication::Run() {
    std::unique_ptr<VirtualStudio> studio;
    std::unique_ptr<MidiService> system;
    MidiService* service = nullptr;
    if (options_.api == AppOptions::Api::Virtual) {
        studio = std::make_unique<VirtualStudio>();
        service = &studio->Service();
    } else {
        try {
            system = MakeMidiService(options_.backend, QStringLiteral("Marrowlink"));
        } catch (const std::exception& failure) {
            prompts_->Error(QStringLiteral("The MIDI system cannot be used: %1")
                                .arg(QString::fromUtf8(failure.what())));
            return 1;
        }
        service = system.get();
    }

    const QString settingsPath = SettingsPath(options_.settingsFile, programPath_, options_.demo);
    const bool firstDemo = options_.demo && !QFileInfo::exists(settingsPath);
    IniFile settings(settingsPath, [this](const QString& problem) { prompts_->Error(problem); });
    if (firstDemo)
        chooseDemoDevices(settings);

    DialogFileChooser files;
    SystemClock clock;
    EventLoopSleeper sleeper; // the window paints on through an upload's pauses
    UniformRandom random;
    JackPreview preview; // outlives the editor that plays it
    EditorSession session(*service, *prompts_, files, settings, clock, sleeper, random,
                          startFolder_);
    session.OpenLibrary(LibraryPath(options_.libraryFile, options_.demo));
    TfMidi& window = session.Window();
    dialogs_.SetParent(&window);
    files.SetParent(&window);
    const bool haveInputs = session.StartUp(QApplication::wheelScrollLines());
    if (!haveInputs)
        return 1;

    ConnectPreview(session.Engine(), preview);
    auto* previewSwitch = new PreviewSwitch(preview, settings, &window.Patch());
    previewSwitch->setGeometry(PatchLayout::PreviewButtons);
    window.Library().OnAuditioned = [&session, previewSwitch] {
        if (!session.Engine().SynthOutputChosen())
            previewSwitch->Audition();
    };

    if (!options_.screenshotFolder.isEmpty())
        return TakeScreenshots(window, session.Splash(), options_.screenshotFolder);
    // The demo sounds where JACK is.
    previewSwitch->Restore(options_.demo);

    session.RunSplash(*prompts_, options_.sendPreset ? EditorSession::PresetQuestion::AnswerYes
                                 : options_.batch    ? EditorSession::PresetQuestion::AnswerNo
                                                     : EditorSession::PresetQuestion::Ask);

    // A signal during start-up or the splash ends the program as closing its window does.
    const int exitCode = QuitRequested() ? 0 : QApplication::exec();
    try {
        session.Engine().ShutDown();
    } catch (const EMidiError& error) {
        prompts_->Error(error.Message());
    }
    return exitCode;
}
