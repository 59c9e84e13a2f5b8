#include "app/application.h"

#include "app/dialogs.h"
#include "app/ini_file.h"
#include "app/screenshots.h"
#include "app/settings_location.h"
#include "app/setup_page.h"
#include "app/splash_window.h"
#include "edit/editor.h"
#include "edit/system_services.h"
#include "midi/midi_errors.h"
#include "midi/rtmidi_service.h"
#include "sim/virtual_studio.h"
#include "ui/main_window.h"
#include "ui/window_controls.h"
#include "views/console_prompter.h"

#include <QApplication>
#include <QFileInfo>

namespace {
const QString SplashQuestion = QStringLiteral("BCR file loaded.\n 'Yes' to send Sysex to BCR");
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
    std::unique_ptr<RtMidiService> rtmidi;
    MidiService* service = nullptr;
    if (options_.api == AppOptions::Api::Virtual) {
        studio = std::make_unique<VirtualStudio>();
        service = &studio->Service();
    } else {
        try {
            rtmidi =
                std::make_unique<RtMidiService>(options_.backend, QStringLiteral("Marrowlink"));
        } catch (const std::exception& failure) {
            prompts_->Error(QStringLiteral("The MIDI system cannot be used: %1")
                                .arg(QString::fromUtf8(failure.what())));
            return 1;
        }
        service = rtmidi.get();
    }

    const QString settingsPath = SettingsPath(options_.settingsFile, programPath_, options_.demo);
    const bool firstDemo = options_.demo && !QFileInfo::exists(settingsPath);
    IniFile settings(settingsPath, [this](const QString& problem) { prompts_->Error(problem); });
    if (firstDemo)
        chooseDemoDevices(settings);

    auto* setupPage = new MidiSetupPage;
    TfMidi window(setupPage);
    dialogs_.SetParent(&window);
    DialogFileChooser files(&window);
    WindowControls controls(window);
    SystemClock clock;
    ThreadSleeper sleeper;
    UniformRandom random;
    Editor editor(*service, EditorServices{controls, *prompts_, files, settings, clock, sleeper,
                                           random, startFolder_});
    TfSplash splash;
    editor.SetSplash(&splash);

    const bool haveInputs = editor.StartUp(QApplication::wheelScrollLines());
    window.Connect(editor);
    setupPage->Connect(editor);
    window.ShowPage(TfMidi::PatchIndex);
    if (!haveInputs)
        return 1;

    if (!options_.screenshotFolder.isEmpty())
        return TakeScreenshots(window, splash, options_.screenshotFolder);

    splash.show();
    const bool send = options_.sendPreset ||
                      (!options_.batch && prompts_->Question(SplashQuestion, false) == Answer::Yes);
    if (send) {
        try {
            editor.bLoadBCRClick();
        } catch (const EMidiError& error) {
            prompts_->Error(error.Message());
        }
    }
    window.show();
    window.activateWindow();
    window.ShowPage(TfMidi::PatchIndex);
    splash.close();

    const int exitCode = QApplication::exec();
    try {
        editor.ShutDown();
    } catch (const EMidiError& error) {
        prompts_->Error(error.Message());
    }
    return exitCode;
}
