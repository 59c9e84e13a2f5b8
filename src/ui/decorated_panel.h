#pragma once

#include "controls/wallpaper.h"

#include <QImage>

// A page's panel: the tiled wallpaper with the page's own drawing over it (section frames, knob
// bodies). That drawing never changes, so it is made once and then copied wherever a repaint asks
// for it: every knob repaints the page under it.
class DecoratedPanel : public TWallpaper {
public:
    using TWallpaper::TWallpaper;

protected:
    // Draws the page's own layer, over a transparent image of the page's size.
    virtual void paintDecoration(QPainter& painter) = 0;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage decoration_;
};
