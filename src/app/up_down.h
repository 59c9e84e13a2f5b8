#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

// A pair of arrows that step a whole-number position within a range, without wrapping: the
// mouse-wheel divider's control on the setup page.
class UpDown : public QWidget {
public:
    explicit UpDown(QWidget* parent = nullptr);

    int Position() const { return position_; }
    // Kept within the range; raises nothing.
    void SetPosition(int position);
    void SetRange(int minimum, int maximum);

    // A click on an arrow, after the position has moved.
    std::function<void()> OnClick;

private:
    void step(int by);

    QToolButton* up_;
    QToolButton* down_;
    int position_ = 0;
    int minimum_ = 0;
    int maximum_ = 100;
};
