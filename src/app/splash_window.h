#pragma once

#include "views/views.h"

#include <QImage>
#include <QWidget>

class QProgressBar;

// "TfSplash": a borderless picture window, centred, that asks whether to send the controller its
// presets and fades while they go out, with a bar of the messages sent.
class TfSplash : public QWidget, public SplashView {
public:
    explicit TfSplash(QWidget* parent = nullptr);

    void SetOpacity(int alpha) override;
    void SetProgress(int sent, int total) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QProgressBar* progress_;
};
