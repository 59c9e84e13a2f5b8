#pragma once

#include <QWidget>

class CompareButtons;
class Editor;
class HistoryButtons;
class LibraryPage;
class MultipartPage;
class PatchPage;
class QTabWidget;

// The main window "TfMidi": the page control "pcMode" with the pages "Patch", "Multipart",
// "Midi Setup" and "Library", at a fixed size. It builds the widgets and passes their events to the
// editor.
class TfMidi : public QWidget {
public:
    enum Page { PatchIndex, MultipartIndex, MidiSetupIndex, LibraryIndex };

    // setupPage: the "Midi Setup" page, which the application shell builds.
    explicit TfMidi(QWidget* setupPage);

    // Sends the pages' events, and every page change made by the user, to the editor.
    void Connect(Editor& editor);
    // Shows a page without telling the editor (start-up tells it itself).
    void ShowPage(Page page);
    Page CurrentPage() const;

    PatchPage& Patch() const { return *patch_; }
    MultipartPage& Multipart() const { return *multipart_; }
    LibraryPage& Library() const { return *library_; }
    CompareButtons& Compare() const { return *compare_; }

private:
    // Undo, redo and compare, on the pages whose history they follow.
    void addHistoryButtons(Editor& editor);

    QTabWidget* pages_;
    PatchPage* patch_;
    MultipartPage* multipart_;
    LibraryPage* library_;
    bool forwardPageChanges_ = false;
    HistoryButtons* voiceHistory_ = nullptr;
    HistoryButtons* multiHistory_ = nullptr;
    CompareButtons* compare_ = nullptr;
};
