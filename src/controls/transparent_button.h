#pragma once

#include "controls/button_layout.h"
#include "controls/glyph_list.h"
#include "controls/widget_caption.h"

#include <QImage>
#include <QWidget>
#include <functional>

enum TFrameStyle { fsRegular, fsIndent, fsExplorer, fsNone, fsLight, fsDark, fsMono };

// A flat button that draws its caption (and an optional picture) over whatever lies behind it.
// The explorer style shows a raised frame while the mouse is over it and a sunken one while it
// is pressed. The pages use it as a value field: the caption shows a parameter's value.
//
// Every accepted press reports OnMouseDown twice with the same arguments, and every release and
// move reports OnMouseUp / OnMouseMove twice; the pages' press handlers count on this and act on
// one report of each pair.
class TTransparentButton : public WidgetCaption<QWidget> {
public:
    explicit TTransparentButton(QWidget* parent = nullptr);

    void SetCaption(const QString& text) override;
    QString Caption() const override { return caption_; }
    // The button face colour, shown when the button is not transparent.
    void SetColor(TColor background) override { setPaletteColour(QPalette::Button, background); }

    // A picture, or a strip of up to four side by side: normal, disabled, pressed, (unused).
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& strip);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count); // 1..4
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle style);
    TTextAlign TextAlign() const { return textAlign_; }
    void SetTextAlign(TTextAlign align);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // The explorer style shows its picture in grey while the mouse is not over it.
    bool AutoGray() const { return autoGray_; }
    void SetAutoGray(bool autoGray);
    bool ShowPressed() const { return showPressed_; }
    void SetShowPressed(bool show);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    // Holds the button in its pressed look.
    bool Down() const { return down_; }
    void SetStayDown(bool down);

    // Left and top edges included, right and bottom excluded.
    bool InsideBtn(QPoint point) const { return rect().contains(point); }

    using MouseHandler = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)>;
    std::function<void()> OnClick;
    MouseHandler OnMouseDown;
    MouseHandler OnMouseUp;
    std::function<void(Qt::KeyboardModifiers, QPoint)> OnMouseMove;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseExit;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    template <class T> void setVisual(T& field, const T& value);
    bool sunken() const { return pressed_ && showPressed_; }
    void rebuildGlyphs();
    void paintBackground(QPainter& painter) const;
    void paintStateFrame(QPainter& painter) const;
    const QImage& shownGlyph() const;
    QRect DrawTheBitmap(QPainter& painter) const;
    void DrawTheText(QPainter& painter, const QRect& picture) const;

    QString caption_;
    QImage glyph_;
    GlyphList glyphs_;
    int numGlyphs_ = 1;
    TFrameStyle frameStyle_ = fsExplorer;
    TTextAlign textAlign_ = ttaCenter;
    bool transparent_ = true;
    bool autoGray_ = true;
    bool showPressed_ = true;
    int borderWidth_ = 1;
    int spacing_ = 2;
    bool wordWrap_ = false;
    bool down_ = false;

    bool mouseInside_ = false;
    bool pressed_ = false;
    bool tracking_ = false;
    bool buttonHeld_ = false;
    bool clickArmed_ = false; // a left press waits for its release
};
