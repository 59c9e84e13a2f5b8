#include "views/knob_value.h"

#include "views/views.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace {
// Round to nearest with ties to even, as the knob has always rounded; a result beyond int stops
// at its ends (ranges may span all of int, and angles come from callers unchecked).
int roundEven(double v) {
    return int(std::clamp(std::nearbyint(v), double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}

QString textOf(const QStringList& names, int value) {
    if (value >= 0 && value < names.size())
        return names[value];
    return QString::number(value) + QLatin1Char(' ');
}
} // namespace

KnobValue::KnobValue() {
    recomputeStep();
    angle_ = CalcAngle();
    valueText_ = textOf(valStrList_, position_);
}

void KnobValue::recomputeStep() {
    step_ = (min_ == max_) ? 0.0 : 300.0 / (double(max_) - double(min_));
}

void KnobValue::SetParams(int value, int min, int max) {
    if (min != min_) {
        min_ = min;
        recomputeStep();
    }
    if (max != max_) {
        max_ = max;
        recomputeStep();
    }
    if (step_ >= 0) {
        if (value < min_)
            value = min_;
        if (value > max_)
            value = max_;
    } else {
        if (value < max_)
            value = max_;
        if (value > min_)
            value = min_;
    }
    position_ = value;
    angle_ = CalcAngle();
    RedrawKnob();
    ShowPosition(position_);
    if (OnChange)
        OnChange();
}

void KnobValue::StepPosition(int steps) {
    SetPosition(int(std::clamp<std::int64_t>(std::int64_t(position_) + steps,
                                             std::numeric_limits<int>::min(),
                                             std::numeric_limits<int>::max())));
}

void KnobValue::UserSetPosition(int value) {
    SetPosition(value);
    if (OnUserChange)
        OnUserChange();
}

void KnobValue::UserStepPosition(int steps) {
    StepPosition(steps);
    if (OnUserChange)
        OnUserChange();
}

int KnobValue::CalcAngle() const {
    return MaxAngle - roundEven((double(position_) - double(min_)) * step_);
}

int KnobValue::CalcPosition(int angle) const {
    if (step_ == 0)
        return min_;
    return roundEven(std::nearbyint((double(MaxAngle) - double(angle)) / step_) + double(min_));
}

int KnobValue::PointerAngle(int x, int y, int width, int height) {
    const int cx = width / 2;
    const int cy = height / 2;
    if (x == cx)
        return y > cy ? MaxAngle : 90;
    int a = roundEven(std::atan((double(cy) - double(y)) / (double(x) - double(cx))) * 180.0 /
                      std::numbers::pi);
    if (x < cx)
        a = (a + 540) % 360;
    if (a > MaxAngle && a <= 270)
        a = MaxAngle;
    if (a < MinAngle)
        a = MinAngle;
    return a;
}

void KnobValue::SetValStrList(const QStringList& names) {
    valStrList_ = names;
    ShowPosition(position_);
}

void KnobValue::ShowPositionStr(int value) {
    valueText_ = textOf(valStrList_, value);
    RepaintText();
}

void KnobValue::ShowPosition(int value) {
    ShowPositionStr(value);
    if (PositionLabel) {
        const QString text = (value >= 0 && value < valStrList_.size())
                                 ? valStrList_[value] + QLatin1Char(' ') + Caption
                                 : QString::number(value) + QLatin1Char(' ') + Caption;
        PositionLabel->SetCaption(text);
    }
}
