#include "app/dialogs.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>

namespace {
// The application's title, over every box.
const QString Title = QStringLiteral("Marrowlink (sm)");

QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, Title, text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

Answer answerOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::No; // No, or the box closed
    }
}
} // namespace

void DialogPrompter::Warning(const QString& text) {
    show(parent_, QMessageBox::Warning, text, QMessageBox::Ok);
}

void DialogPrompter::Error(const QString& text) {
    show(parent_, QMessageBox::Critical, text, QMessageBox::Ok);
}

void DialogPrompter::Message(const QString& text) {
    show(parent_, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

Answer DialogPrompter::Question(const QString& text, bool withCancel) {
    const QMessageBox::StandardButtons buttons =
        withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                   : QMessageBox::Yes | QMessageBox::No;
    return answerOf(show(parent_, QMessageBox::Question, text, buttons));
}

Answer DialogPrompter::ErrorQuestion(const QString& text) {
    return answerOf(show(parent_, QMessageBox::Critical, text, QMessageBox::Yes | QMessageBox::No));
}

Answer DialogPrompter::QuestionWithOptOut(const QString& text, bool& dontAskAgain) {
    QMessageBox box(QMessageBox::Question, Title, text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setCheckBox(new QCheckBox(QStringLiteral("Don't ask again")));
    const auto button = QMessageBox::StandardButton(box.exec());
    dontAskAgain = box.checkBox()->isChecked();
    return answerOf(button);
}

QString DialogFileChooser::NameFilter(const QString& filter) {
    const QString description = filter.section(QLatin1Char('|'), 0, 0);
    const QString pattern = filter.section(QLatin1Char('|'), 1, 1);
    if (pattern.isEmpty())
        return description;
    // The patterns in both cases: the file system tells "x.SYX" from "x.syx".
    const QString both = pattern.toLower() == pattern.toUpper()
                             ? pattern
                             : pattern.toUpper() + QLatin1Char(' ') + pattern.toLower();
    return description.section(QLatin1Char('('), 0, 0).trimmed() + QStringLiteral(" (") + both +
           QLatin1Char(')');
}

std::optional<QString> DialogFileChooser::choose(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_, request.title, request.folder, NameFilter(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    // The editor asks about an existing file itself (with the backup question).
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> DialogFileChooser::OpenFile(const FileDialogRequest& request) {
    return choose(request, false);
}

std::optional<QString> DialogFileChooser::SaveFile(const FileDialogRequest& request) {
    return choose(request, true);
}

std::optional<QString> DialogFileChooser::OpenFolder(const FileDialogRequest& request) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent_, request.title, request.folder);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}
