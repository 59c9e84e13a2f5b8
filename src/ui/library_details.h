#pragma once

#include "library/catalogue_error.h"

#include <QWidget>
#include <optional>

class LibraryBrowser;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class Prompter;
struct CatalogueEntry;

// The Library page's panel for the chosen voice: its name, category, tags, favourite and comment,
// each written to the catalogue when the user leaves the field, and where its copies came from.
class LibraryDetails : public QWidget {
public:
    explicit LibraryDetails(QWidget* parent = nullptr);
    void Connect(LibraryBrowser& browser, Prompter& prompts);

    // The voice shown, or none (several or no voices chosen).
    void Show(const CatalogueEntry* entry);

private:
    void report(const Failure& failure);
    void storeComment();

    LibraryBrowser* browser_ = nullptr;
    Prompter* prompts_ = nullptr;
    std::optional<qint64> id_;
    QLineEdit* name_;
    QComboBox* category_;
    QLineEdit* tags_;
    QCheckBox* favourite_;
    QPlainTextEdit* comment_;
    QTimer* commentPause_;
    QLabel* copies_;
};
