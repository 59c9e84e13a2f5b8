#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class CaptionLabel;
class QPainter;
class QWidget;

// The look the pages share: one instrument panel, dark, with light captions.
namespace PanelStyle {

// A sans-serif face at a pixel size.
QFont Font(int pixelSize, bool bold = false);

inline const QColor Caption{0xD8, 0xDE, 0xEA}; // names over the controls
inline const QColor Title{0xE9, 0xC4, 0x6A};   // section titles
inline const QColor Value{0xFF, 0xE8, 0x4A};   // value read-outs
inline const QColor Frame{0x5A, 0x6E, 0x9A};   // section frames
inline const QColor FrameFill{0x0C, 0x12, 0x24, 150};

// A label with the given object name, text and colour, placed at rect.
CaptionLabel* Label(QWidget* parent, const QString& name, const QString& text, const QRect& rect,
                    const QColor& colour = Caption, int pixelSize = 12, bool bold = false);

// A knob's body under a transparent knob: a dark disc with a 300-degree scale of ticks, the track
// its pointer runs on and the face the value text sits on.
void PaintKnobBody(QPainter& painter, const QRect& knob);
// A section's frame: a rounded, slightly lighter panel.
void PaintSection(QPainter& painter, const QRect& area);

} // namespace PanelStyle
