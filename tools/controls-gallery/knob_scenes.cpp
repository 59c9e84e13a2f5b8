#include "controls/control_styles.h"
#include "controls/knob.h"
#include "controls/pictures.h"
#include "gallery.h"
#include "gallery_events.h"

namespace {
// A parent of one colour with room around the knob.
struct Stage {
    explicit Stage(Qt::GlobalColor colour) {
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, colour);
        parent.setPalette(palette);
        parent.setAutoFillBackground(true);
        parent.resize(120, 120);
    }
    QWidget parent;
};

void patchKnobs(Gallery& gallery) {
    for (int position : {0, 50, 99}) {
        Stage stage(Qt::black);
        TKnob knob(&stage.parent);
        stylePatchKnob(knob);
        knob.move(10, 10);
        knob.SetMax(99);
        knob.SetPosition(position);
        gallery.save(knob, QStringLiteral("knob-patch-pos%1").arg(position));
    }
    Stage stage(Qt::black);
    TKnob knob(&stage.parent);
    stylePatchKnob(knob);
    knob.move(10, 10);
    knob.SetMax(99);
    knob.SetPosition(20);
    // The pointer over the upper right previews its value; the rings show while hovered.
    sendEnter(knob, QPoint(65, 20));
    sendMove(knob, QPoint(65, 20));
    gallery.save(knob, QStringLiteral("knob-patch-hover-preview"));
}

void multipartKnobs(Gallery& gallery) {
    const QImage face = Pictures::MultipartKnob();
    for (int position : {0, 64, 127}) {
        Stage stage(Qt::black);
        TKnob knob(&stage.parent);
        styleMultipartKnob(knob, face);
        knob.move(10, 10);
        knob.SetPosition(position);
        gallery.save(knob, QStringLiteral("knob-multipart-pos%1").arg(position));
    }
}

// Constructor defaults at 75 x 75: a plain face with its turning bevel and a line pointer.
void plainKnobs(Gallery& gallery) {
    for (int position : {0, 64, 127}) {
        Stage stage(Qt::gray);
        TKnob knob(&stage.parent);
        knob.setGeometry(10, 10, 75, 75);
        knob.SetLineLength(12);
        knob.SetLineWidth(3);
        knob.SetPosition(position);
        gallery.save(knob, QStringLiteral("knob-plain-pos%1").arg(position));
    }
    Stage stage(Qt::gray);
    TKnob knob(&stage.parent);
    knob.setGeometry(10, 10, 75, 75);
    knob.SetPosition(64);
    knob.setEnabled(false);
    gallery.save(knob, QStringLiteral("knob-plain-disabled"));
}
} // namespace

void knobScenes(Gallery& gallery) {
    patchKnobs(gallery);
    multipartKnobs(gallery);
    plainKnobs(gallery);
}
