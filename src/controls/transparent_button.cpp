#include "controls/transparent_button.h"

#include "controls/bevel_frame.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {
// The system colours a button is drawn with.
struct ButtonColours {
    QColor face;
    QColor highlight;
    QColor shadow;
    QColor darkShadow;
};

ButtonColours coloursOf(const QPalette& palette) {
    return {palette.color(QPalette::Button), palette.color(QPalette::Light),
            palette.color(QPalette::Dark), palette.color(QPalette::Shadow)};
}
} // namespace

TTransparentButton::TTransparentButton(QWidget* parent) : WidgetCaption<QWidget>(parent) {
    setMouseTracking(true);
    resize(40, 40);
}

template <class T> void TTransparentButton::setVisual(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    update();
}

void TTransparentButton::SetCaption(const QString& text) {
    setVisual(caption_, text);
}

void TTransparentButton::SetGlyph(const QImage& strip) {
    glyph_ = strip;
    numGlyphs_ = glyphCountOf(strip, numGlyphs_);
    rebuildGlyphs();
    update();
}

void TTransparentButton::SetNumGlyphs(int count) {
    count = std::clamp(count, 1, 4);
    if (count == numGlyphs_)
        return;
    numGlyphs_ = count;
    rebuildGlyphs();
    update();
}

void TTransparentButton::rebuildGlyphs() {
    const ButtonColours colours = coloursOf(palette());
    glyphs_ = AddGlyphs(glyph_, numGlyphs_, colours.highlight, colours.shadow);
}

void TTransparentButton::SetFrameStyle(TFrameStyle style) {
    setVisual(frameStyle_, style);
}

void TTransparentButton::SetTextAlign(TTextAlign align) {
    setVisual(textAlign_, align);
}

void TTransparentButton::SetTransparent(bool transparent) {
    setVisual(transparent_, transparent);
}

void TTransparentButton::SetAutoGray(bool autoGray) {
    setVisual(autoGray_, autoGray);
}

void TTransparentButton::SetShowPressed(bool show) {
    setVisual(showPressed_, show);
}

void TTransparentButton::SetBorderWidth(int width) {
    setVisual(borderWidth_, std::max(width, 0));
}

void TTransparentButton::SetSpacing(int spacing) {
    setVisual(spacing_, spacing);
}

void TTransparentButton::SetWordWrap(bool wrap) {
    setVisual(wordWrap_, wrap);
}

void TTransparentButton::SetStayDown(bool down) {
    if (down == down_)
        return;
    down_ = down;
    tracking_ = down;
    pressed_ = down;
    repaint();
}

void TTransparentButton::paintBackground(QPainter& painter) const {
    const ButtonColours c = coloursOf(palette());
    const int w = width();
    const int h = height();
    switch (frameStyle_) {
    case fsRegular: {
        const QRect outline(1, 1, w - 1, h - 1);
        if (!transparent_)
            painter.fillRect(outline, c.face);
        drawBevelFrame(painter, outline, Qt::black, Qt::black, borderWidth_);
        break;
    }
    case fsIndent: {
        const QRect outline(0, 0, w - 1, h - 1);
        if (!transparent_)
            painter.fillRect(outline, c.face);
        drawBevelFrame(painter, outline, c.shadow, c.shadow, 1);
        drawBevelFrame(painter, QRect(1, 1, w - 1, h - 1), c.highlight, c.highlight, 1);
        break;
    }
    default:
        if (!transparent_)
            painter.fillRect(rect(), c.face);
    }
}

void TTransparentButton::paintStateFrame(QPainter& painter) const {
    const ButtonColours c = coloursOf(palette());
    const QRect all = rect();
    const auto frame = [&](const QColor& topLeft, const QColor& bottomRight, int width) {
        return drawBevelFrame(painter, all, topLeft, bottomRight, width);
    };
    switch (frameStyle_) {
    case fsRegular:
    case fsIndent:
        if (sunken()) {
            const QRect inner = frame(Qt::black, c.highlight, borderWidth_);
            drawBevelFrame(painter, inner, c.shadow, c.face, borderWidth_);
        } else if (frameStyle_ == fsRegular) {
            const QRect inner = frame(c.highlight, Qt::black, borderWidth_);
            drawBevelFrame(painter, inner, c.face, c.shadow, borderWidth_);
        } else {
            frame(c.shadow, c.highlight, borderWidth_);
        }
        break;
    case fsExplorer:
        if (pressed_ && (mouseInside_ || down_)) {
            if (showPressed_)
                frame(c.shadow, c.highlight, borderWidth_);
            else
                frame(c.highlight, c.shadow, borderWidth_);
        } else if (!pressed_ && mouseInside_) {
            frame(c.highlight, c.shadow, borderWidth_);
        }
        break;
    case fsNone:
        break;
    case fsLight:
        sunken() ? frame(c.shadow, c.highlight, 1) : frame(c.highlight, c.shadow, 1);
        break;
    case fsDark:
        sunken() ? frame(c.darkShadow, c.face, 1) : frame(c.face, c.darkShadow, 1);
        break;
    case fsMono:
        sunken() ? frame(c.darkShadow, c.highlight, 1) : frame(c.highlight, c.darkShadow, 1);
        break;
    }
}

