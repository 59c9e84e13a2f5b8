#include "controls/caption_label.h"

CaptionLabel::CaptionLabel(QWidget* parent) : WidgetCaption<QLabel>(parent) {
    // Captions are values and names, never markup.
    setTextFormat(Qt::PlainText);
}

void CaptionLabel::SetColor(TColor background) {
    setPaletteColour(QPalette::Window, background);
    setAutoFillBackground(true);
}
