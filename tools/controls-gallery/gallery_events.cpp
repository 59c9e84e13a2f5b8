#include "gallery_events.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

void sendEnter(QWidget& widget, QPoint at) {
    QEnterEvent event(at, widget.mapTo(widget.window(), at), widget.mapToGlobal(at));
    QCoreApplication::sendEvent(&widget, &event);
}

void sendMove(QWidget& widget, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

void sendLeftPress(QWidget& widget, QPoint at) {
    QMouseEvent event(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}
