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
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange();
    });
}

CheckToggle::CheckToggle(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setLayoutDirection(Qt::RightToLeft);
}
