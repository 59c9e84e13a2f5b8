#include "app/editor_session.h"

#include "midi/midi_errors.h"
#include "ui/accessible_controls.h"
#include "ui/library_page.h"
#include "views/prompts.h"
#include "views/services.h"

namespace {
// The splash question's answer, kept once the user ticked "Don't ask again".
const QString SplashSection = QStringLiteral("Splash");
const QString KeptAnswerKey = QStringLiteral("SendPresets");
const QString KeptYes = QStringLiteral("Yes");
const QString KeptNo = QStringLiteral("No");
} // namespace

EditorSession::EditorSession(MidiService& midi, Prompter& prompts, FileChooser& files,
                             SettingsStore& settings, const Clock& clock, Sleeper& sleeper,
                             RandomSource& random, const QDir& startFolder)
    : midi_(midi), prompts_(prompts), files_(files), settings_(settings), setup_(new MidiSetupPage),
      window_(setup_), controls_(window_),
      editor_(midi, EditorServices{controls_, prompts, files, settings, clock, sleeper, random,
                                   startFolder}) {
    editor_.SetSplash(&splash_);
    // Added after the editor's own handler, so the page shows what the editor made of a change.
    changeHandler_ = midi_.AddChangeHandler([this] { setup_->Refresh(editor_); });
}

EditorSession::~EditorSession() {
    midi_.RemoveChangeHandler(changeHandler_);
    InstallAccessibleControls(nullptr);
}

void EditorSession::OpenLibrary(const QString& path) {
    library_.Open(path);
}

bool EditorSession::StartUp(int systemWheelLines) {
    const bool haveInputs = editor_.StartUp(systemWheelLines);
    window_.Connect(editor_);
    setup_->Connect(editor_, settings_);
    window_.Library().Connect(editor_, library_, prompts_, files_);
    if (library_.IsOpen())
        editor_.SetBankOpener([this](const QString& path) {
            window_.ShowPage(TfMidi::LibraryIndex);
            window_.Library().OpenBankFile(path);
            return true;
        });
    window_.ShowPage(TfMidi::PatchIndex);
    return haveInputs;
}

void EditorSession::RunSplash(Prompter& prompts, PresetQuestion question) {
    splash_.show();
    const QString kept = settings_.Value(SplashSection, KeptAnswerKey, QString()).toString();
    bool send = question == PresetQuestion::AnswerYes;
    if (question == PresetQuestion::Ask && !kept.isEmpty()) {
        send = kept == KeptYes;
    } else if (question == PresetQuestion::Ask) {
        bool dontAskAgain = false;
        send = prompts.QuestionWithOptOut(QStringLiteral("BCR file loaded.\n 'Yes' to send Sysex "
                                                         "to BCR"),
                                          dontAskAgain) == Answer::Yes;
        if (dontAskAgain)
            settings_.SetValue(SplashSection, KeptAnswerKey, send ? KeptYes : KeptNo);
    }
    if (send) {
        try {
            editor_.bLoadBCRClick();
        } catch (const EMidiError& error) {
            prompts.Error(error.Message());
        }
    }
    window_.show();
    window_.activateWindow();
    window_.ShowPage(TfMidi::PatchIndex);
    splash_.close();
    // Later uploads show their progress on the setup page.
    editor_.SetSplash(nullptr);
}
