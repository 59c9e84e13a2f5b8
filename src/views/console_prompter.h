#pragma once

#include "views/prompts.h"

// Message boxes for a program without a window, or a window run in batch: each text goes to
// standard error after the program's name; warnings and errors let the work go on and every
// question is answered No.
class ConsolePrompter : public Prompter {
public:
    explicit ConsolePrompter(QString program) : program_(std::move(program)) {}

    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    void Message(const QString& text) override;
    Answer Question(const QString& text, bool withCancel) override;
    Answer ErrorQuestion(const QString& text) override;

private:
    void print(const char* kind, const QString& text) const;

    QString program_;
};

// File dialogs for a program without a window: always cancelled.
class NoFileChooser : public FileChooser {
public:
    std::optional<QString> OpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> OpenFolder(const FileDialogRequest&) override { return std::nullopt; }
};
