#include "ui/history_buttons.h"

#include "ui/panel_style.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace {
void shortcut(QWidget* page, const QKeySequence& keys, const std::function<void()>& action) {
    auto* sequence = new QShortcut(keys, page);
    // The page's shortcuts work wherever the focus is while the page is shown; a name field keeps
    // Ctrl+Z for its own text.
    sequence->setContext(Qt::WindowShortcut);
    QObject::connect(sequence, &QShortcut::activated, page, action);
}
} // namespace

HistoryButtons::HistoryButtons(QWidget* page, History history)
    : QWidget(page), history_(std::move(history)),
      undo_(new QPushButton(QStringLiteral("Undo"), this)),
      redo_(new QPushButton(QStringLiteral("Redo"), this)) {
    undo_->setObjectName(QStringLiteral("bUndo"));
    redo_->setObjectName(QStringLiteral("bRedo"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (QPushButton* button : {undo_, redo_}) {
        button->setFont(PanelStyle::Font(11));
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
    }
    const auto undo = [this] {
        if (history_.canUndo())
            history_.undo();
    };
    const auto redo = [this] {
        if (history_.canRedo())
            history_.redo();
    };
    connect(undo_, &QPushButton::clicked, this, undo);
    connect(redo_, &QPushButton::clicked, this, redo);
    shortcut(page, QKeySequence::Undo, undo);
    shortcut(page, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), redo);
    shortcut(page, QKeySequence(Qt::CTRL | Qt::Key_Y), redo);
    Refresh();
}

void HistoryButtons::Refresh() {
    undo_->setEnabled(history_.canUndo());
    redo_->setEnabled(history_.canRedo());
    undo_->setToolTip(history_.canUndo() ? QStringLiteral("Undo: ") + history_.undoText()
                                         : QStringLiteral("Nothing to undo"));
    redo_->setToolTip(history_.canRedo() ? QStringLiteral("Redo: ") + history_.redoText()
                                         : QStringLiteral("Nothing to redo"));
}
