#pragma once

#include <QDialog>

class Editor;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

// "Compare A and B": every parameter in which A (the voice as it came in) and B (the edited voice)
// differ, with A's and B's values as the screen shows them; a parameter, an operator or
// everything taken from A into B; and the morph from A to B. It stays open beside the window.
class CompareWindow : public QDialog {
public:
    CompareWindow(Editor& editor, QWidget* parent);

    // Follows the voices.
    void Refresh();

private:
    void takeSelected();

    Editor& editor_;
    QListWidget* differences_;
    QLabel* summary_;
    QSlider* morph_;
    QLabel* morphValue_;
};
