#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QPushButton;

// "Undo" and "Redo" with Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y on their page. Each button's tooltip says
// what it would do ("Undo: Op 2 Coarse 12 -> 7"); a button with nothing to do is disabled.
class HistoryButtons : public QWidget {
public:
    struct History {
        std::function<bool()> canUndo;
        std::function<bool()> canRedo;
        std::function<QString()> undoText;
        std::function<QString()> redoText;
        std::function<void()> undo;
        std::function<void()> redo;
    };

    // The shortcuts work while the page is shown.
    HistoryButtons(QWidget* page, History history);

    // Follows the history: enabled states and tooltips.
    void Refresh();

private:
    History history_;
    QPushButton* undo_;
    QPushButton* redo_;
};
