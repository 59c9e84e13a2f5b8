#pragma once

#include "app/app_options.h"
#include "app/dialogs.h"
#include "views/console_prompter.h"

#include <QDir>

// The program's life, in order: the MIDI system, the settings file, the window and the editor; the
// editor's start-up with the window's own steps; the splash and its question; the message loop;
// the shut-down, which closes the ports and stores the settings.
class EditorApplication {
public:
    EditorApplication(AppOptions options, QString programPath);

    // Runs until the main window closes; the exit code.
    int Run();

    // Where message boxes go: dialogs, or standard error in batch.
    Prompter& Prompts() { return *prompts_; }

private:
    AppOptions options_;
    QString programPath_;
    QDir startFolder_;
    DialogPrompter dialogs_;
    ConsolePrompter console_;
    Prompter* prompts_;
};
