#include "ui/main_window.h"

#include "edit/editor.h"
#include "ui/accessible_controls.h"
#include "ui/compare_buttons.h"
#include "ui/history_buttons.h"
#include "ui/library_page.h"
#include "ui/multipart_page.h"
#include "ui/panel_style.h"
#include "ui/patch_layout.h"
#include "ui/patch_page.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int ClientWidth = 966;
constexpr int ClientHeight = 714;

// A tab page whose content is one fixed panel at its top left.
QWidget* page(QWidget* content, const QString& name) {
    auto* holder = new QWidget;
    holder->setObjectName(name);
    content->setParent(holder);
    content->move(0, 0);
    return holder;
}
} // namespace

TfMidi::TfMidi(QWidget* setupPage) {
    setObjectName(QStringLiteral("fMidi"));
    setWindowTitle(QStringLiteral("Marrowlink controller / editor version 2 Small"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(PanelStyle::Font(12));

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pcMode"));
    pages_->setDocumentMode(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);

    patch_ = new PatchPage;
    multipart_ = new MultipartPage;
    pages_->addTab(page(patch_, QStringLiteral("tsPatch")), QStringLiteral("Patch"));
    pages_->addTab(page(multipart_, QStringLiteral("tsMulti")), QStringLiteral("Multipart"));
    setupPage->setObjectName(QStringLiteral("tsMidiSetup"));
    pages_->addTab(setupPage, QStringLiteral("Midi Setup"));
    library_ = new LibraryPage;
    pages_->addTab(library_, QStringLiteral("Library"));
    pages_->setCurrentIndex(PatchIndex);
}

void TfMidi::Connect(Editor& editor) {
    InstallAccessibleControls(&editor);
    patch_->Connect(editor);
    multipart_->Connect(editor);
    addHistoryButtons(editor);
    // The Library edits the voice as the Patch page does: going between the two changes nothing
    // for the synth (no mode change, no dump that would replace the voice just auditioned).
    auto editorPage = [](int index) {
        return index == MultipartIndex   ? Editor::Page::Multipart
               : index == MidiSetupIndex ? Editor::Page::MidiSetup
                                         : Editor::Page::Patch;
    };
    connect(
        pages_, &QTabWidget::currentChanged, this,
        [this, &editor, editorPage, shown = editorPage(pages_->currentIndex())](int index) mutable {
            const Editor::Page page = editorPage(index);
            const bool same = page == shown;
            shown = page;
            if (forwardPageChanges_ && !(same && page == Editor::Page::Patch))
                editor.pcModeChange(page);
        });
    forwardPageChanges_ = true;
}

namespace {
// The buttons' view of one of the editor's histories.
template <class EditHistory>
HistoryButtons::History Follow(const EditHistory& history, std::function<void()> undo,
                               std::function<void()> redo) {
    return {[&history] { return history.CanUndo(); },
            [&history] { return history.CanRedo(); },
            [&history] { return history.UndoText(); },
            [&history] { return history.RedoText(); },
            std::move(undo),
            std::move(redo)};
}
} // namespace

void TfMidi::addHistoryButtons(Editor& editor) {
    voiceHistory_ = new HistoryButtons(
        patch_, Follow(
                    editor.History(), [&editor] { editor.Undo(); }, [&editor] { editor.Redo(); }));
    voiceHistory_->setGeometry(PatchLayout::SideLeft, 206, PatchLayout::SideWidth, 26);
    compare_ = new CompareButtons(editor, patch_);
    compare_->setGeometry(PatchLayout::SideLeft, 238, PatchLayout::SideWidth, 56);
    multiHistory_ = new HistoryButtons(multipart_, Follow(
                                                       editor.MultiUndoHistory(),
                                                       [&editor] { editor.UndoMulti(); },
                                                       [&editor] { editor.RedoMulti(); }));
    multiHistory_->setGeometry(8, 636, 100, 26);
    editor.SetChangeListener([this] {
        voiceHistory_->Refresh();
        multiHistory_->Refresh();
        compare_->Refresh();
    });
}

void TfMidi::ShowPage(Page page) {
    const bool forward = forwardPageChanges_;
    forwardPageChanges_ = false;
    pages_->setCurrentIndex(page);
    forwardPageChanges_ = forward;
}

TfMidi::Page TfMidi::CurrentPage() const {
    return Page(pages_->currentIndex());
}
