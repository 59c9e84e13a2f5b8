#pragma once

#include <QWidget>

class CompareWindow;
class Editor;
class QPushButton;

// "A/B" switches the synth and the screen between A (the voice as it came in) and B (the edited
// voice), and is down while A is shown; "Set A" makes the voice shown the new A; "Differences"
// opens the compare window.
class CompareButtons : public QWidget {
public:
    CompareButtons(Editor& editor, QWidget* page);

    void Refresh();
    CompareWindow& Window() const { return *window_; }

private:
    Editor& editor_;
    QPushButton* toggle_;
    CompareWindow* window_;
};
