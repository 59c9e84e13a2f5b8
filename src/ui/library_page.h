#pragma once

#include "model/voice.h"

#include <QWidget>
#include <functional>
#include <vector>

class Editor;
class FileChooser;
class LibraryBrowser;
class LibraryDetails;
class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;
struct CatalogueEntry;
struct ImportReport;

// The "Library" page: the catalogue's voices in a table, searched as the user types and filtered;
// choosing a voice (by click or arrow key) auditions it: it becomes the editor's voice and goes
// to the synth whole. Store, delete, export and import work on the chosen voices.
class LibraryPage : public QWidget {
public:
    explicit LibraryPage(QWidget* parent = nullptr);

    void Connect(Editor& editor, LibraryBrowser& browser, Prompter& prompts, FileChooser& files);

    // A bank file the Patch page's Load handed over: imported, then shown on its own.
    void OpenBankFile(const QString& path);

    // Raised after each audition, with the voice already the editor's: where no synth would play
    // it, the program plays it on the preview.
    std::function<void()> OnAuditioned;

    QTableView& Table() const { return *table_; }
    QLineEdit& Search() const { return *search_; }

private:
    void showFilter();
    void showCount();
    void choiceChanged();
    void audition();
    void storeCurrentVoice();
    void deleteChosen();
    void exportPatchFiles();
    void exportBank();
    void importFolder();
    void startImport(const QStringList& paths, const QString& showAfterwards);
    void importFinished(const ImportReport& report);
    std::vector<const CatalogueEntry*> chosen() const;
    std::vector<Voice> chosenVoices();
    void say(const QString& text);
    void enableActions();

    Editor* editor_ = nullptr;
    LibraryBrowser* browser_ = nullptr;
    Prompter* prompts_ = nullptr;
    FileChooser* files_ = nullptr;
    QLineEdit* search_;
    QComboBox* category_;
    QComboBox* algorithm_;
    QCheckBox* favourites_;
    QCheckBox* duplicates_;
    QLabel* count_;
    QTableView* table_;
    LibraryDetails* details_;
    QPushButton* store_;
    QPushButton* delete_;
    QPushButton* exportPatches_;
    QPushButton* exportBank_;
    QPushButton* import_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QLabel* status_;
    // Auditions at most one voice per interval, the latest chosen: a held arrow key steps through
    // the list without queueing a voice per row.
    QTimer* auditionPace_;
    bool auditionWaiting_ = false;
    bool auditionSuppressed_ = false; // a selection the program made, not the user
    qint64 auditioned_ = -1;          // the library voice the editor was given last
    QString showAfterImport_;
    QString lastFolder_;
};
