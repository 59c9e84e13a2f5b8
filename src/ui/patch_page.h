#pragma once

#include "ui/decorated_panel.h"

class Editor;
class TKnob;
class TTransparentButton;

// The "Patch" page: the voice's knobs and value buttons in the controller's rows of eight, their
// headings, the randomiser, the page's own column (fetch, name, operator switches and select) and
// the operator panel. It lies on the tiled wallpaper, which it paints with a body and a scale under
// each (transparent) knob and a frame around each section.
class PatchPage : public DecoratedPanel {
public:
    explicit PatchPage(QWidget* parent = nullptr);

    // Sends the controls' events to the editor's handlers.
    void Connect(Editor& editor);

protected:
    void paintDecoration(QPainter& painter) override;

private:
    void buildGrid();
    void buildRandomiser();
    void buildSideColumn();
};
