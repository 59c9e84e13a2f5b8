#pragma once

#include <QApplication>
#include <QColor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

// What a user does to a widget, delivered straight to it, and a stage to do it on.
namespace events {

inline void mouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                  Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(&widget, &event);
}

inline void press(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(widget, QEvent::MouseButtonPress, at, button, button, modifiers);
}

inline void drag(QWidget& widget, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
    mouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

inline void release(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    mouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

inline void enter(QWidget& widget, QPoint at) {
    QEnterEvent event(at, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &event);
}

inline void leave(QWidget& widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

inline void key(QWidget& widget, int code) {
    QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline bool wheel(QWidget& widget, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
    return event.isAccepted();
}
} // namespace events

// A shown, active top-level widget of one colour for controls to sit on.
struct Stage {
    explicit Stage(const QColor& colour, QSize size = QSize(200, 200)) {
        QPalette colours = parent.palette();
        colours.setColor(QPalette::Window, colour);
        parent.setPalette(colours);
        parent.setAutoFillBackground(true);
        parent.resize(size);
        parent.show();
        parent.activateWindow();
        QApplication::processEvents();
    }
    QWidget parent;
};
