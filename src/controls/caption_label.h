#pragma once

#include "controls/widget_caption.h"

#include <QLabel>

// A plain label the engine writes through: value labels, headings, the operator names.
class CaptionLabel : public WidgetCaption<QLabel> {
public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    void SetCaption(const QString& text) override { setText(text); }
    QString Caption() const override { return text(); }
    // Fills the label's background with the colour.
    void SetColor(TColor background) override;
};
