#include "controls/control_styles.h"

#include "controls/envelope_graph.h"
#include "controls/knob.h"
#include "controls/picture_switch.h"
#include "controls/transparent_button.h"
#include "controls/wallpaper.h"

namespace {
constexpr int KnobPageSize = 43;
constexpr int StripGlyphs = 8;

QFont boldFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// What both pages' knobs share.
void styleKnob(TKnob& knob, int side, int valCentre) {
    knob.resize(side, side);
    knob.SetIndicatorType(itCircle);
    knob.SetLineColor(Colours::Red);
    knob.SetLineLength(12);
    knob.SetLineWidth(8);
    knob.PageSize = KnobPageSize;
    knob.SetDrawBorder(false);
    knob.SetRotateImage(false);
    knob.SetValFont(boldFont(11));
    knob.SetValFontColor(Colours::Yellow);
    knob.SetValTop(16);
    knob.SetValCentre(valCentre);
}

void styleStrip(Tmbgrafsw& picture, const QImage& strip, int width, int height) {
    picture.resize(width, height);
    picture.SetBitmap(strip);
    picture.SetGlyph(StripGlyphs);
}
} // namespace

void stylePatchKnob(TKnob& knob) {
    styleKnob(knob, 75, 42);
    knob.SetTransparent(true);
}

void styleMultipartKnob(TKnob& knob, const QImage& face) {
    styleKnob(knob, 50, 30);
    knob.SetTransparent(false);
    knob.SetKnobImage(face);
}

void styleOperatorGraph(Tmbadsr2& graph) {
    graph.resize(144, 80);
    graph.SetMax(32);
    graph.SetAlwayDetect(true);
    graph.SetFillEnabled(true);
    graph.SetGradientEnabled(true);
    graph.SetShowVLines(true);
    graph.SetGradientNbOfColors(64);
    graph.SetGradientType(gr2TopToBottom);
    graph.SetMarkerColor(Colours::Aqua);
}

void styleAlgorithmPicture(Tmbgrafsw& picture, const QImage& strip) {
    styleStrip(picture, strip, 67, 77);
    picture.SetState(0);
}

void styleWavePicture(Tmbgrafsw& picture, const QImage& strip) {
    styleStrip(picture, strip, 87, 80);
    picture.SetState(5);
}

void styleValueButton(TTransparentButton& button) {
    button.setFont(boldFont(16));
    button.SetFontColor(Colours::Yellow);
}

void stylePatchWallpaper(TWallpaper& wallpaper, const QImage& picture) {
    wallpaper.resize(958, 758);
    wallpaper.SetColor(Colours::Black);
    wallpaper.SetWallpaper(picture);
}
