#pragma once

#include <QString>
#include <QTimer>

class Clock;
class Prompter;

// The "Value too big" warnings of values that came from the screen or the controller. A
// controller that sends out-of-range values a thousand times a second would otherwise stack a
// modal box per value, each one opened inside the last: a box never opens while another is open,
// and at most one opens a second; the values met meanwhile are counted and said in one more box
// once the open one has closed (or, where a warning does not wait for a click, as the bridge's,
// a second after the last one).
class RangeWarnings {
public:
    RangeWarnings(Prompter& prompts, const Clock& clock);

    void Say(const QString& warning);

private:
    void show(const QString& warning);
    void sayWithheld();

    Prompter& prompts_;
    const Clock& clock_;
    QTimer withheldTimer_;
    bool showing_ = false;
    qint64 lastClosedMs_ = 0;
    bool shownBefore_ = false;
    int withheld_ = 0;
};
