#pragma once

#include "ui/decorated_panel.h"

class Editor;

// The "Multipart" page: the eight parts side by side, each a column of knobs and value buttons,
// the global and effect settings in the column on the left, the names of the lines on the right,
// and the multi's fetch, load and save. It lies on the same panel as the patch page.
class MultipartPage : public DecoratedPanel {
public:
    explicit MultipartPage(QWidget* parent = nullptr);

    void Connect(Editor& editor);

protected:
    void paintDecoration(QPainter& painter) override;

private:
    void buildGlobalColumn();
    void buildParts();
    void buildFooter();
};
