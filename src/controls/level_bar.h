#pragma once

#include "views/views.h"

#include <QProgressBar>

// An operator's output level: a vertical bar 0..99 without text.
class LevelBar : public QProgressBar, public BarView {
public:
    explicit LevelBar(QWidget* parent = nullptr);

    void SetPosition(int position) override { setValue(position); }
    int Position() const override { return value(); }
};
