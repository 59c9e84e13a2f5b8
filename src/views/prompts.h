#pragma once

#include <QString>
#include <optional>

// Modal boxes and file choosers. The window shows real dialogs; the bridge prints and answers No;
// tests script the answers and record what was asked.

enum class Answer { Ok, Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void Warning(const QString& text) = 0; // warning icon, OK
    virtual void Error(const QString& text) = 0;   // error icon, OK
    virtual void Message(const QString& text) = 0; // plain message, OK
    // Confirmation with Yes and No, or with Yes, No and Cancel.
    virtual Answer Question(const QString& text, bool withCancel) = 0;
    // Error icon with Yes and No (device conflicts).
    virtual Answer ErrorQuestion(const QString& text) = 0;
    // Yes and No with "Don't ask again", which sets dontAskAgain; where there is no box to tick,
    // a plain question.
    virtual Answer QuestionWithOptOut(const QString& text, bool& dontAskAgain) {
        dontAskAgain = false;
        return Question(text, false);
    }
};

struct FileDialogRequest {
    QString title;
    QString filter; // "Description (*.ext)|*.EXT"
    QString folder;
    QString proposedName;
    QString defaultExtension;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFile(const FileDialogRequest& request) = 0;
    // A folder (request.folder is where the dialog opens).
    virtual std::optional<QString> OpenFolder(const FileDialogRequest& request) = 0;
};
