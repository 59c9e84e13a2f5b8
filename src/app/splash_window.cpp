#include "app/splash_window.h"

#include "controls/pictures.h"

#include <QApplication>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>

namespace {
constexpr int Width = 779;
constexpr int Height = 563;
} // namespace

TfSplash::TfSplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), picture_(Pictures::Splash()) {
    setObjectName(QStringLiteral("fSplash"));
    setWindowTitle(QStringLiteral("Marrowlink Editor"));
    setFixedSize(Width, Height);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("pbSplash"));
    progress_->setGeometry(40, Height - 34, Width - 80, 14);
    progress_->setTextVisible(false);
    progress_->hide();
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfSplash::SetOpacity(int alpha) {
    setWindowOpacity(alpha / 255.0);
}

void TfSplash::SetProgress(int sent, int total) {
    progress_->setRange(0, std::max(total, 1));
    progress_->setValue(sent);
    progress_->show();
    // The upload runs on this thread; let the bar be seen between its messages.
    progress_->repaint();
}

void TfSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull())
        return;
    const QSize size = picture_.size().scaled(this->size(), Qt::KeepAspectRatio);
    QRect place(QPoint(0, 0), size);
    place.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(place, picture_);
}
