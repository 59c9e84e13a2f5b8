#include "ui/view_widgets.h"

CaptionButton::CaptionButton(const QString& text, QWidget* parent)
    : WidgetCaption<QPushButton>(parent) {
    setText(text);
}

ColourPanel::ColourPanel(QWidget* parent) : WidgetCaption<QWidget>(parent) {
    setAutoFillBackground(true);
}

void ColourPanel::SetColor(TColor background) {
    setPaletteColour(QPalette::Window, background);
}

NameEdit::NameEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (OnUserEdit)
            OnUserEdit();
    });
}

CheckToggle::CheckToggle(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setLayoutDirection(Qt::RightToLeft);
}
