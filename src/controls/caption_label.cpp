#include "controls/caption_label.h"

#include "controls/qt_colour.h"

TCaptionLabel::TCaptionLabel(QWidget* parent) : QLabel(parent) {
    // Captions are values and names, never markup.
    setTextFormat(Qt::PlainText);
}

void TCaptionLabel::SetColor(TColor background) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(background));
    setPalette(colours);
    setAutoFillBackground(true);
}

void TCaptionLabel::SetFontColor(TColor text) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, toQColor(text));
    setPalette(colours);
}
