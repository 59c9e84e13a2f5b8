#pragma once

#include "app/setup_page.h"
#include "app/splash_window.h"
#include "edit/editor.h"
#include "library/library_browser.h"
#include "ui/main_window.h"
#include "ui/window_controls.h"

// The window and the editor on it: the window's widgets are made first, the editor binds to them
// by name, and after the editor's start-up the widgets pass their events to it. The setup page
// follows the changes of the MIDI system's devices.
class EditorSession {
public:
    EditorSession(MidiService& midi, Prompter& prompts, FileChooser& files, SettingsStore& settings,
                  const Clock& clock, Sleeper& sleeper, RandomSource& random,
                  const QDir& startFolder);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // The library of voices the Library page shows (before StartUp); without one, or when it
    // cannot be opened, the page says why and the editor works without it.
    void OpenLibrary(const QString& path);

    // The editor's start-up, then the window's own steps: the device lists filled, the events
    // connected, the Patch page shown. False when there is no MIDI input device at all.
    bool StartUp(int systemWheelLines);

    // The splash sequence: the splash is shown, the question about the controller's presets is
    // asked (or answered beforehand, or by the answer kept when the user ticked "Don't ask
    // again"), the presets go out on Yes while the splash fades, then the window is shown on its
    // Patch page and the splash closes.
    enum class PresetQuestion { Ask, AnswerYes, AnswerNo };
    void RunSplash(Prompter& prompts, PresetQuestion question);

    TfMidi& Window() { return window_; }
    MidiSetupPage& Setup() { return *setup_; }
    Editor& Engine() { return editor_; }
    LibraryBrowser& Library() { return library_; }
    TfSplash& Splash() { return splash_; }

private:
    MidiService& midi_;
    Prompter& prompts_;
    FileChooser& files_;
    SettingsStore& settings_;
    int changeHandler_ = 0;
    MidiSetupPage* setup_; // a page of the window, which owns it
    TfMidi window_;
    WindowControls controls_;
    Editor editor_;
    LibraryBrowser library_;
    TfSplash splash_;
};
