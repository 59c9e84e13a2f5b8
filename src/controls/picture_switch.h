#pragma once

#include "controls/parent_image.h"
#include "views/views.h"

#include <QImage>
#include <QWidget>

// Shows one picture (glyph) of a strip of equally wide pictures laid side by side; State picks
// which. The control's size does not follow the glyph: a larger glyph is clipped, a smaller one
// leaves the background showing. With Transparent, pixels of a glyph's bottom-left colour show
// the parent's background.
class Tmbgrafsw : public QWidget, public PictureView {
public:
    explicit Tmbgrafsw(QWidget* parent = nullptr);

    const QImage& Bitmap() const { return bitmap_; }
    void SetBitmap(const QImage& strip);
    // Number of glyphs in the strip, 1..255; other counts are ignored.
    int Glyph() const { return glyph_; }
    void SetGlyph(int count);
    // A state outside 0 .. Glyph - 1 shows (and stores) glyph 0.
    void SetState(int state) override;
    int State() const override { return state_; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    int GetBitmapWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Affiche(QImage& target) const;

    QImage bitmap_;
    ParentBackground background_;
    int glyph_ = 1;
    int state_ = 0;
    bool transparent_ = false;
};
