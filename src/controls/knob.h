#pragma once

#include "controls/parent_image.h"
#include "views/colour.h"
#include "views/knob_value.h"

#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

enum TIndicatorType { itLine, itCircle };

// The rotary knob of both editing pages. Its value rules (Min, Max, Position, the value text, the
// change notice on every setting and the notice of a user's turn) are KnobValue's, so a record's
// Knob pointer binds to the widget directly; this class draws them and turns mouse, keys and focus
// into settings.
//
// Each frame is composed in an off-screen 24-bit image (the parent's background under the knob,
// the face, the rings, the pointer) and copied to the screen in one step; the value text is
// drawn over it. The knob is always square: a resize keeps the side that changed.
class TKnob : public QWidget, public KnobValue {
public:
    explicit TKnob(QWidget* parent = nullptr);

    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor colour);
    // The face colour of a plain knob and behind a face image.
    TColor Color() const { return color_; }
    void SetColor(TColor colour);
    // A transparent face shows the parent's background.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    const QImage& KnobImage() const { return knobImage_; }
    void SetKnobImage(const QImage& image);
    TIndicatorType IndicatorType() const { return indicatorType_; }
    void SetIndicatorType(TIndicatorType type);
    // A plain knob always shows its pointer; a transparent or image knob only with this set.
    bool ShowIndicator() const { return showIndicator_; }
    void SetShowIndicator(bool show);
    // Line length or dot diameter, kept within 3 .. radius - 9 of the current size (3 wins);
    // a value that is not a number is ignored, as by SetLineWidth.
    float LineLength() const { return lineLength_; }
    void SetLineLength(float length);
    // Kept within 1 .. 8.
    float LineWidth() const { return lineWidth_; }
    void SetLineWidth(float width);
    // The bevel and focus rings; hovering and focus switch them too.
    bool DrawBorder() const { return drawBorder_; }
    void SetDrawBorder(bool draw);
    bool RotateImage() const { return rotateImage_; }
    void SetRotateImage(bool rotate);
    bool ShowFocusedState() const { return showFocusedState_; }
    void SetShowFocusedState(bool show);
    // The value returns to 0 on release and when the focus goes.
    bool SpringLoaded() const { return springLoaded_; }
    void SetSpringLoaded(bool springLoaded);
    const QFont& ValFont() const { return valFont_; }
    void SetValFont(const QFont& font);
    TColor ValFontColor() const { return valFontColor_; }
    void SetValFontColor(TColor colour);
    // Top of the value text, kept within 0 .. height - 20.
    int ValTop() const { return valTop_; }
    void SetValTop(int top);
    // Horizontal centre of the value text, kept within 20 .. width - 20 (20 wins).
    int ValCentre() const { return valCentre_; }
    void SetValCentre(int centre);
    // A label that mirrors the value; dropped when it is destroyed.
    void SetPositionLabel(CaptionView* label);

    // The inherited events, raised before the knob acts on them. What the user sets with a press
    // or a key is reported through KnobValue::OnUserChange after it.
    using MouseHandler = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)>;
    MouseHandler OnMouseDown;
    MouseHandler OnMouseUp;
    std::function<void(Qt::KeyboardModifiers, QPoint)> OnMouseMove;
    std::function<void(int key, Qt::KeyboardModifiers)> OnKeyDown;
    // One call per wheel notch; the knob itself does not turn (the pages decide the step).
    std::function<void(Qt::KeyboardModifiers)> OnMouseWheelUp;
    std::function<void(Qt::KeyboardModifiers)> OnMouseWheelDown;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    std::function<void()> OnEnter; // focus gained
    std::function<void()> OnExit;  // focus lost

    // The frame as the next paint composes it, without the value text; empty without a parent.
    QImage ComposeFrame();

    void setVisible(bool visible) override;

protected:
    void RedrawKnob() override { update(); }
    void RepaintText() override { update(); }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool plain() const { return !transparent_ && knobImage_.isNull(); }
    // Takes a new size as a square; a hidden knob hears of its resize only when shown.
    void adoptSize();
    template <class T> void setVisual(T& field, const T& value);

    // The drawing steps, in the order a frame takes them (knob_painting.cpp).
    void PaintKnobFace(QImage& frame);
    void PaintKnobBorder(QImage& frame) const;
    void PaintState(QImage& frame) const;
    void PaintIndicator(QImage& frame) const;
    void GetParentImage(QImage& frame);
    void PutKnobImage();
    void SetCircleMask();

    TColor lineColor_;
    TColor color_;
    bool transparent_ = false;
    QImage knobImage_;
    TIndicatorType indicatorType_ = itLine;
    bool showIndicator_ = true;
    float lineLength_ = 3;
    float lineWidth_ = 2;
    bool drawBorder_ = true;
    bool rotateImage_ = true;
    bool showFocusedState_ = true;
    bool springLoaded_ = false;
    QFont valFont_;
    TColor valFontColor_;
    int valTop_ = 60;
    int valCentre_ = 60;

    int side_ = 40;
    float radius_ = 20;
    bool dragging_ = false;
    int pointerAngle_ = MaxAngle;
    int wheelRemainder_ = 0;

    QImage faceImage_;             // KnobImage placed on the face colour, side x side
    bool knobImagePlaced_ = false; // faceImage_ matches the image, colour and size
    std::vector<bool> circleMask_; // the face's circle, row by row
    QImage frame_;
    ParentBackground background_;
    QMetaObject::Connection labelGone_;
};
