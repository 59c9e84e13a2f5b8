#include "edit/range_warnings.h"

#include "views/prompts.h"
#include "views/services.h"

#include <utility>

namespace {
constexpr int QuietMs = 1000;
}

RangeWarnings::RangeWarnings(Prompter& prompts, const Clock& clock)
    : prompts_(prompts), clock_(clock) {
    withheldTimer_.setSingleShot(true);
    withheldTimer_.setInterval(QuietMs);
    QObject::connect(&withheldTimer_, &QTimer::timeout, [this] { sayWithheld(); });
}

void RangeWarnings::Say(const QString& warning) {
    const bool recent = shownBefore_ && clock_.ElapsedMs() - lastClosedMs_ < QuietMs;
    if (showing_ || recent) {
        ++withheld_;
        if (!showing_ && !withheldTimer_.isActive())
            withheldTimer_.start();
        return;
    }
    show(warning);
    sayWithheld();
}

void RangeWarnings::show(const QString& warning) {
    showing_ = true;
    prompts_.Warning(warning);
    showing_ = false;
    shownBefore_ = true;
    lastClosedMs_ = clock_.ElapsedMs();
}

// Values met while a box was open are said as soon as it has closed; those met in the quiet
// second after it, when the second is over.
void RangeWarnings::sayWithheld() {
    while (withheld_ > 0 && !showing_) {
        withheldTimer_.stop();
        const int count = std::exchange(withheld_, 0);
        show(count == 1 ? QStringLiteral("... and 1 more value was too big")
                        : QStringLiteral("... and %1 more values were too big").arg(count));
    }
}
