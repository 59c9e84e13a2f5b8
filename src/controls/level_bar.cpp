#include "controls/level_bar.h"

LevelBar::LevelBar(QWidget* parent) : QProgressBar(parent) {
    setOrientation(Qt::Vertical);
    setRange(0, 99);
    setValue(0);
    setTextVisible(false);
}
