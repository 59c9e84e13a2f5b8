#include "controls/caption_label.h"

TCaptionLabel::TCaptionLabel(QWidget* parent) : WidgetCaption<QLabel>(parent) {
    // Captions are values and names, never markup.
    setTextFormat(Qt::PlainText);
}

void TCaptionLabel::SetColor(TColor background) {
    setPaletteColour(QPalette::Window, background);
    setAutoFillBackground(true);
}
