#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class CaptionView;

// The value side of a rotary knob: an integer Position between Min and Max on a 300-degree arc
// (240 degrees at Min, -60 at Max, counter-clockwise positive), the text shown for a value, and a
// change notice raised on every setting, even one that changes nothing, and a notice of its own
// for what the user turns. Min may lie above Max, which reverses the turning direction. The knob
// widget draws these rules; the engine and its tests drive them without a display.
class KnobValue {
public:
    static constexpr int MinAngle = -60;
    static constexpr int MaxAngle = 240;

    KnobValue();
    virtual ~KnobValue() = default;
    KnobValue(const KnobValue&) = delete;
    KnobValue& operator=(const KnobValue&) = delete;

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetPosition(int value) { SetParams(value, min_, max_); }
    void SetMin(int value) { SetParams(position_, value, max_); }
    void SetMax(int value) { SetParams(position_, min_, value); }
    void SetParams(int value, int min, int max);
    // Position + steps, kept within the range (Page Up, the arrow keys, the wheel); the sum is
    // taken wide, so that a step past the ends of int stops there.
    void StepPosition(int steps);
    // A user's turn (a press, a key, a wheel step): set as above, then reported through
    // OnUserChange. A value the program sets is never reported as the user's.
    void UserSetPosition(int value);
    void UserStepPosition(int steps);

    // Degrees per value unit; negative when Min is above Max, 0 when they are equal.
    double Step() const { return step_; }
    int Angle() const { return angle_; }
    int CalcAngle() const;
    int CalcPosition(int angle) const;

    // The angle of a mouse point seen from the centre of a width x height control, with the gap
    // below the knob counted as the end on its side.
    static int PointerAngle(int x, int y, int width, int height);

    const QStringList& ValStrList() const { return valStrList_; }
    void SetValStrList(const QStringList& names);
    // The text drawn on the knob's face.
    const QString& ValueText() const { return valueText_; }
    void ShowPositionStr(int value);
    void ShowPosition(int value);

    // The step of Page Up / Page Down and of the pages' Shift or Ctrl wheel steps.
    std::uint16_t PageSize = 10;
    QString Caption; // appended to the value on the position label
    CaptionView* PositionLabel = nullptr;
    // Raised by every setting, even one that changes nothing (the widget repaints on it).
    std::function<void()> OnChange;
    std::function<void()> OnUserChange;

protected:
    // Hooks for a widget: a new position needs a fresh frame; a new value text needs a repaint.
    virtual void RedrawKnob() {}
    virtual void RepaintText() {}

private:
    void recomputeStep();

    int min_ = 0;
    int max_ = 127;
    int position_ = 0;
    double step_ = 0;
    int angle_ = MaxAngle;
    QStringList valStrList_;
    QString valueText_;
};
