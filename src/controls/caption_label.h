#pragma once

#include "controls/widget_caption.h"

#include <QLabel>

// A plain label the engine writes through: value labels, headings, the operator names.
class TCaptionLabel : public WidgetCaption<QLabel> {
public:
    explicit TCaptionLabel(QWidget* parent = nullptr);

    void SetCaption(const QString& text) override { setText(text); }
    QString Caption() const override { return text(); }
    // Fills the label's background with the colour.
    void SetColor(TColor background) override;
};
