#pragma once

#include <QWidget>

class Editor;

// "Panel2", along the patch page's right edge: the voice's source with Load and Save, and for each
// operator its wave picture, its panel (output level bar and name label) and its envelope graph.
// The engine colours and labels them by the operators' state.
class OperatorPanel : public QWidget {
public:
    explicit OperatorPanel(QWidget* parent = nullptr);

    void Connect(Editor& editor);

protected:
    void paintEvent(QPaintEvent* event) override;
};
