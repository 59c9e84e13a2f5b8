#pragma once

#include "views/prompts.h"

class QWidget;

// Modal message boxes over the window, titled with the application's title.
class DialogPrompter : public Prompter {
public:
    explicit DialogPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    void Message(const QString& text) override;
    Answer Question(const QString& text, bool withCancel) override;
    Answer ErrorQuestion(const QString& text) override;
    Answer QuestionWithOptOut(const QString& text, bool& dontAskAgain) override;

private:
    QWidget* parent_;
};

// The platform's open and save dialogs.
class DialogFileChooser : public FileChooser {
public:
    explicit DialogFileChooser(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<QString> OpenFile(const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(const FileDialogRequest& request) override;
    std::optional<QString> OpenFolder(const FileDialogRequest& request) override;

    // "Description (*.ext)|*.EXT" as the dialogs want it, both letter cases of the pattern.
    static QString NameFilter(const QString& filter);

private:
    std::optional<QString> choose(const FileDialogRequest& request, bool save);

    QWidget* parent_;
};
