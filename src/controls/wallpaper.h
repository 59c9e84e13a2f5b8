#pragma once

#include "views/colour.h"

#include <QImage>
#include <QWidget>

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A panel that tiles a picture over its inner area (inside its bevels and border), from the
// inner top-left corner; tiles that run past the inner area are cut off. The patch page lies on
// one, its controls as children.
class TWallpaper : public QWidget {
public:
    explicit TWallpaper(QWidget* parent = nullptr);

    const QImage& Wallpaper() const { return wallpaper_; }
    void SetWallpaper(const QImage& picture);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    TColor Color() const { return color_; }
    void SetColor(TColor colour);

    // The client area shrunk by the bevels and the border.
    QRect InnerRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <class T> void setVisual(T& field, const T& value);

    QImage wallpaper_;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TColor color_;
};
