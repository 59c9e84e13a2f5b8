#pragma once

#include "controls/caption_label.h"
#include "controls/widget_caption.h"
#include "views/views.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

// The window's plain widgets as the engine sees them.

// A push button whose caption, visibility and enabled state the engine sets ("Send Sysex to  BCR").
class CaptionButton : public WidgetCaption<QPushButton> {
public:
    explicit CaptionButton(const QString& text, QWidget* parent = nullptr);

    void SetCaption(const QString& text) override { setText(text); }
    QString Caption() const override { return text(); }
    void SetColor(TColor) override {}
};

// A label as wide as its text: the operator names change from "Op1" to "Op1-Off " and move.
class FittedLabel : public CaptionLabel {
public:
    using CaptionLabel::CaptionLabel;

    void SetCaption(const QString& text) override {
        setText(text);
        adjustSize();
    }
};

// A panel filled with a colour the engine chooses (an operator's panel pOp1..pOp4).
class ColourPanel : public WidgetCaption<QWidget> {
public:
    explicit ColourPanel(QWidget* parent = nullptr);

    void SetCaption(const QString&) override {}
    QString Caption() const override { return {}; }
    void SetColor(TColor background) override;
};

// The voice name: a one-line edit whose every change of text, typed or set, is the change notice.
class NameEdit : public QLineEdit, public TextEditView {
public:
    explicit NameEdit(QWidget* parent = nullptr);

    QString Text() const override { return text(); }
    void SetText(const QString& text) override { setText(text); }
};

// The envelope-time check box, its text left of the box.
class CheckToggle : public QCheckBox, public ToggleView {
public:
    explicit CheckToggle(const QString& text, QWidget* parent = nullptr);

    bool IsChecked() const override { return isChecked(); }
    void SetChecked(bool checked) override { setChecked(checked); }
};