const QImage& TTransparentButton::shownGlyph() const {
    const QList<QImage>& pictures = glyphs_.pictures;
    const bool enabled = isEnabled();
    if (!enabled && pictures.size() == 1)
        return glyphs_.disabled;
    if (frameStyle_ == fsExplorer && autoGray_ && !mouseInside_)
        return glyphs_.grey;
    if (pictures.size() >= 2 && !enabled)
        return pictures[1];
    if (pictures.size() >= 3 && pressed_)
        return pictures[2];
    return pictures.first();
}

QRect TTransparentButton::DrawTheBitmap(QPainter& painter) const {
    const int count = std::max(numGlyphs_, 1);
    const int pictureWidth = glyph_.width() / count > 0 ? glyph_.width() / count : glyph_.width();
    QRect place = pictureRect(size(), QSize(pictureWidth, glyph_.height()), textAlign_, spacing_);
    if (glyphs_.pictures.isEmpty())
        return place;
    if (sunken())
        place.translate(1, 1);
    // Transparent pixels show what lies behind: the parent, or the face a solid button painted.
    painter.drawImage(place.topLeft(), shownGlyph());
    return place;
}

void TTransparentButton::DrawTheText(QPainter& painter, const QRect& picture) const {
    if (caption_.isEmpty())
        return;
    const int flags = Qt::TextShowMnemonic | (wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine);
    const QRect measured = painter.fontMetrics().boundingRect(rect(), flags, caption_);
    QRect place = captionRect(size(), measured.size(), picture, textAlign_, spacing_);
    if (sunken())
        place.translate(1, 1);
    const int drawFlags = flags | Qt::AlignCenter;
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(place, drawFlags, caption_);
        return;
    }
    const ButtonColours c = coloursOf(palette());
    painter.setPen(c.highlight);
    painter.drawText(place.translated(1, 1), drawFlags, caption_);
    painter.setPen(c.shadow);
    painter.drawText(place, drawFlags, caption_);
}

void TTransparentButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBackground(painter);
    paintStateFrame(painter);
    painter.setFont(font());
    DrawTheText(painter, DrawTheBitmap(painter));
}

void TTransparentButton::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        clickArmed_ = true;
    if (buttonHeld_)
        return;
    buttonHeld_ = true;
    for (int report = 0; report < 2; ++report)
        if (OnMouseDown)
            OnMouseDown(event->button(), event->modifiers(), point);
    if (InsideBtn(point)) {
        tracking_ = true;
        pressed_ = true;
        update();
    }
}

void TTransparentButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    for (int report = 0; report < 2; ++report)
        if (OnMouseMove)
            OnMouseMove(event->modifiers(), point);
    if (tracking_ && InsideBtn(point) != pressed_) {
        pressed_ = !pressed_;
        update();
    }
}

void TTransparentButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && clickArmed_) {
        clickArmed_ = false;
        if (InsideBtn(point) && OnClick)
            OnClick();
    }
    if (!buttonHeld_)
        return;
    buttonHeld_ = false;
    if (down_)
        return;
    if (OnMouseUp)
        OnMouseUp(event->button(), event->modifiers(), point);
    tracking_ = false;
    pressed_ = false;
    update();
    if (OnMouseUp)
        OnMouseUp(event->button(), event->modifiers(), point);
}

void TTransparentButton::enterEvent(QEnterEvent*) {
    if (!isEnabled())
        return;
    mouseInside_ = true;
    if (OnMouseEnter)
        OnMouseEnter();
    if (frameStyle_ == fsExplorer)
        update();
}

void TTransparentButton::leaveEvent(QEvent*) {
    if (!isEnabled())
        return;
    mouseInside_ = false;
    if (OnMouseExit)
        OnMouseExit();
    if (frameStyle_ == fsExplorer)
        update();
}

void TTransparentButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            pressed_ = false;
            tracking_ = false;
            buttonHeld_ = false;
            mouseInside_ = false;
            clickArmed_ = false;
        }
        update();
    } else if (event->type() == QEvent::PaletteChange) {
        rebuildGlyphs(); // the disabled copy is embossed in the palette's colours
    }
    QWidget::changeEvent(event);
}
