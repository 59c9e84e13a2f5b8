#pragma once

#include <QPoint>

class QWidget;

// The mouse as a user moves it, delivered straight to a widget.
void sendEnter(QWidget& widget, QPoint at);
void sendMove(QWidget& widget, QPoint at);
void sendLeftPress(QWidget& widget, QPoint at);
