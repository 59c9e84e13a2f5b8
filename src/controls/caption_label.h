#pragma once

#include "model/views.h"

#include <QLabel>

// A plain label the engine writes through: value labels, headings, the operator names.
class TCaptionLabel : public QLabel, public CaptionView {
public:
    explicit TCaptionLabel(QWidget* parent = nullptr);

    void SetCaption(const QString& text) override { setText(text); }
    QString Caption() const override { return text(); }
    void SetVisible(bool visible) override { setVisible(visible); }
    bool IsVisible() const override { return !isHidden(); }
    void SetEnabled(bool enabled) override { setEnabled(enabled); }
    bool IsEnabled() const override { return isEnabled(); }
    // Fills the label's background with the colour.
    void SetColor(TColor background) override;
    void SetFontColor(TColor text) override;
    void SetLeft(int left) override { move(left, y()); }
};
