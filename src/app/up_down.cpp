#include "app/up_down.h"

#include <QToolButton>
#include <QVBoxLayout>

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    up_ = new QToolButton(this);
    up_->setObjectName(QStringLiteral("up"));
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setObjectName(QStringLiteral("down"));
    down_->setArrowType(Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(arrow);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    SetPosition(position_);
}

void UpDown::SetPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void UpDown::step(int by) {
    SetPosition(position_ + by);
    if (OnClick)
        OnClick();
}
